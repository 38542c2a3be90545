#include "upload/upload_image.h"

#include "core/row_table.h"

namespace
{

// Port bit driven by channel j: the board wires the channels to the port out
// of order.
constexpr std::uint8_t CHANNEL_PORT_BIT[CHANNEL_COUNT] = { 0x80, 0x01, 0x10, 0x02, 0x20, 0x04, 0x40, 0x08 };

constexpr std::uint8_t EMPTY_SLOT_BYTE = 0xFF;

// Second bytes of the commands; a fade command also carries the low four
// bits of its step in bits 3..6.
enum CommandCode : std::uint8_t {
    CODE_GOTO = 0x80,
    CODE_IF_ON = 0x81,
    CODE_IF_OFF = 0x82,
    CODE_DIM = 0x83,
    CODE_FADE_OUT = 0x84,
    CODE_FADE_IN = 0x85,
    CODE_MIRROR_TOGGLE = 0x86,
    CODE_MIRROR_SET = 0x87,
};

// First bytes of the mirror commands.
constexpr std::uint8_t MIRROR_ON_ARGUMENT = 0x00;
constexpr std::uint8_t MIRROR_OFF_ARGUMENT = 0x01;
constexpr std::uint8_t MIRROR_TOGGLE_ARGUMENT = 0x02;

std::uint8_t JumpByte(std::uint16_t target)
{
    return static_cast<std::uint8_t>(DeviceJumpTarget(target));
}

void EncodeFade(std::uint16_t parameter, CommandCode code, std::uint8_t &first, std::uint8_t &second)
{
    const std::uint16_t step = ImageFadeStep(parameter);
    first = static_cast<std::uint8_t>(step >> 4);
    second = static_cast<std::uint8_t>(code | ((step & 0x0F) << 3));
}

bool EncodeCommand(const SequenceRow &row, std::uint8_t &first, std::uint8_t &second)
{
    switch (row.command) {
    case CMD_GOTO: first = JumpByte(row.parameter), second = CODE_GOTO; return true;
    case CMD_IF_ON: first = JumpByte(row.parameter), second = CODE_IF_ON; return true;
    case CMD_IF_OFF: first = JumpByte(row.parameter), second = CODE_IF_OFF; return true;
    case CMD_DIM:
        first = static_cast<std::uint8_t>(row.parameter & DIM_PARAMETER_MASK), second = CODE_DIM;
        return true;
    case CMD_FADE_OUT: EncodeFade(row.parameter, CODE_FADE_OUT, first, second); return true;
    case CMD_FADE_IN: EncodeFade(row.parameter, CODE_FADE_IN, first, second); return true;
    case CMD_MIRROR_TOGGLE: first = MIRROR_TOGGLE_ARGUMENT, second = CODE_MIRROR_TOGGLE; return true;
    case CMD_MIRROR_ON: first = MIRROR_ON_ARGUMENT, second = CODE_MIRROR_SET; return true;
    case CMD_MIRROR_OFF: first = MIRROR_OFF_ARGUMENT, second = CODE_MIRROR_SET; return true;
    default: return false;
    }
}

} // namespace

std::uint8_t PortPattern(std::uint32_t pattern)
{
    std::uint8_t port = 0;
    for (int j = 0; j < CHANNEL_COUNT; ++j)
        if (pattern & (1u << j))
            port |= CHANNEL_PORT_BIT[j];
    return port;
}

bool EncodeRow(const SequenceRow &row, std::uint8_t &first, std::uint8_t &second)
{
    if (row.isCommand)
        return EncodeCommand(row, first, second);
    first = PortPattern(row.pattern);
    second = static_cast<std::uint8_t>(DeviceTime(row.time));
    return true;
}

UploadImage EncodeUploadImage(const RowTable &rows)
{
    UploadImage image;
    image.fill(EMPTY_SLOT_BYTE);
    std::size_t position = 0;
    for (int i = 0; i < rows.GetCount(); ++i)
        if (EncodeRow(*rows.GetRow(i), image[position], image[position + 1]))
            position += 2;
    return image;
}
