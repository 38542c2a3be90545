#include "display/display_format.h"

#include <QColor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstring>

namespace
{

QColor FromColourRef(std::uint32_t colourRef)
{
    return QColor(colourRef & 0xFF, (colourRef >> 8) & 0xFF, (colourRef >> 16) & 0xFF);
}

} // namespace

std::uint16_t ScreenFormat16Probe::ReadBack(std::uint32_t colourRef)
{
    QPixmap pixel(1, 1);
    pixel.fill(FromColourRef(colourRef));
    QImage stored = pixel.toImage();
    if (stored.depth() != 16)
        stored.convertTo(QImage::Format_RGB16);
    std::uint16_t word;
    std::memcpy(&word, stored.constScanLine(0), sizeof word);
    return word;
}

DisplayFormat ScreenDisplayFormat()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const std::int32_t depth = screen ? screen->depth() : RGB32_FORMAT.depth;
    if (depth != 16)
        return { depth, 0 };
    ScreenFormat16Probe probe;
    return { depth, ProbeFormat16(probe) };
}

DisplayFormat PixmapFormat(const DisplayFormat &display)
{
    const bool known16 = display.format16 == FORMAT16_565 || display.format16 == FORMAT16_555;
    return display.depth == 16 && known16 ? display : RGB32_FORMAT;
}

QImage::Format PixmapImageFormat(const DisplayFormat &format)
{
    if (format.depth != 16)
        return QImage::Format_RGB32;
    return format.format16 == FORMAT16_555 ? QImage::Format_RGB555 : QImage::Format_RGB16;
}
