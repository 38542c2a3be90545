#include "display/probe_format16.h"

namespace
{

// Pure red, green and blue as colour references, in the order they are
// probed.
constexpr std::uint32_t PROBE_COLOURS[3] = { 0x0000FF, 0x00FF00, 0xFF0000 };

struct ChannelLayout {
    std::int32_t bits;
    std::int32_t position;
};

ChannelLayout LayoutOf(std::uint16_t word)
{
    ChannelLayout layout { 0, 0 };
    while (!(word & (1u << layout.position)))
        ++layout.position;
    for (std::uint32_t rest = word; rest; rest &= rest - 1)
        ++layout.bits;
    return layout;
}

} // namespace

std::int32_t ProbeFormat16(Format16Probe &display)
{
    ChannelLayout layouts[3];
    for (int i = 0; i < 3; ++i) {
        const std::uint16_t word = display.ReadBack(PROBE_COLOURS[i]);
        if (word == 0)
            return FORMAT16_565;
        layouts[i] = LayoutOf(word);
    }
    const ChannelLayout &red = layouts[0], &green = layouts[1], &blue = layouts[2];
    return red.position << 20 | red.bits << 16 | green.position << 12 | green.bits << 8 | blue.position << 4
        | blue.bits;
}
