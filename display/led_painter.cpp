#include "display/led_painter.h"

#include "display/device_bitmaps.h"
#include "display/led_tables.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

void PaintLed(
    QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level, const QRegion &region)
{
    if (!bitmaps.IsBuilt())
        return;
    const int position = LED_ORDER[static_cast<std::size_t>(led)];
    const int step = BrightnessStep(level);
    const std::vector<FramePiece> &pieces = FramePieces();
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        if (pieces[p].position != position)
            continue;
        const DeviceBitmaps::Source source = bitmaps.PieceAt(p, step);
        if (!source.pixmap)
            continue;
        const QRect target(QPoint(pieces[p].rect.left, pieces[p].rect.top) + origin, source.rect.size());
        if (!region.intersects(target))
            continue;
        if (region.rectCount() == 1) {
            painter.drawPixmap(target.topLeft(), *source.pixmap, source.rect);
            continue;
        }
        for (const QRect &part : region.intersected(target)) {
            painter.setClipRect(part);
            painter.drawPixmap(target.topLeft(), *source.pixmap, source.rect);
        }
        painter.setClipping(false);
    }
}

void PaintPiece(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, std::size_t piece, int level)
{
    const DeviceBitmaps::Source source = bitmaps.PieceAt(piece, BrightnessStep(level));
    const PictureRect &rect = FramePieces()[piece].rect;
    if (source.pixmap)
        painter.drawPixmap(QPoint(rect.left, rect.top) + origin, *source.pixmap, source.rect);
}

QImage RenderDevice(const DeviceBitmaps &bitmaps, const LedLevels &levels)
{
    QImage picture(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (!bitmaps.IsBuilt())
        return picture;
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, bitmaps.Background());
    for (int led = 0; led < LED_COUNT; ++led)
        PaintLed(painter, QPoint(0, 0), bitmaps, led, levels[static_cast<std::size_t>(led)], picture.rect());
    return picture;
}
