#include "editor/focus_frame.h"

#include <QPainter>

void PaintFocusFrame(QPainter &painter, const QRect &rect, int top, int bottom)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.setClipRect(QRect(rect.left(), top, rect.width(), bottom - top));
    const QRect frame = rect.adjusted(0, 0, -1, -1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(frame);
    painter.restore();
}
