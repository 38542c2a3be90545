#pragma once

#include <cstdint>

// A 16-bit display that can show one pixel of a colour and give back the 16
// bits it stored for it. The colour is a colour reference: 0x00BBGGRR.
class Format16Probe
{
public:
    virtual ~Format16Probe() = default;
    virtual std::uint16_t ReadBack(std::uint32_t colourRef) = 0;
};

// 16-bit format descriptors: six 4-bit fields, lowest first: blue bits, blue
// position, green bits, green position, red bits, red position.
inline constexpr std::int32_t FORMAT16_565 = 0xB55605;
inline constexpr std::int32_t FORMAT16_555 = 0xA55505;

// Learns the display's 16-bit layout by showing pure red, green and blue.
// A display on which a primary reads back as 0 has no usable layout; it is
// taken as 5-6-5, the common one.
std::int32_t ProbeFormat16(Format16Probe &display);
