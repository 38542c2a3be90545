#include "icon_painter.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QSvgGenerator>

void IconStyle::BeginIcon(QPainter &painter, QImage &image, qreal x, qreal scale)
{
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(x, 0);
    painter.scale(scale, scale);
}

void IconStyle::FillOutlined(
    QPainter &painter, const QPainterPath &path, const QColor &top, const QColor &bottom, qreal outlineWidth)
{
    const QRectF bounds = path.boundingRect();
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setBrush(gradient);
    painter.setPen(QPen(OUTLINE, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

QPainterPath IconStyle::RoundedRect(qreal x, qreal y, qreal width, qreal height, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, width, height), radius, radius);
    return path;
}

QPainterPath IconStyle::Circle(qreal centreX, qreal centreY, qreal radius)
{
    QPainterPath path;
    path.addEllipse(QPointF(centreX, centreY), radius, radius);
    return path;
}

QPainterPath IconStyle::Polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

namespace
{

// An LED lit to brightness (0..1): a warm core with a halo around it.
void DrawLed(QPainter &painter, QPointF centre, qreal radius, qreal brightness)
{
    const QColor dark(70, 34, 24);
    const QColor lit(255, 196, 64);
    const auto mix = [&](int a, int b) { return int(a + (b - a) * brightness); };
    const QColor core(
        mix(dark.red(), lit.red()), mix(dark.green(), lit.green()), mix(dark.blue(), lit.blue()));

    QRadialGradient halo(centre, radius * 1.9);
    halo.setColorAt(0, QColor(255, 214, 110, int(140 * brightness)));
    halo.setColorAt(1, QColor(255, 160, 40, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, radius * 1.9, radius * 1.9);

    QRadialGradient body(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.2);
    body.setColorAt(0, core.lighter(100 + int(60 * brightness)));
    body.setColorAt(1, core);
    painter.setBrush(body);
    painter.setPen(QPen(QColor(20, 16, 14), radius * 0.25));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

namespace
{

// The icon in a painter whose units are 1/48 of its size.
void PaintApplicationIcon(QPainter &painter, int size)
{
    using namespace IconStyle;

    FillOutlined(painter, RoundedRect(2, 7, 44, 34, 7), QColor(74, 88, 122), QColor(28, 34, 52), 2);
    // Few, large LEDs where the icon is small, so that they stay apart.
    const int ledCount = size < 32 ? 3 : 4;
    const qreal spacing = 36.0 / ledCount;
    const qreal radius = size < 32 ? 4.8 : 3.7;
    for (int i = 0; i < ledCount; ++i)
        DrawLed(painter, QPointF(6 + spacing * (i + 0.5), 21), radius, 1.0 - 0.9 * i / (ledCount - 1));
    // The input switch below the LEDs.
    FillOutlined(painter, RoundedRect(16, 31, 16, 5, 2.5), QColor(210, 216, 228), QColor(140, 150, 170), 1.5);
}

// The size whose drawing the scalable icon takes: the largest, with four LEDs.
constexpr int SCALABLE_ICON_SIZE = 48;

} // namespace

QImage DrawApplicationIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter;
    IconStyle::BeginIcon(painter, image, 0, size / 48.0);
    PaintApplicationIcon(painter, size);
    painter.end();
    return image;
}

bool DrawScalableApplicationIcon(const QString &path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(SCALABLE_ICON_SIZE, SCALABLE_ICON_SIZE));
    svg.setViewBox(QRect(0, 0, SCALABLE_ICON_SIZE, SCALABLE_ICON_SIZE));
    svg.setTitle(QStringLiteral("Pemblo!"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    PaintApplicationIcon(painter, SCALABLE_ICON_SIZE);
    return painter.end() && QFileInfo(path).size() > 0;
}
