#pragma once

#include "display/probe_format16.h"

#include <QImage>

#include <cstdint>

// What the screen takes: bits per pixel and, at 16 bits, its layout.
struct DisplayFormat {
    std::int32_t depth;
    std::int32_t format16;
};

// Reads back what a 16-bit pixmap of the screen stores for a colour.
class ScreenFormat16Probe : public Format16Probe
{
public:
    std::uint16_t ReadBack(std::uint32_t colourRef) override;
};

// The primary screen's depth and, when it is 16, its probed layout.
DisplayFormat ScreenDisplayFormat();

// The depth and layout the device picture is converted to for a display: the
// display's own where a QImage format matches it, else 32 bits.
DisplayFormat ConvertibleFormat(const DisplayFormat &display);

// The QImage format of a block converted for a format ConvertibleFormat gave.
QImage::Format BlockImageFormat(const DisplayFormat &format);
