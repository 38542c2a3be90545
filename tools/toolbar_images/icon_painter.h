#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

// The drawing style shared by the toolbar icons and the application icon:
// soft vertical gradients under one dark outline colour.
namespace IconStyle
{

inline const QColor OUTLINE(34, 44, 66);

// A painter on image with antialiasing, its origin moved to (x, 0) and its
// units scaled by scale.
void BeginIcon(QPainter &painter, QImage &image, qreal x = 0, qreal scale = 1);

// Fills path with a gradient from top to bottom and outlines it.
void FillOutlined(QPainter &painter, const QPainterPath &path, const QColor &top, const QColor &bottom,
    qreal outlineWidth = 1.2);

QPainterPath RoundedRect(qreal x, qreal y, qreal width, qreal height, qreal radius);
QPainterPath Circle(qreal centreX, qreal centreY, qreal radius);
QPainterPath Polygon(std::initializer_list<QPointF> points);

} // namespace IconStyle

// The sizes the application icon is drawn at.
inline constexpr int APPLICATION_ICON_SIZES[] = { 16, 24, 32, 48, 64, 128, 256 };

// The application icon at size x size pixels: the VELTOR box with a row of
// LEDs fading out, as a light sequence does.
QImage DrawApplicationIcon(int size);
// The same, drawn by the same code, as a scalable SVG file; false when it
// cannot be written.
bool DrawScalableApplicationIcon(const QString &path);
