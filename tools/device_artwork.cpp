#include "tools/device_artwork.h"

#include "core/constants.h"
#include "display/led_tables.h"
#include "tools/box_geometry.h"
#include "tools/led_areas.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{

constexpr int SIZE = DEVICE_PICTURE_SIZE;

constexpr double BEVEL = 9.0;

constexpr double LENS_RADIUS = 19.0;
constexpr double BEZEL_RADIUS = 27.0;
constexpr double BUTTON_RADIUS = 40.0;
constexpr double BUTTON_RING_RADIUS = 48.0;
constexpr double LABEL_RADIUS = 262.0;

// The white-hot core of a lit LED.
const QColor LIGHT_CORE(255, 244, 214);
// How far the parts of the glow reach, and the soft edge at which it fades
// out before its area ends.
constexpr double GLOW_BLOOM = 12.0;
constexpr double GLOW_HALO = 22.0;
constexpr double GLOW_TAIL = 45.0;
constexpr double GLOW_OUTWARD_SHRINK = 0.8;
constexpr double GLOW_INWARD_GROWTH = 1.25;
constexpr double GLOW_EDGE_FADE = 30.0;

QRectF CircleRect(QPointF centre, double radius)
{
    return QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
}

// A fine, even grain, the same on every run.
class Grain
{
public:
    int Next(int amplitude)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<int>((m_state >> 24) % static_cast<std::uint32_t>(2 * amplitude + 1)) - amplitude;
    }

private:
    std::uint32_t m_state = 0x5EED1234u;
};

int Clamp8(double value)
{
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

void AddGrain(QImage &image, int amplitude)
{
    Grain grain;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int g = grain.Next(amplitude);
            const QRgb c = line[x];
            line[x] = qRgb(Clamp8(qRed(c) + g), Clamp8(qGreen(c) + g), Clamp8(qBlue(c) + g));
        }
    }
}

void DrawDesk(QPainter &painter)
{
    QRadialGradient desk(QPointF(HUB_X, HUB_Y - 60), 620);
    desk.setColorAt(0.0, QColor(58, 62, 70));
    desk.setColorAt(1.0, QColor(20, 21, 25));
    painter.fillRect(QRectF(0, 0, SIZE, SIZE), desk);
}

void DrawBoxBody(QPainter &painter)
{
    // A soft shadow on the desk, then the box's front wall below its face.
    for (int i = 14; i >= 1; --i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 10));
        painter.drawRoundedRect(
            BoxRect(-i * 1.6).translated(6, BOX_HEIGHT + 8), BOX_CORNER + i, BOX_CORNER + i);
    }
    QLinearGradient wall(0, HUB_Y, 0, HUB_Y + BOX_HALF + BOX_HEIGHT);
    wall.setColorAt(0.0, QColor(30, 32, 37));
    wall.setColorAt(1.0, QColor(16, 17, 20));
    painter.setBrush(wall);
    painter.drawRoundedRect(BoxRect().translated(0, BOX_HEIGHT), BOX_CORNER, BOX_CORNER);
}

void DrawBoxFace(QPainter &painter)
{
    QLinearGradient rim(BoxRect().topLeft(), BoxRect().bottomRight());
    rim.setColorAt(0.0, QColor(128, 134, 146));
    rim.setColorAt(0.45, QColor(70, 74, 82));
    rim.setColorAt(1.0, QColor(34, 36, 41));
    painter.setPen(Qt::NoPen);
    painter.setBrush(rim);
    painter.drawRoundedRect(BoxRect(), BOX_CORNER, BOX_CORNER);

    QLinearGradient face(0, HUB_Y - BOX_HALF, 0, HUB_Y + BOX_HALF);
    face.setColorAt(0.0, QColor(66, 70, 78));
    face.setColorAt(1.0, QColor(44, 47, 53));
    painter.setBrush(face);
    painter.drawRoundedRect(BoxRect(BEVEL), BOX_CORNER - BEVEL, BOX_CORNER - BEVEL);

    // A recessed panel that carries the lenses.
    QRadialGradient panel(QPointF(HUB_X - 80, HUB_Y - 120), 420);
    panel.setColorAt(0.0, QColor(40, 43, 49));
    panel.setColorAt(1.0, QColor(24, 26, 30));
    painter.setPen(QPen(QColor(90, 95, 105), 1.5));
    painter.setBrush(panel);
    painter.drawEllipse(CircleRect(QPointF(HUB_X, HUB_Y), LABEL_RADIUS + 30));
    painter.setPen(QPen(QColor(14, 15, 18), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(CircleRect(QPointF(HUB_X, HUB_Y), LABEL_RADIUS + 28));
}

void DrawScrew(QPainter &painter, QPointF centre)
{
    QRadialGradient head(centre - QPointF(3, 3), 10);
    head.setColorAt(0.0, QColor(190, 194, 200));
    head.setColorAt(1.0, QColor(72, 76, 84));
    painter.setPen(QPen(QColor(22, 23, 27), 1.2));
    painter.setBrush(head);
    painter.drawEllipse(CircleRect(centre, 8));
    painter.setPen(QPen(QColor(40, 42, 48), 2.0));
    painter.drawLine(centre + QPointF(-4.5, -4.5), centre + QPointF(4.5, 4.5));
    painter.drawLine(centre + QPointF(-4.5, 4.5), centre + QPointF(4.5, -4.5));
}

void DrawScrews(QPainter &painter)
{
    const double offset = BOX_HALF - 34;
    for (const double dx : { -offset, offset })
        for (const double dy : { -offset, offset })
            DrawScrew(painter, QPointF(HUB_X + dx, HUB_Y + dy));
}

void DrawBezel(QPainter &painter, QPointF centre)
{
    QConicalGradient metal(centre, 45);
    metal.setColorAt(0.0, QColor(210, 214, 220));
    metal.setColorAt(0.25, QColor(96, 100, 108));
    metal.setColorAt(0.5, QColor(180, 184, 192));
    metal.setColorAt(0.75, QColor(80, 84, 92));
    metal.setColorAt(1.0, QColor(210, 214, 220));
    painter.setPen(QPen(QColor(12, 13, 15), 1.5));
    painter.setBrush(metal);
    painter.drawEllipse(CircleRect(centre, BEZEL_RADIUS));
    painter.setPen(QPen(QColor(20, 21, 24), 2.0));
    painter.setBrush(QColor(18, 19, 22));
    painter.drawEllipse(CircleRect(centre, LENS_RADIUS + 3));
}

// The lens glass: smoky amber when dark, glowing from inside when lit.
void DrawLens(QPainter &painter, QPointF centre, bool lit)
{
    QRadialGradient glass(centre, LENS_RADIUS, centre + QPointF(-5, -6));
    if (lit) {
        glass.setColorAt(0.0, QColor(255, 255, 248));
        glass.setColorAt(0.35, LIGHT_CORE);
        glass.setColorAt(0.8, QColor(255, 178, 60));
        glass.setColorAt(1.0, QColor(236, 120, 20));
    } else {
        glass.setColorAt(0.0, QColor(104, 62, 30));
        glass.setColorAt(0.7, QColor(58, 32, 16));
        glass.setColorAt(1.0, QColor(30, 17, 10));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(glass);
    painter.drawEllipse(CircleRect(centre, LENS_RADIUS));
    // The reflection of a window on the dome.
    QRadialGradient shine(centre + QPointF(-7, -8), 9);
    shine.setColorAt(0.0, QColor(255, 255, 255, lit ? 200 : 120));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawEllipse(CircleRect(centre + QPointF(-7, -8), 9));
}

// The channel an LED position shows, as the user counts them: 1..8.
int ChannelNumberAt(int position)
{
    const auto *shown = std::find(LED_ORDER.begin(), LED_ORDER.end(), position);
    return LED_CHANNEL[shown - LED_ORDER.begin()] + 1;
}

void DrawChannelLabel(QPainter &painter, QPointF lens, int channel)
{
    const QPointF hub(HUB_X, HUB_Y);
    const QPointF at = hub + (lens - hub) * (LABEL_RADIUS / LENS_RING_RADIUS);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    const QRectF box = CircleRect(at, 14);
    painter.setPen(QColor(8, 9, 11));
    painter.drawText(box.translated(0, 1), Qt::AlignCenter, QString::number(channel));
    painter.setPen(QColor(150, 156, 168));
    painter.drawText(box, Qt::AlignCenter, QString::number(channel));
}

// The input switch in the middle: a rubber cap in a metal ring.
void DrawInputSwitch(QPainter &painter)
{
    const QPointF hub(HUB_X, HUB_Y);
    QLinearGradient ring(hub - QPointF(0, BUTTON_RING_RADIUS), hub + QPointF(0, BUTTON_RING_RADIUS));
    ring.setColorAt(0.0, QColor(24, 25, 29));
    ring.setColorAt(1.0, QColor(150, 155, 164));
    painter.setPen(QPen(QColor(12, 13, 15), 1.5));
    painter.setBrush(ring);
    painter.drawEllipse(CircleRect(hub, BUTTON_RING_RADIUS));

    QRadialGradient cap(hub - QPointF(12, 16), BUTTON_RADIUS * 1.6);
    cap.setColorAt(0.0, QColor(96, 100, 110));
    cap.setColorAt(0.6, QColor(46, 48, 54));
    cap.setColorAt(1.0, QColor(26, 27, 31));
    painter.setBrush(cap);
    painter.drawEllipse(CircleRect(hub, BUTTON_RADIUS));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    painter.setFont(font);
    painter.setPen(QColor(150, 156, 168));
    painter.drawText(CircleRect(hub, BUTTON_RADIUS), Qt::AlignCenter, QStringLiteral("INPUT"));
}

void DrawLettering(QPainter &painter)
{
    QFont brand(QStringLiteral("DejaVu Sans"));
    brand.setPixelSize(22);
    brand.setBold(true);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 7);
    painter.setFont(brand);
    const QRectF bottom(HUB_X - 200, HUB_Y + BOX_HALF - 46, 400, 30);
    painter.setPen(QColor(10, 11, 13));
    painter.drawText(bottom.translated(0, 1.5), Qt::AlignCenter, QStringLiteral("VELTOR"));
    painter.setPen(QColor(196, 200, 208));
    painter.drawText(bottom, Qt::AlignCenter, QStringLiteral("VELTOR"));

    QFont maker(QStringLiteral("DejaVu Sans"));
    maker.setPixelSize(11);
    maker.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    painter.setFont(maker);
    painter.setPen(QColor(130, 136, 148));
    painter.drawText(QRectF(HUB_X - 200, HUB_Y - BOX_HALF + 16, 400, 20), Qt::AlignCenter,
        QStringLiteral("QUENFEL  \u00b7  LIGHT CONTROLLER"));
}

QImage DrawOffImage(const LedAreas &areas)
{
    QImage image(SIZE, SIZE, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawDesk(painter);
    DrawBoxBody(painter);
    DrawBoxFace(painter);
    DrawScrews(painter);
    DrawInputSwitch(painter);
    for (int p = 0; p < LED_COUNT; ++p) {
        DrawBezel(painter, areas.LensCentre(p));
        DrawLens(painter, areas.LensCentre(p), false);
        DrawChannelLabel(painter, areas.LensCentre(p), ChannelNumberAt(p));
    }
    DrawLettering(painter);
    painter.end();
    AddGrain(image, 2);
    return image;
}

double SmoothStep(double edge, double x)
{
    const double t = std::clamp(x / edge, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// How strongly an LED lights a point at distance d from its lens centre: a
// bright bloom round the bezel and a soft halo that dies out well inside
// the LED's area.
double GlowAt(double d)
{
    const double beyond = std::max(0.0, d - LENS_RADIUS);
    const double bloom = beyond / GLOW_BLOOM;
    const double halo = beyond / GLOW_HALO;
    return 0.8 * std::exp(-bloom * bloom) + 0.5 * std::exp(-halo * halo)
        + 0.06 * std::exp(-beyond / GLOW_TAIL);
}

// The distance that the glow falls off with: the areas widen away from the
// hub and narrow towards it, so the light reaches further outwards than
// sideways, and least inwards.
double GlowDistance(QPointF point, QPointF lens)
{
    const QPointF outwards = (lens - QPointF(HUB_X, HUB_Y)) / LENS_RING_RADIUS;
    const QPointF v = point - lens;
    const double along = v.x() * outwards.x() + v.y() * outwards.y();
    const double across = v.x() * outwards.y() - v.y() * outwards.x();
    const double stretched = along * (along > 0 ? GLOW_OUTWARD_SHRINK : GLOW_INWARD_GROWTH);
    return std::hypot(stretched, across);
}

// Screens the light over a pixel: the brighter the light, the closer to it.
QRgb Lighten(QRgb base, double amount)
{
    const double a = std::clamp(amount, 0.0, 1.0);
    auto screen = [a](int c, int light) { return Clamp8(c + (light - c * light / 255.0) * a); };
    return qRgb(screen(qRed(base), LED_LIGHT.red()), screen(qGreen(base), LED_LIGHT.green()),
        screen(qBlue(base), LED_LIGHT.blue()));
}

void AddGlow(QImage &image, const LedAreas &areas)
{
    for (int y = 0; y < SIZE; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < SIZE; ++x) {
            const int owner = areas.Owner(x, y);
            if (owner == LedAreas::NONE)
                continue;
            const QPointF lens = areas.LensCentre(owner);
            const double d = GlowDistance(QPointF(x + 0.5, y + 0.5), lens);
            line[x] = Lighten(line[x], GlowAt(d) * SmoothStep(GLOW_EDGE_FADE, areas.Depth(x, y)));
        }
    }
}

// Only the pixels that one LED alone paints may differ from the off image.
void KeepOutsideAreas(QImage &lit, const QImage &off, const LedAreas &areas)
{
    for (int y = 0; y < SIZE; ++y) {
        auto *litLine = reinterpret_cast<QRgb *>(lit.scanLine(y));
        const auto *offLine = reinterpret_cast<const QRgb *>(off.constScanLine(y));
        for (int x = 0; x < SIZE; ++x)
            if (areas.Owner(x, y) == LedAreas::NONE)
                litLine[x] = offLine[x];
    }
}

QImage DrawLitImage(const QImage &off, const LedAreas &areas)
{
    QImage image = off.copy();
    AddGlow(image, areas);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int p = 0; p < LED_COUNT; ++p)
        DrawLens(painter, areas.LensCentre(p), true);
    painter.end();
    KeepOutsideAreas(image, off, areas);
    return image;
}

} // namespace

DeviceArtwork DrawDeviceArtwork(const LedAreas &areas)
{
    DeviceArtwork artwork;
    artwork.off = DrawOffImage(areas);
    artwork.lit = DrawLitImage(artwork.off, areas);
    return artwork;
}
