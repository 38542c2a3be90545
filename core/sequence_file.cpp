#include "core/sequence_file.h"

#include "core/constants.h"
#include "core/hex_digit.h"
#include "core/row_table.h"
#include "core/text_stream.h"

#include <cstdio>
#include <cstring>

namespace
{

constexpr char LINE_END[] = "\n";

// Field positions of a row line.
constexpr int PATTERN_POS = 2;
constexpr int TIME_POS = 10;
constexpr int COMMAND_POS = 14;
constexpr int PARAMETER_POS = 16;

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

void WriteFileLine(TextOutput &file, std::string_view text)
{
    file.Write(text);
    file.Write(LINE_END);
}

void ExpectFileLine(TextInput &file, const char *expected, LoadErrorCode code)
{
    char line[LINE_BUFFER_SIZE];
    ReadLine(line, sizeof line, file);
    if (std::strcmp(line, expected) != 0)
        throw LoadError(code);
}

const char *LoadError::what() const noexcept
{
    return LoadErrorMessage(m_code);
}

const char *LoadErrorMessage(LoadErrorCode code)
{
    switch (code) {
    case LOAD_CANNOT_OPEN: return "file not found";
    case LOAD_INVALID: return "file is invalid";
    case LOAD_VERSION: return "file version incompatible, please download the newest version of this program";
    case LOAD_OTHER_DEVICE: return "this sequence is designed for a different device";
    }
    return "file is invalid";
}

void ReadLine(char *buffer, int size, TextInput &file)
{
    if (size <= 0)
        return;
    buffer[0] = '\0';
    const int capacity = size - 2;
    int count = 0;
    while (count < capacity) {
        const int c = file.GetChar();
        if (c == EOF)
            break;
        buffer[count++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buffer[count] = '\0';

    // A NUL byte read into the line ends the string there, as it would for
    // any C string.
    std::size_t length = std::strlen(buffer);
    while (length > 0 && static_cast<signed char>(buffer[length - 1]) <= ' ')
        buffer[--length] = '\0';
}

std::uint32_t ParseHex32(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')
        && HexDigitValue(text[i + 2]) >= 0)
        i += 2;

    std::uint64_t value = 0;
    bool overflow = false;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
        value = value * 16 + static_cast<std::uint64_t>(HexDigitValue(text[i]));
        if (value > UINT32_MAX) {
            overflow = true;
            value = 0;
        }
    }
    if (overflow)
        return UINT32_MAX;
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

SequenceRow ParseRowLine(const char *line)
{
    const std::string_view text(line);
    auto field
        = [&text](std::size_t begin, std::size_t end) { return ParseHex32(text.substr(begin, end - begin)); };
    SequenceRow row;
    row.parameter = static_cast<std::uint16_t>(field(PARAMETER_POS, text.size()));
    row.command = static_cast<std::uint8_t>(field(COMMAND_POS, PARAMETER_POS));
    row.time = static_cast<std::uint16_t>(field(TIME_POS, COMMAND_POS));
    row.pattern = field(PATTERN_POS, TIME_POS);
    row.isCommand = field(0, PATTERN_POS) != 0 ? 1 : 0;
    return row;
}

std::string FormatRowLine(const SequenceRow &row)
{
    char line[ROW_LINE_LENGTH + 1];
    std::snprintf(line, sizeof line, "%02x%08x%04x%02x%04x", static_cast<unsigned>(row.isCommand),
        static_cast<unsigned>(row.pattern), static_cast<unsigned>(row.time),
        static_cast<unsigned>(row.command), static_cast<unsigned>(row.parameter));
    return line;
}

namespace
{

void WriteRowLines(const RowTable &rows, TextOutput &file)
{
    for (int i = 0; i < rows.GetCount(); ++i)
        WriteFileLine(file, FormatRowLine(*rows.GetRow(i)));
}

void ReadRowLines(RowTable &rows, TextInput &file)
{
    rows.Clear();
    char line[LINE_BUFFER_SIZE];
    while (!file.AtEnd()) {
        ReadLine(line, sizeof line, file);
        const std::size_t length = std::strlen(line);
        if (length == 0)
            continue;
        // A sequence read only in part would lose rows when saved again, so
        // more rows than the device holds refuse the file as a short line does.
        if (length < static_cast<std::size_t>(ROW_LINE_LENGTH) || !rows.Append(ParseRowLine(line))) {
            rows.Clear();
            throw LoadError(LOAD_INVALID);
        }
    }
}

} // namespace

void WriteSequenceFile(const RowTable &rows, TextOutput &file)
{
    WriteFileLine(file, FILE_MAGIC_LINE);
    WriteFileLine(file, FILE_VERSION_LINE);
    WriteFileLine(file, FILE_DEVICE_LINE);
    WriteRowLines(rows, file);
}

void ReadSequenceFile(RowTable &rows, TextInput &file)
{
    ExpectFileLine(file, FILE_MAGIC_LINE, LOAD_INVALID);
    ExpectFileLine(file, FILE_VERSION_LINE, LOAD_VERSION);
    ExpectFileLine(file, FILE_DEVICE_LINE, LOAD_OTHER_DEVICE);
    ReadRowLines(rows, file);
}

void LoadSequenceFile(RowTable &rows, const std::string &path)
{
    FileTextInput file;
    if (!file.Open(path))
        throw LoadError(LOAD_CANNOT_OPEN);
    ReadSequenceFile(rows, file);
}
