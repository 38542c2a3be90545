#include "tools/splash_picture.h"

#include "core/constants.h"
#include "tools/box_geometry.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage DrawSplashPicture(const QImage &litDevice)
{
    constexpr int WIDTH = 600;
    constexpr int HEIGHT = 300;
    constexpr double MARGIN = 18.0;
    constexpr double TEXT_LEFT = HEIGHT + 8.0;
    QImage splash(WIDTH, HEIGHT, QImage::Format_RGB32);
    QPainter painter(&splash);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QLinearGradient ground(0, 0, 0, HEIGHT);
    ground.setColorAt(0.0, QColor(40, 43, 50));
    ground.setColorAt(1.0, QColor(16, 17, 20));
    painter.fillRect(splash.rect(), ground);

    // The lit box alone, without the desk it stands on.
    const double scale = (HEIGHT - 2 * MARGIN) / DEVICE_PICTURE_SIZE;
    painter.save();
    painter.translate(MARGIN, MARGIN);
    painter.scale(scale, scale);
    QPainterPath box;
    box.addRoundedRect(BoxRect().united(BoxRect().translated(0, BOX_HEIGHT)), BOX_CORNER, BOX_CORNER);
    painter.setClipPath(box);
    painter.drawImage(QPointF(0, 0), litDevice);
    painter.restore();

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(46);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(LED_LIGHT);
    painter.drawText(QRectF(TEXT_LEFT, 86, WIDTH - TEXT_LEFT, 60), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Pemblo!"));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(14);
    painter.setFont(subtitle);
    painter.setPen(QColor(196, 200, 208));
    painter.drawText(QRectF(TEXT_LEFT + 2, 150, WIDTH - TEXT_LEFT, 24), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("for the VELTOR light controller"));
    painter.setPen(QColor(130, 136, 148));
    painter.drawText(QRectF(TEXT_LEFT + 2, 174, WIDTH - TEXT_LEFT, 24), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Quenfel"));
    return splash;
}
