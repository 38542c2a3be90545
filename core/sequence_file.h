#pragma once

#include "core/sequence_row.h"

#include <exception>
#include <string>
#include <string_view>

class RowTable;
class TextInput;
class TextOutput;

// Sequence files (.lsq) are ASCII text: the lines "#=QUORBEL", "V=1" and
// "D=VELTOR3", then one row line of 20 hex digits per row. This is the one
// place of the format; it reads into and writes from a row table.
inline constexpr char FILE_MAGIC_LINE[] = "#=QUORBEL";
inline constexpr char FILE_VERSION_LINE[] = "V=1";
inline constexpr char FILE_DEVICE_LINE[] = "D=VELTOR3";

// Why a sequence file could not be loaded; the values are the load error
// codes of the file format.
enum LoadErrorCode {
    LOAD_CANNOT_OPEN = 1,
    LOAD_INVALID = 2,
    LOAD_VERSION = 3,
    LOAD_OTHER_DEVICE = 4,
};

class LoadError : public std::exception
{
public:
    explicit LoadError(LoadErrorCode code)
        : m_code(code)
    {
    }
    LoadErrorCode Code() const { return m_code; }
    const char *what() const noexcept override;

private:
    LoadErrorCode m_code;
};

// The message a user is shown when loading fails with the code.
const char *LoadErrorMessage(LoadErrorCode code);

// Reads one line into buffer, at most size - 2 bytes, stopping after a line
// feed; a longer line is split and its remainder comes with the next call.
// Trailing bytes that are at most 32 as signed 8-bit values (white space,
// control characters, bytes 0x80..0xFF) are cut. At the end of the file the
// buffer is left empty. The result is always a terminated string.
void ReadLine(char *buffer, int size, TextInput &file);

// Writes text and a line end.
void WriteFileLine(TextOutput &file, std::string_view text);
// Reads a line; throws LoadError(code) unless it is exactly `expected`.
void ExpectFileLine(TextInput &file, const char *expected, LoadErrorCode code);

// The row line of a row, "%02x%08x%04x%02x%04x", without a line end.
std::string FormatRowLine(const SequenceRow &row);

// Parses a row line of at least ROW_LINE_LENGTH characters; each field is
// read as an unsigned 32-bit base-16 conversion and cut to its width.
SequenceRow ParseRowLine(const char *line);

// The unsigned base-16 conversion of the C library on a 32-bit unsigned long:
// leading white space, an optional sign and 0x prefix, digits up to the first
// other character, saturating at 0xFFFFFFFF.
std::uint32_t ParseHex32(std::string_view text);

// The whole file, header lines and device model included: rows 0 .. count - 1
// of the table as row lines. The reader throws LoadError with codes 2, 3 and
// 4 as the lines demand; the table is touched only once the header has been
// accepted. A row line that is too short, or more rows than the table holds,
// empties the table and throws LoadError(LOAD_INVALID).
void WriteSequenceFile(const RowTable &rows, TextOutput &file);
void ReadSequenceFile(RowTable &rows, TextInput &file);

// Opens and reads the file at path into the table; throws
// LoadError(LOAD_CANNOT_OPEN) when it cannot be opened.
void LoadSequenceFile(RowTable &rows, const std::string &path);
