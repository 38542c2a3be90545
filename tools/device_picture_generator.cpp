// Draws the pictures of the VELTOR device bundle at build time: the device
// picture (the off and the lit image, 800 x 800 each, back to back in the
// layout PixelBuffer::ReadImage reads) and the splash picture. Qt's resource
// compiler then packs them into veltor.rcc.
//
// usage: device_picture_generator OUT_DIR [PREVIEW_DIR]
// writes OUT_DIR/idx_pmb.raw and OUT_DIR/splash.png; with PREVIEW_DIR also
// the two images as off.png and lit.png there, to look at.

#include "tools/device_artwork.h"
#include "tools/led_areas.h"
#include "tools/splash_picture.h"

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace
{

void AppendLe16(QByteArray &bytes, int value)
{
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
}

// The header, then every pixel as blue, green, red and a fourth byte of 0.
void AppendImage(QByteArray &bytes, const QImage &image)
{
    AppendLe16(bytes, image.width());
    AppendLe16(bytes, image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            bytes.append(static_cast<char>(qBlue(line[x])));
            bytes.append(static_cast<char>(qGreen(line[x])));
            bytes.append(static_cast<char>(qRed(line[x])));
            bytes.append('\0');
        }
    }
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool WritePng(const QString &path, const QImage &image)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: device_picture_generator OUT_DIR [PREVIEW_DIR]\n");
        return 64;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const LedAreas areas;
    const DeviceArtwork device = DrawDeviceArtwork(areas);
    QByteArray picture;
    AppendImage(picture, device.off);
    AppendImage(picture, device.lit);

    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool written = WriteFile(out.filePath(QStringLiteral("idx_pmb.raw")), picture)
        && WritePng(out.filePath(QStringLiteral("splash.png")), DrawSplashPicture(device.lit));
    if (argc == 3) {
        const QDir preview(QString::fromLocal8Bit(argv[2]));
        written = written && WritePng(preview.filePath(QStringLiteral("off.png")), device.off)
            && WritePng(preview.filePath(QStringLiteral("lit.png")), device.lit);
    }
    if (!written) {
        std::fprintf(stderr, "device_picture_generator: cannot write the pictures\n");
        return 1;
    }
    return 0;
}
