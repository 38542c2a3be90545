#include "editor/pattern_generators.h"

#include "editor/pattern_brightness.h"

#include <algorithm>
#include <random>

namespace
{

// The letter pattern rows carry, as those of the default sequence do.
constexpr std::uint8_t PATTERN_ROW_LETTER = 'X';

struct PatternInfo {
    PatternKind kind;
    const char *name;
};

constexpr PatternInfo PATTERNS[] = {
    { PatternKind::Chase, "chase" },
    { PatternKind::Bounce, "bounce" },
    { PatternKind::Fill, "fill" },
    { PatternKind::Alternate, "alternate" },
    { PatternKind::Count, "count" },
    { PatternKind::Twinkle, "twinkle" },
};

// The channels of the range as bit positions: first, last and how many.
struct ChannelRange {
    int first;
    int last;
    int Width() const { return last - first + 1; }
};

ChannelRange RangeOf(const PatternParameters &parameters)
{
    return { parameters.firstChannel - 1, parameters.lastChannel - 1 };
}

// Bits from..to inclusive.
std::uint32_t Bits(int from, int to)
{
    std::uint32_t bits = 0;
    for (int bit = from; bit <= to; ++bit)
        bits |= 1U << bit;
    return bits;
}

// The channel at `offset` from the end the pattern starts at.
int ChannelAt(const ChannelRange &range, bool reverse, int offset)
{
    return reverse ? range.last - offset : range.first + offset;
}

std::int64_t CycleLength(const PatternParameters &parameters)
{
    const int width = RangeOf(parameters).Width();
    switch (parameters.kind) {
    case PatternKind::Chase: return width;
    case PatternKind::Bounce: return width > 1 ? 2 * width - 2 : 1;
    case PatternKind::Fill: return parameters.shrink ? 2 * width : width;
    case PatternKind::Alternate: return 2;
    case PatternKind::Count: return std::int64_t { 1 } << width;
    case PatternKind::Twinkle: return width;
    }
    return 0;
}

// The bar of `length` channels from the end the fill starts at.
std::uint32_t Bar(const ChannelRange &range, bool reverse, int length)
{
    if (length == 0)
        return 0;
    const int end = ChannelAt(range, reverse, length - 1);
    return reverse ? Bits(end, range.last) : Bits(range.first, end);
}

// Every other channel of the range, counting channels from 1: the odd ones
// or the even ones.
std::uint32_t OddOrEven(const ChannelRange &range, bool odd)
{
    std::uint32_t bits = 0;
    for (int bit = range.first; bit <= range.last; ++bit)
        if (((bit + 1) % 2 == 1) == odd)
            bits |= 1U << bit;
    return bits;
}

// `lit` channels of the range chosen at random, each row anew.
std::uint32_t RandomChannels(const ChannelRange &range, int lit, std::mt19937 &random)
{
    std::vector<int> channels;
    for (int bit = range.first; bit <= range.last; ++bit)
        channels.push_back(bit);
    std::uint32_t bits = 0;
    // A partial shuffle. The engine's numbers are taken directly, not
    // through a distribution, whose results differ between libraries.
    for (int i = 0; i < lit; ++i) {
        const auto remaining = static_cast<std::uint32_t>(channels.size()) - static_cast<std::uint32_t>(i);
        std::swap(channels[static_cast<std::size_t>(i)], channels[i + random() % remaining]);
        bits |= 1U << channels[static_cast<std::size_t>(i)];
    }
    return bits;
}

int LitForShare(const ChannelRange &range, int share)
{
    const int lit = (range.Width() * share + 50) / 100;
    return std::max(1, std::min(lit, range.Width()));
}

// The pattern of each row of one cycle, twinkle's random rows aside.
std::vector<std::uint32_t> Cycle(const PatternParameters &parameters)
{
    const ChannelRange range = RangeOf(parameters);
    const bool reverse = parameters.reverse;
    const int width = range.Width();
    std::vector<std::uint32_t> patterns;
    switch (parameters.kind) {
    case PatternKind::Chase:
        for (int offset = 0; offset < width; ++offset)
            patterns.push_back(1U << ChannelAt(range, reverse, offset));
        break;
    case PatternKind::Bounce:
        for (int offset = 0; offset < width; ++offset)
            patterns.push_back(1U << ChannelAt(range, reverse, offset));
        for (int offset = width - 2; offset > 0; --offset)
            patterns.push_back(1U << ChannelAt(range, reverse, offset));
        break;
    case PatternKind::Fill:
        for (int length = 1; length <= width; ++length)
            patterns.push_back(Bar(range, reverse, length));
        for (int length = width - 1; parameters.shrink && length >= 0; --length)
            patterns.push_back(Bar(range, reverse, length));
        break;
    case PatternKind::Alternate:
        patterns.push_back(OddOrEven(range, !reverse));
        patterns.push_back(OddOrEven(range, reverse));
        break;
    case PatternKind::Count:
        for (std::uint32_t value = 0; value < 1U << width; ++value) {
            const std::uint32_t count = reverse ? (1U << width) - 1 - value : value;
            patterns.push_back(count << range.first);
        }
        break;
    case PatternKind::Twinkle: break;
    }
    return patterns;
}

std::vector<std::uint32_t> AllPatterns(const PatternParameters &parameters)
{
    std::vector<std::uint32_t> patterns;
    if (parameters.kind == PatternKind::Twinkle) {
        const ChannelRange range = RangeOf(parameters);
        std::mt19937 random(parameters.seed);
        const int lit = LitForShare(range, parameters.share);
        for (std::int64_t row = 0; row < CycleLength(parameters) * parameters.repeat; ++row)
            patterns.push_back(RandomChannels(range, lit, random));
        return patterns;
    }
    const std::vector<std::uint32_t> cycle = Cycle(parameters);
    for (int round = 0; round < parameters.repeat; ++round)
        patterns.insert(patterns.end(), cycle.begin(), cycle.end());
    return patterns;
}

std::vector<SequenceRow> PatternRows(const PatternParameters &parameters)
{
    std::vector<SequenceRow> rows;
    if (parameters.fade) {
        rows.push_back({ 1, 0, 0, CMD_FADE_IN, *parameters.fade });
        rows.push_back({ 1, 0, 0, CMD_FADE_OUT, *parameters.fade });
    }
    const auto time = static_cast<std::uint16_t>(parameters.time);
    for (const std::uint32_t pattern : AllPatterns(parameters))
        rows.push_back({ 0, pattern, time, PATTERN_ROW_LETTER, 0 });
    return rows;
}

// The slowest fade below the pattern's own that lights every channel up.
// A quicker fade never leaves a channel darker before it first shows (below
// the dimming ceiling every level is the fade step times what the on and off
// ticks make of one), and fade 0 is instant, so the answer is found by
// halving.
std::uint16_t SlowestLightingFade(PatternParameters parameters)
{
    int lights = 0;
    int staysDark = *parameters.fade;
    while (staysDark - lights > 1) {
        const int middle = (lights + staysDark) / 2;
        parameters.fade = static_cast<std::uint16_t>(middle);
        (EveryChannelLightsUp(PatternRows(parameters)) ? lights : staysDark) = middle;
    }
    return static_cast<std::uint16_t>(lights);
}

} // namespace

const char *PatternName(PatternKind kind)
{
    for (const PatternInfo &pattern : PATTERNS)
        if (pattern.kind == kind)
            return pattern.name;
    return "";
}

std::optional<PatternKind> PatternByName(std::string_view name)
{
    for (const PatternInfo &pattern : PATTERNS)
        if (name == pattern.name)
            return pattern.kind;
    return std::nullopt;
}

std::int64_t PatternRowCount(const PatternParameters &parameters)
{
    return CycleLength(parameters) * parameters.repeat + (parameters.fade ? 2 : 0);
}

GeneratedRows GeneratePattern(const PatternParameters &parameters, int freeRows)
{
    const std::int64_t needed = PatternRowCount(parameters);
    if (needed > freeRows)
        return { {},
            "The pattern needs " + std::to_string(needed) + " rows, but only " + std::to_string(freeRows)
                + " are free.",
            std::nullopt };
    std::vector<SequenceRow> rows = PatternRows(parameters);
    if (parameters.fade && !EveryChannelLightsUp(rows)) {
        const std::uint16_t slowest = SlowestLightingFade(parameters);
        return { {},
            "With a fade of " + std::to_string(*parameters.fade)
                + " ticks not every channel of the pattern lights up on the device; "
                + std::to_string(slowest) + " is the slowest fade with which all do.",
            slowest };
    }
    return { std::move(rows), {}, std::nullopt };
}
