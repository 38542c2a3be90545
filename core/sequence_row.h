#pragma once

#include <cstdint>
#include <string>

// One row of a light sequence. A pattern row (isCommand 0) lights the
// channels whose bits are set in `pattern` for `time` ticks; a command row
// (isCommand 1) runs the command named by the letter in `command` with
// `parameter`. Every row carries all five fields whatever its kind, so that
// switching a row's kind in the editor loses nothing.
struct SequenceRow {
    std::uint8_t isCommand;
    std::uint32_t pattern;
    std::uint16_t time;
    std::uint8_t command;
    std::uint16_t parameter;

    friend bool operator==(const SequenceRow &a, const SequenceRow &b)
    {
        return a.isCommand == b.isCommand && a.pattern == b.pattern && a.time == b.time
            && a.command == b.command && a.parameter == b.parameter;
    }
    friend bool operator!=(const SequenceRow &a, const SequenceRow &b) { return !(a == b); }
};

// The command letters the device knows. A command row with any other letter
// does nothing when it runs.
enum CommandLetter : std::uint8_t {
    CMD_DIM = 'D',
    CMD_FADE_IN = 'E',
    CMD_FADE_OUT = 'F',
    CMD_GOTO = 'G',
    CMD_IF_ON = 'I',
    CMD_IF_OFF = 'J',
    CMD_MIRROR_ON = 'M',
    CMD_MIRROR_OFF = 'N',
    CMD_MIRROR_TOGGLE = 'O',
};

// The name of a command as menus and listings show it ("GOTO", "FADE IN",
// ...), or nullptr for a letter the device does not know.
const char *CommandName(std::uint8_t letter);

// True for the commands whose parameter is a row index.
bool IsJumpCommand(std::uint8_t letter);

// A command letter as listings show it: 'X', or 0x01 for one that is not
// printable.
std::string CommandLetterText(std::uint8_t letter);

// What a row does, in a few words: "pattern *.*..... for 5 ticks",
// "GOTO 3", "MIRROR ON", "unknown command 'X' 5".
std::string DescribeRow(const SequenceRow &row);
