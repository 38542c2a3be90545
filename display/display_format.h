#pragma once

#include "display/probe_format16.h"

#include <QImage>

#include <cstdint>

// What the screen takes: bits per pixel and, at 16 bits, its layout.
struct DisplayFormat {
    std::int32_t depth;
    std::int32_t format16;
};

// 32 bits a pixel (blue, green, red, 0xFF): lossless, whatever the screen.
inline constexpr DisplayFormat RGB32_FORMAT { 32, 0 };

// Reads back what a 16-bit pixmap of the screen stores for a colour.
class ScreenFormat16Probe : public Format16Probe
{
public:
    std::uint16_t ReadBack(std::uint32_t colourRef) override;
};

// The primary screen's depth and, when it is 16, its probed layout.
DisplayFormat ScreenDisplayFormat();

// The depth and layout the device picture is made in for a display: what the
// display's pixmaps hold, so that they take the pixels as they are. That is
// 16 bits on a 16-bit display of a known layout, else 32 bits (blue, green,
// red, 0xFF): a 24-bit display's pixmaps hold 32-bit pixels too.
DisplayFormat PixmapFormat(const DisplayFormat &display);

// The QImage format of pixels made for a format PixmapFormat gave.
QImage::Format PixmapImageFormat(const DisplayFormat &format);
