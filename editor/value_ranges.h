#pragma once

#include <cstdint>
#include <string_view>

// What the LED Editor's value edit accepts.

// The number in the edit's text as the device's 16-bit fields take it: the
// decimal value of its first characters (leading blanks, a sign, digits, as
// atol reads them) with only its low 16 bits kept, so 65537 reads as 1. An
// empty text reads as 0.
std::uint16_t ParseValueText(std::string_view text);

// The values a field takes, first to last.
struct ValueRange {
    std::uint16_t first;
    std::uint16_t last;

    bool Contains(std::uint16_t value) const { return value >= first && value <= last; }
};

// A hold time of 1 to MAX_ROW_TIME ticks.
ValueRange TimeRange();
// A parameter for the command with this letter: a FADE duration, a row
// index for the jumps, a level or nothing for the rest.
ValueRange ParameterRange(std::uint8_t letter);

bool AcceptsTime(std::uint16_t value);
bool AcceptsParameter(std::uint8_t letter, std::uint16_t value);
