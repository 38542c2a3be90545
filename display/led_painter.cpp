#include "display/led_painter.h"

#include "display/device_bitmaps.h"
#include "display/led_tables.h"

#include <QPainter>
#include <QRegion>

void PaintLed(
    QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level, const QRegion &region)
{
    if (!bitmaps.IsBuilt())
        return;
    const int position = LED_ORDER[static_cast<std::size_t>(led)];
    const int step = BrightnessStep(level);
    const std::vector<LedShapeArea> &areas = LedShapeAreas();
    for (std::size_t k = 0; k < areas.size(); ++k) {
        if (areas[k].position != position)
            continue;
        const DeviceBitmaps::Source source = bitmaps.AreaAt(k, step);
        if (!source.pixmap)
            continue;
        const QPoint target = QPoint(areas[k].rect.left, areas[k].rect.top) + origin;
        for (const QRect &part : region.intersected(QRect(target, source.rect.size()))) {
            painter.setClipRect(part);
            painter.drawPixmap(target, *source.pixmap, source.rect);
        }
    }
    painter.setClipping(false);
}
