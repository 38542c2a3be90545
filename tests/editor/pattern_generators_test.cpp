#include "editor/pattern_generators.h"

#include "core/constants.h"

#include <gtest/gtest.h>

#include <bitset>

namespace
{

PatternParameters Pattern(PatternKind kind, int first, int last, bool reverse = false, int repeat = 1)
{
    PatternParameters parameters;
    parameters.kind = kind;
    parameters.firstChannel = first;
    parameters.lastChannel = last;
    parameters.reverse = reverse;
    parameters.repeat = repeat;
    return parameters;
}

std::vector<std::uint32_t> Patterns(const std::vector<SequenceRow> &rows)
{
    std::vector<std::uint32_t> patterns;
    for (const SequenceRow &row : rows)
        if (!row.isCommand)
            patterns.push_back(row.pattern);
    return patterns;
}

TEST(PatternGenerators, EachPatternMakesItsRows)
{
    using K = PatternKind;
    PatternParameters shrinking = Pattern(K::Fill, 1, 3);
    shrinking.shrink = true;
    const struct {
        PatternParameters parameters;
        std::vector<std::uint32_t> patterns;
    } cases[] = {
        { Pattern(K::Chase, 1, 8), { 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80 } },
        { Pattern(K::Chase, 3, 5, true, 2), { 0x10, 0x08, 0x04, 0x10, 0x08, 0x04 } },
        { Pattern(K::Bounce, 1, 8),
            { 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02 } },
        { Pattern(K::Bounce, 2, 4, true), { 0x08, 0x04, 0x02, 0x04 } },
        { Pattern(K::Bounce, 5, 5), { 0x10 } },
        { shrinking, { 0x01, 0x03, 0x07, 0x03, 0x01, 0x00 } },
        { Pattern(K::Fill, 6, 8, true), { 0x80, 0xC0, 0xE0 } },
        { Pattern(K::Alternate, 1, 8), { 0x55, 0xAA } },
        { Pattern(K::Alternate, 2, 5, true), { 0x0A, 0x14 } },
        { Pattern(K::Count, 3, 4), { 0x00, 0x04, 0x08, 0x0C } },
        { Pattern(K::Count, 1, 2, true), { 0x03, 0x02, 0x01, 0x00 } },
    };
    for (const auto &c : cases) {
        const GeneratedRows generated = GeneratePattern(c.parameters, MAX_ROWS);
        const char *name = PatternName(c.parameters.kind);
        EXPECT_EQ(Patterns(generated.rows), c.patterns) << name;
        EXPECT_EQ(PatternRowCount(c.parameters), std::int64_t(c.patterns.size())) << name;
        for (const SequenceRow &row : generated.rows)
            EXPECT_EQ(row.time, c.parameters.time) << name;
    }
}

TEST(PatternGenerators, FadeRowsComeFirstAndWhatDoesNotFitIsRefused)
{
    PatternParameters soft = Pattern(PatternKind::Chase, 1, 2);
    soft.fade = 40;
    const std::vector<SequenceRow> rows = GeneratePattern(soft, 4).rows;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (SequenceRow { 1, 0, 0, CMD_FADE_IN, 40 }));
    EXPECT_EQ(rows[1], (SequenceRow { 1, 0, 0, CMD_FADE_OUT, 40 }));
    EXPECT_EQ(GeneratePattern(soft, 3).refusal, "The pattern needs 4 rows, but only 3 are free.");

    const GeneratedRows counter = GeneratePattern(Pattern(PatternKind::Count, 1, 8), MAX_ROWS - 1);
    EXPECT_TRUE(counter.rows.empty());
    EXPECT_EQ(counter.refusal, "The pattern needs 256 rows, but only 223 are free.");
}

// A fade so slow that a channel the pattern switches on never shows a
// brightness step on the device picture is refused, naming the slowest fade
// that does show them all.
TEST(PatternGenerators, FadesTooSlowToLightTheLedsAreRefused)
{
    using K = PatternKind;
    const struct {
        PatternParameters parameters;
        int time;
        std::uint16_t fade;
        std::optional<std::uint16_t> slowest; // none: accepted
    } cases[] = {
        // 6 ticks on from dark: 43 x 8 x 6 reaches level 8, 42 x 8 x 6 not.
        { Pattern(K::Chase, 1, 8), 6, 94, std::nullopt },
        { Pattern(K::Chase, 1, 8), 6, 95, 94 },
        { Pattern(K::Chase, 1, 8), 6, 4095, 94 },
        // One tick on, one off: only a step of a whole level lights it.
        { Pattern(K::Alternate, 1, 8), 1, 4080, 15 },
        // Channel 1 is always on and lights, channel 3 is on one tick in three.
        { Pattern(K::Fill, 1, 3), 1, 4000, 15 },
        // Always on: any fade step lights it in the end; above 4080 there is none.
        { Pattern(K::Fill, 1, 1), 1, 4080, std::nullopt },
        { Pattern(K::Fill, 1, 1), 1, 4095, 4080 },
        // Channel 1 is on 127 ticks at a time, channel 2 254.
        { Pattern(K::Count, 1, 2), 127, 1361, 1360 },
        { Pattern(K::Count, 1, 2), 127, 0, std::nullopt },
    };
    for (auto c : cases) {
        SCOPED_TRACE(testing::Message() << PatternName(c.parameters.kind) << ", fade " << c.fade);
        c.parameters.time = c.time;
        c.parameters.fade = c.fade;
        const GeneratedRows generated = GeneratePattern(c.parameters, MAX_ROWS);
        EXPECT_EQ(generated.slowestFade, c.slowest);
        EXPECT_EQ(generated.rows.empty(), c.slowest.has_value());
        if (c.slowest) {
            EXPECT_NE(generated.refusal.find(std::to_string(*c.slowest) + " is the slowest fade"),
                std::string::npos)
                << generated.refusal;
        }
    }
}

TEST(PatternGenerators, TwinkleLightsItsShareFromTheSeed)
{
    PatternParameters twinkle = Pattern(PatternKind::Twinkle, 2, 7, false, 3);
    twinkle.share = 50;
    const std::vector<std::uint32_t> first = Patterns(GeneratePattern(twinkle, MAX_ROWS).rows);
    ASSERT_EQ(first.size(), 18u);
    for (const std::uint32_t pattern : first) {
        EXPECT_EQ(std::bitset<32>(pattern).count(), 3u);
        EXPECT_EQ(pattern & ~0x7Eu, 0u);
    }
    EXPECT_EQ(Patterns(GeneratePattern(twinkle, MAX_ROWS).rows), first);
    twinkle.seed = 2;
    EXPECT_NE(Patterns(GeneratePattern(twinkle, MAX_ROWS).rows), first);
}

} // namespace
