#include "display/led_painter.h"

#include "display/device_bitmaps.h"
#include "display/led_tables.h"

#include <QImage>
#include <QPainter>
#include <QRect>

namespace
{

QRect ToQRect(const PictureRect &rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

void PaintLed(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level)
{
    const int position = LED_ORDER[static_cast<std::size_t>(led)];
    const QPixmap &frame = bitmaps.Frame(BrightnessStep(level), position);
    if (frame.isNull())
        return;
    const QRect bounds = ToQRect(LED_BOUNDS[static_cast<std::size_t>(position)]);
    for (int i = 0; i < ShapeCount(position); ++i) {
        const QRect area = ToQRect(LED_SHAPES[position][i].Normalised()) & bounds;
        if (!area.isEmpty())
            painter.drawPixmap(area.topLeft() + origin, frame, area.translated(-bounds.topLeft()));
    }
}

void PaintDevice(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, const LedLevels &levels)
{
    if (!bitmaps.IsBuilt())
        return;
    painter.drawPixmap(origin, bitmaps.Background());
    for (int led = 0; led < LED_COUNT; ++led)
        PaintLed(painter, origin, bitmaps, led, levels[static_cast<std::size_t>(led)]);
}

QImage RenderDevice(const DeviceBitmaps &bitmaps, const LedLevels &levels)
{
    QImage picture(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    PaintDevice(painter, QPoint(0, 0), bitmaps, levels);
    return picture;
}
