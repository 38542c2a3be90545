// Writes the toolbar strips (bitmaps 102 to 105 and 128) and the application
// icon (16, 24, 32 and 48 pixels) as PNG files into the folder given.
#include "icon_painter.h"
#include "toolbar_icons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace
{

bool Save(const QImage &image, const QDir &folder, const QString &name)
{
    if (image.save(folder.filePath(name), "PNG"))
        return true;
    std::fprintf(stderr, "pemblo-draw-images: cannot write %s\n", qPrintable(folder.filePath(name)));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: pemblo-draw-images FOLDER\n");
        return 64;
    }
    // Only images are drawn; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "pemblo-draw-images: cannot make %s\n", argv[1]);
        return 1;
    }

    const QImage icons = DrawToolbarIcons();
    bool ok = Save(ColourStrip(icons), folder, QStringLiteral("102.png"))
        && Save(DisabledStrip(icons), folder, QStringLiteral("103.png"))
        && Save(HotStrip(icons), folder, QStringLiteral("104.png"))
        && Save(MaskStrip(icons), folder, QStringLiteral("105.png"))
        && Save(FlatStrip(icons, QColor(192, 192, 192)), folder, QStringLiteral("128.png"));
    for (int size : { 16, 24, 32, 48 })
        ok = ok && Save(DrawApplicationIcon(size), folder, QStringLiteral("pemblo-%1.png").arg(size));
    return ok ? 0 : 1;
}
