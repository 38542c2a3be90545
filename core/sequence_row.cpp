#include "core/sequence_row.h"

#include "core/constants.h"

#include <cstdio>

namespace
{

std::string PatternText(std::uint32_t pattern)
{
    std::string text(CHANNEL_COUNT, '.');
    for (int j = 0; j < CHANNEL_COUNT; ++j)
        if (pattern & (1u << j))
            text[static_cast<std::size_t>(j)] = '*';
    return text;
}

bool CommandTakesParameter(std::uint8_t letter)
{
    return letter != CMD_MIRROR_ON && letter != CMD_MIRROR_OFF && letter != CMD_MIRROR_TOGGLE;
}

} // namespace

const char *CommandName(std::uint8_t letter)
{
    switch (letter) {
    case CMD_GOTO: return "GOTO";
    case CMD_IF_ON: return "IF ON THEN";
    case CMD_IF_OFF: return "IF OFF THEN";
    case CMD_DIM: return "DIM";
    case CMD_FADE_IN: return "FADE IN";
    case CMD_FADE_OUT: return "FADE OUT";
    case CMD_MIRROR_ON: return "MIRROR ON";
    case CMD_MIRROR_OFF: return "MIRROR OFF";
    case CMD_MIRROR_TOGGLE: return "MIRROR TOGGLE";
    default: return nullptr;
    }
}

bool IsJumpCommand(std::uint8_t letter)
{
    return letter == CMD_GOTO || letter == CMD_IF_ON || letter == CMD_IF_OFF;
}

std::string CommandLetterText(std::uint8_t letter)
{
    char text[8];
    if (letter > ' ' && letter < 0x7F)
        std::snprintf(text, sizeof text, "'%c'", letter);
    else
        std::snprintf(text, sizeof text, "0x%02x", letter);
    return text;
}

std::string DescribeRow(const SequenceRow &row)
{
    if (!row.isCommand)
        return "pattern " + PatternText(row.pattern) + " for " + std::to_string(row.time) + " ticks";
    const char *name = CommandName(row.command);
    if (!name)
        return "unknown command " + CommandLetterText(row.command) + " " + std::to_string(row.parameter);
    if (!CommandTakesParameter(row.command))
        return name;
    return std::string(name) + " " + std::to_string(row.parameter);
}
