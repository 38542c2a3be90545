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
