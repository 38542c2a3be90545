#include "editor/value_ranges.h"

#include "core/constants.h"
#include "core/sequence_row.h"

namespace
{

// The edit hands over no more of its text than this.
constexpr std::size_t MAX_VALUE_TEXT = 19;

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::uint16_t ParseValueText(std::string_view text)
{
    text = text.substr(0, MAX_VALUE_TEXT);
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    // Arithmetic modulo 2^16 keeps exactly the low 16 bits of the number,
    // however long it is.
    std::uint16_t value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        value = static_cast<std::uint16_t>(value * 10U + static_cast<unsigned>(text[at] - '0'));
    return negative ? static_cast<std::uint16_t>(0U - value) : value;
}

ValueRange TimeRange()
{
    return { 1, MAX_ROW_TIME };
}

ValueRange ParameterRange(std::uint8_t letter)
{
    if (letter == CMD_FADE_IN || letter == CMD_FADE_OUT)
        return { 0, MAX_FADE_PARAMETER };
    if (IsJumpCommand(letter))
        return { 0, MAX_ROWS - 1 };
    return { 0, MAX_PLAIN_PARAMETER };
}

bool AcceptsTime(std::uint16_t value)
{
    return TimeRange().Contains(value);
}

bool AcceptsParameter(std::uint8_t letter, std::uint16_t value)
{
    return ParameterRange(letter).Contains(value);
}
