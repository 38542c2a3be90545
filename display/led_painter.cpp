#include "display/led_painter.h"

#include "display/device_bitmaps.h"
#include "display/led_tables.h"
#include "display/scaled_device.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

void PaintLed(
    QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level, const QRegion &region)
{
    if (!bitmaps.IsBuilt())
        return;
    const int step = BrightnessStep(level);
    const std::vector<FramePiece> &pieces = FramePieces();
    const PieceRange range = PositionPieces(LED_ORDER[static_cast<std::size_t>(led)]);
    for (std::size_t p = range.first; p < range.last; ++p) {
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

void PaintPieces(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level,
    const std::vector<bool> &wanted)
{
    const int step = BrightnessStep(level);
    const std::vector<FramePiece> &pieces = FramePieces();
    const PieceRange range = PositionPieces(LED_ORDER[static_cast<std::size_t>(led)]);
    // The pieces copied next in one go: from run.rect of run.pixmap to target.
    DeviceBitmaps::Source run { nullptr, QRect() };
    QPoint target;
    const auto copyRun = [&] {
        if (run.pixmap) {
            painter.setClipRect(QRect(target, run.rect.size()));
            painter.drawPixmap(target, *run.pixmap, run.rect);
        }
        run.pixmap = nullptr;
    };
    for (std::size_t p = range.first; p < range.last; ++p) {
        const DeviceBitmaps::Source source
            = wanted[p] ? bitmaps.PieceAt(p, step) : DeviceBitmaps::Source { nullptr, QRect() };
        const QPoint at = QPoint(pieces[p].rect.left, pieces[p].rect.top) + origin;
        if (source.pixmap && source.pixmap == run.pixmap
            && source.rect.topLeft() == run.rect.bottomLeft() + QPoint(0, 1)
            && source.rect.width() == run.rect.width() && at == target + QPoint(0, run.rect.height())) {
            run.rect.setBottom(source.rect.bottom());
            continue;
        }
        copyRun();
        run = source;
        target = at;
    }
    copyRun();
    painter.setClipping(false);
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

void TakeStepPictures(ScaledDevice &device, const DeviceBitmaps &bitmaps)
{
    for (int step = 0; step < BRIGHTNESS_STEPS; ++step) {
        LedLevels levels;
        levels.fill(static_cast<std::uint8_t>(step * LED_LEVELS_PER_STEP));
        const QImage picture = RenderDevice(bitmaps, levels);
        device.TakeStepPicture(step, reinterpret_cast<const std::uint32_t *>(picture.constBits()));
    }
}
