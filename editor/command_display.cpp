#include "editor/command_display.h"

#include "core/constants.h"

const char *CommandDisplayName(std::uint8_t letter)
{
    // The full name does not fit the name cell.
    if (letter == CMD_MIRROR_TOGGLE)
        return "MIRROR TGL";
    const char *name = CommandName(letter);
    return name ? name : "???";
}

std::string CommandParameterText(std::uint8_t letter, std::uint16_t parameter)
{
    switch (letter) {
    case CMD_DIM: return std::to_string(parameter & DIM_PARAMETER_MASK);
    case CMD_FADE_IN:
    case CMD_FADE_OUT: return std::to_string(parameter & FADE_PARAMETER_MASK);
    case CMD_GOTO:
    case CMD_IF_ON:
    case CMD_IF_OFF: return std::to_string(parameter < MAX_ROWS ? parameter : 0);
    default: return {};
    }
}

std::string TimeCellText(const SequenceRow &row)
{
    return row.isCommand ? "CMD" : std::to_string(row.time);
}
