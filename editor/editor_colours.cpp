#include "editor/editor_colours.h"

#include <algorithm>

namespace
{

constexpr Rgb BACKGROUND { 0, 32, 96 };
constexpr Rgb FRAME { 32, 80, 255 };
constexpr Rgb HEADER_GREY { 128, 128, 128 };
constexpr Rgb SELECTED_RED { 255, 64, 64 };
constexpr Rgb TRACE_BLUE { 0, 0, 255 };
constexpr Rgb TEXT_WHITE { 255, 255, 255 };
constexpr Rgb COMMAND_NAME { 16, 64, 16 };
constexpr Rgb COMMAND_NAME_SELECTED { 64, 16, 16 };
constexpr Rgb COMMAND_PARAMETER { 8, 48, 8 };
constexpr Rgb COMMAND_PARAMETER_SELECTED { 32, 8, 8 };

// Channel cells by [on][selected][parity even].
constexpr Rgb CHANNEL_CELL[2][2][2] = {
    { { { 64, 64, 64 }, { 80, 80, 80 } }, { { 128, 64, 64 }, { 144, 80, 80 } } },
    { { { 208, 208, 208 }, { 224, 224, 224 } }, { { 255, 128, 128 }, { 255, 144, 144 } } },
};

// The frame shades differ from the cell by an eighth.
std::uint8_t Lighter(std::uint8_t component)
{
    return static_cast<std::uint8_t>(std::min(255, component * 8 / 7));
}

std::uint8_t Darker(std::uint8_t component)
{
    return static_cast<std::uint8_t>(component * 7 / 8);
}

} // namespace

Rgb BackgroundColour()
{
    return BACKGROUND;
}

Rgb FrameColour()
{
    return FRAME;
}

Rgb HeaderColour()
{
    return HEADER_GREY;
}

Rgb TextColour()
{
    return TEXT_WHITE;
}

Rgb IndexCellColour(bool executing, bool selected)
{
    if (executing)
        return TRACE_BLUE;
    return TimeCellColour(selected);
}

Rgb TimeCellColour(bool selected)
{
    return selected ? SELECTED_RED : HEADER_GREY;
}

Rgb ChannelCellColour(bool on, bool selected, int line, int channel)
{
    const bool even = ((line ^ channel) & 1) == 0;
    return CHANNEL_CELL[on ? 1 : 0][selected ? 1 : 0][even ? 1 : 0];
}

Rgb CommandNameColour(bool selected)
{
    return selected ? COMMAND_NAME_SELECTED : COMMAND_NAME;
}

Rgb CommandParameterColour(bool selected)
{
    return selected ? COMMAND_PARAMETER_SELECTED : COMMAND_PARAMETER;
}

Rgb LightEdgeColour(const Rgb &back)
{
    return { Lighter(back.red), Lighter(back.green), Lighter(back.blue) };
}

Rgb DarkEdgeColour(const Rgb &back)
{
    return { Darker(back.red), Darker(back.green), Darker(back.blue) };
}
