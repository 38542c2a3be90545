#include "core/sequence_row.h"

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
