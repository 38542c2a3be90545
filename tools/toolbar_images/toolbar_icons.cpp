#include "toolbar_icons.h"

#include "icon_painter.h"

#include <functional>

using namespace IconStyle;

namespace
{

void DrawOpen(QPainter &p)
{
    FillOutlined(p,
        Polygon({ { 3.5, 7.5 }, { 11.5, 7.5 }, { 13.5, 10 }, { 25.5, 10 }, { 25.5, 25.5 }, { 3.5, 25.5 } }),
        QColor(232, 170, 56), QColor(196, 128, 30));
    FillOutlined(p, Polygon({ { 7.5, 6 }, { 21.5, 6 }, { 21.5, 16 }, { 7.5, 16 } }), QColor(255, 255, 255),
        QColor(226, 232, 242), 1);
    FillOutlined(p, Polygon({ { 8, 14.5 }, { 29.5, 14.5 }, { 25.5, 25.5 }, { 3.5, 25.5 } }),
        QColor(255, 214, 110), QColor(240, 172, 50));
}

void DrawSaveAs(QPainter &p)
{
    FillOutlined(p, RoundedRect(3.5, 3.5, 22, 22, 2.5), QColor(92, 148, 230), QColor(38, 88, 170));
    FillOutlined(p, RoundedRect(8.5, 3.5, 12, 7.5, 1), QColor(236, 240, 246), QColor(188, 198, 214), 1);
    p.fillRect(QRectF(15.5, 5, 3, 4.5), OUTLINE);
    FillOutlined(p, RoundedRect(7, 15, 15, 10.5, 1), QColor(255, 255, 255), QColor(228, 234, 244), 1);
    p.setPen(QPen(QColor(120, 160, 220), 1));
    p.drawLine(QPointF(9.5, 18.5), QPointF(19.5, 18.5));
    p.drawLine(QPointF(9.5, 21.5), QPointF(19.5, 21.5));

    // A pencil across the corner: "under a new name".
    p.save();
    p.translate(23, 22);
    p.rotate(-45);
    FillOutlined(p, RoundedRect(-2.5, -10, 5, 3, 1), QColor(240, 150, 170), QColor(210, 100, 124), 1);
    FillOutlined(p, Polygon({ { -2.5, -7 }, { 2.5, -7 }, { 2.5, 5 }, { -2.5, 5 } }), QColor(255, 214, 80),
        QColor(232, 168, 30), 1);
    FillOutlined(
        p, Polygon({ { -2.5, 5 }, { 2.5, 5 }, { 0, 10 } }), QColor(246, 222, 184), QColor(226, 192, 146), 1);
    p.setBrush(OUTLINE);
    p.drawPath(Polygon({ { -0.9, 8.2 }, { 0.9, 8.2 }, { 0, 10 } }));
    p.restore();
}

void DrawStart(QPainter &p)
{
    FillOutlined(
        p, Polygon({ { 9, 5 }, { 27.5, 16 }, { 9, 27 } }), QColor(120, 226, 120), QColor(30, 150, 60), 1.6);
}

void DrawStop(QPainter &p)
{
    FillOutlined(p, RoundedRect(7, 7, 18, 18, 3), QColor(246, 122, 104), QColor(190, 44, 36), 1.6);
}

void DrawUpload(QPainter &p)
{
    FillOutlined(p, RoundedRect(3.5, 18.5, 25, 10, 2.5), QColor(112, 122, 144), QColor(52, 60, 80));
    const QColor leds[] = { QColor(255, 196, 64), QColor(110, 220, 110), QColor(250, 100, 80) };
    for (int i = 0; i < 3; ++i)
        FillOutlined(p, Circle(10 + 6 * i, 23.5, 1.9), leds[i].lighter(130), leds[i], 0.8);
    FillOutlined(p,
        Polygon({ { 12.5, 2.5 }, { 19.5, 2.5 }, { 19.5, 9.5 }, { 24, 9.5 }, { 16, 17 }, { 8, 9.5 },
            { 12.5, 9.5 } }),
        QColor(110, 170, 245), QColor(40, 96, 190));
}

void DrawEditor(QPainter &p)
{
    const qreal left = 4.5, top = 4.5, right = 27.5, bottom = 27.5;
    const qreal indexRight = 9.5, headerBottom = 9;
    const int columns = 4, rows = 4;
    const qreal cellWidth = (right - indexRight) / columns, cellHeight = (bottom - headerBottom) / rows;

    p.fillRect(QRectF(left, top, right - left, bottom - top), Qt::white);
    p.fillRect(QRectF(left, top, right - left, headerBottom - top), QColor(92, 148, 230));
    p.fillRect(QRectF(left, headerBottom, indexRight - left, bottom - headerBottom), QColor(214, 220, 232));
    // A chase running across the channels, one lit cell a line.
    const int lit[rows][2] = { { 0, 1 }, { 1, 2 }, { 2, 3 }, { 3, 0 } };
    for (int row = 0; row < rows; ++row)
        for (int column : lit[row])
            p.fillRect(QRectF(indexRight + column * cellWidth, headerBottom + row * cellHeight, cellWidth,
                           cellHeight),
                QColor(250, 186, 56));

    p.setPen(QPen(QColor(150, 162, 186), 0.8));
    for (int column = 1; column < columns; ++column)
        p.drawLine(QPointF(indexRight + column * cellWidth, headerBottom),
            QPointF(indexRight + column * cellWidth, bottom));
    for (int row = 1; row < rows; ++row)
        p.drawLine(
            QPointF(left, headerBottom + row * cellHeight), QPointF(right, headerBottom + row * cellHeight));
    p.setPen(QPen(OUTLINE, 1));
    p.drawLine(QPointF(indexRight, top), QPointF(indexRight, bottom));
    p.drawLine(QPointF(left, headerBottom), QPointF(right, headerBottom));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(OUTLINE, 1.2));
    p.drawRect(QRectF(left, top, right - left, bottom - top));
}

void DrawAbout(QPainter &p)
{
    FillOutlined(p, Circle(16, 16, 12.5), QColor(110, 170, 245), QColor(36, 88, 180));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
    p.drawPath(Polygon({ { 12.5, 13 }, { 18, 13 }, { 18, 22 }, { 19.5, 22 }, { 19.5, 24.5 }, { 12.5, 24.5 },
        { 12.5, 22 }, { 14, 22 }, { 14, 15.5 }, { 12.5, 15.5 } }));
}

void DrawWebSite(QPainter &p)
{
    const QPainterPath globe = Circle(16, 16, 12.5);
    FillOutlined(p, globe, QColor(110, 200, 236), QColor(26, 110, 176));
    p.save();
    p.setClipPath(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 210), 1.1));
    p.drawEllipse(QPointF(16, 16), 5.5, 12.5);
    p.drawLine(QPointF(16, 3), QPointF(16, 29));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    p.drawLine(QPointF(3, 9.5), QPointF(29, 9.5));
    p.drawLine(QPointF(3, 22.5), QPointF(29, 22.5));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(OUTLINE, 1.2));
    p.drawPath(globe);
}

// Maps every pixel of the icons to a new colour, keeping its alpha.
QImage MapColours(const QImage &icons, const std::function<QRgb(QRgb)> &map)
{
    QImage strip(icons.size(), QImage::Format_RGB888);
    for (int y = 0; y < icons.height(); ++y)
        for (int x = 0; x < icons.width(); ++x) {
            const QRgb pixel = icons.pixel(x, y);
            // Where nothing is drawn the colour is never seen: leave it black.
            strip.setPixel(x, y, qAlpha(pixel) == 0 ? qRgb(0, 0, 0) : map(pixel));
        }
    return strip;
}

int Luminance(QRgb pixel)
{
    return (qRed(pixel) * 30 + qGreen(pixel) * 59 + qBlue(pixel) * 11) / 100;
}

} // namespace

QImage DrawToolbarIcons(qreal scale)
{
    const std::function<void(QPainter &)> icons[TOOLBAR_BUTTON_COUNT]
        = { DrawOpen, DrawSaveAs, DrawStart, DrawStop, DrawUpload, DrawEditor, DrawAbout, DrawWebSite };
    const int size = qRound(TOOLBAR_BUTTON_SIZE * scale);
    QImage strip(TOOLBAR_BUTTON_COUNT * size, size, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
        QPainter painter;
        BeginIcon(painter, strip, i * size, scale);
        icons[i](painter);
        painter.end();
    }
    return strip.convertToFormat(QImage::Format_ARGB32);
}

QImage ColourStrip(const QImage &icons)
{
    return MapColours(icons, [](QRgb pixel) { return qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)); });
}

QImage DisabledStrip(const QImage &icons)
{
    // A light, flat grey: the shapes stay readable but clearly out of use.
    return MapColours(icons, [](QRgb pixel) {
        const int grey = 118 + Luminance(pixel) * 45 / 100;
        return qRgb(grey, grey, grey);
    });
}

QImage HotStrip(const QImage &icons)
{
    // A quarter of the way towards white, so the button under the pointer lights up.
    return MapColours(icons, [](QRgb pixel) {
        const auto lift = [](int c) { return c + (255 - c) / 4; };
        return qRgb(lift(qRed(pixel)), lift(qGreen(pixel)), lift(qBlue(pixel)));
    });
}

QImage MaskStrip(const QImage &icons)
{
    QImage mask(icons.size(), QImage::Format_RGB888);
    for (int y = 0; y < icons.height(); ++y)
        for (int x = 0; x < icons.width(); ++x) {
            const int through = 255 - qAlpha(icons.pixel(x, y));
            mask.setPixel(x, y, qRgb(through, through, through));
        }
    return mask;
}

QImage FlatStrip(const QImage &icons, QColor face)
{
    QImage flat(icons.size(), QImage::Format_RGB888);
    flat.fill(face);
    QPainter painter(&flat);
    painter.drawImage(0, 0, icons);
    return flat;
}
