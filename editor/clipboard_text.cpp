#include "editor/clipboard_text.h"

#include "core/hex_digit.h"

#include <cstdio>

namespace
{

constexpr int VALUE_DIGITS = 8;
constexpr char CHANNEL_ON = '*';
constexpr char CHANNEL_OFF = '.';

bool IsSkipped(unsigned char c)
{
    return c < 0x20 || c >= 0x80;
}

SequenceRow RowOfValue(std::uint32_t value, std::uint32_t pattern)
{
    const auto letter = static_cast<std::uint8_t>(value >> 16);
    return { static_cast<std::uint8_t>(letter != 0 ? 1 : 0), pattern,
        static_cast<std::uint16_t>(value >> 8 & 0xFF), letter, static_cast<std::uint16_t>(value & 0xFF) };
}

// The line being read: its value digits and channel characters so far.
struct LineReader {
    int column = 0;
    std::uint32_t value = 0;
    std::uint32_t pattern = 0;

    // False when c has no place at this column.
    bool Take(char c, int channelCount)
    {
        const int at = column++;
        if (at < VALUE_DIGITS) {
            const int digit = HexDigitValue(c);
            value = value << 4 | static_cast<std::uint32_t>(digit);
            return digit >= 0;
        }
        const int channel = at - VALUE_DIGITS;
        if (c == CHANNEL_ON && channel < channelCount)
            pattern |= 1U << channel;
        return c == CHANNEL_ON || c == CHANNEL_OFF;
    }
};

} // namespace

std::string FormatClipboardLine(const SequenceRow &row, int channelCount)
{
    const std::uint32_t letter = row.isCommand ? row.command : 0;
    const std::uint32_t value = letter << 16 | (row.time & 0xFFU) << 8 | (row.parameter & 0xFFU);
    char digits[VALUE_DIGITS + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value));
    std::string line(digits);
    for (int channel = 0; channel < channelCount; ++channel)
        line += (row.pattern >> channel & 1U) != 0 ? CHANNEL_ON : CHANNEL_OFF;
    line += "\r\n";
    return line;
}

std::string FormatClipboardText(
    const RowTable::Records &rows, const EditorSelection &selection, int channelCount)
{
    std::string text;
    for (int slot = 0; slot < MAX_ROWS; ++slot)
        if (selection.IsSelected(slot))
            text += FormatClipboardLine(rows[static_cast<std::size_t>(slot)], channelCount);
    return text;
}

std::optional<std::vector<SequenceRow>> ReadClipboardText(std::string_view text, int channelCount)
{
    std::vector<SequenceRow> rows;
    LineReader line;
    bool afterCr = false;
    for (const char c : text.substr(0, text.find('\0'))) {
        const bool lineEnd = c == '\r' || (c == '\n' && !afterCr);
        afterCr = c == '\r';
        if (lineEnd) {
            rows.push_back(RowOfValue(line.value, line.pattern));
            line = {};
        } else if (!IsSkipped(static_cast<unsigned char>(c)) && !line.Take(c, channelCount)) {
            return std::nullopt;
        }
    }
    return rows;
}
