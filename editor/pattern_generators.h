#pragma once

#include "core/sequence_row.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Light patterns made from a few parameters instead of painted cell by cell.
// Each pattern is one cycle of pattern rows over a range of channels; the
// same parameters always give the same rows.
enum class PatternKind { Chase, Bounce, Fill, Alternate, Count, Twinkle };

inline constexpr PatternKind ALL_PATTERNS[] = { PatternKind::Chase, PatternKind::Bounce, PatternKind::Fill,
    PatternKind::Alternate, PatternKind::Count, PatternKind::Twinkle };

struct PatternParameters {
    PatternKind kind = PatternKind::Chase;
    // The channels it runs over, 1-based and inclusive, first <= last.
    int firstChannel = 1;
    int lastChannel = 8;
    // Ticks each pattern row holds, 1..127.
    int time = 6;
    // Cycles one after the other.
    int repeat = 1;
    // Chase, bounce and fill start at the last channel; alternate starts with
    // the even channels; count counts down.
    bool reverse = false;
    // Fill only: the bar shrinks back to nothing after it has grown.
    bool shrink = false;
    // Twinkle only: the percentage of the range lit in each row, 1..100, and
    // where the random choice starts.
    int share = 50;
    std::uint32_t seed = 1;
    // Soft edges: a FADE IN and a FADE OUT row with this parameter before
    // the pattern rows.
    std::optional<std::uint16_t> fade;
};

// The pattern's name as pemblo-cli takes it ("chase", "bounce", ...).
const char *PatternName(PatternKind kind);
std::optional<PatternKind> PatternByName(std::string_view name);

// How many rows the pattern makes, fade rows included.
std::int64_t PatternRowCount(const PatternParameters &parameters);

struct GeneratedRows {
    std::vector<SequenceRow> rows;
    // Why nothing was made; empty when the rows fit and light up.
    std::string refusal;
    // With a refusal for a fade too slow: the slowest fade with which every
    // channel of the pattern lights up.
    std::optional<std::uint16_t> slowestFade;
};

// The pattern's rows, or none and a sentence saying why not: how many rows
// it needs when more than freeRows, or the slowest fade that does light the
// LEDs when the pattern's own fade is so slow that a channel it switches on
// never reaches the first brightness step the device picture shows.
GeneratedRows GeneratePattern(const PatternParameters &parameters, int freeRows);
