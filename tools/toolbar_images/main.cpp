// Writes the toolbar strips (bitmaps 102 to 105 and 128, and 102 to 105 for
// screens of higher device pixel ratios) and the application icon (16 to
// 256 pixels) as PNG files, and the icon as SVG, into the folder given.
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

// The colour, disabled, hot and mask strips, their names ending in suffix.
bool SaveStrips(const QImage &icons, const QDir &folder, const QString &suffix)
{
    return Save(ColourStrip(icons), folder, QStringLiteral("102%1.png").arg(suffix))
        && Save(DisabledStrip(icons), folder, QStringLiteral("103%1.png").arg(suffix))
        && Save(HotStrip(icons), folder, QStringLiteral("104%1.png").arg(suffix))
        && Save(MaskStrip(icons), folder, QStringLiteral("105%1.png").arg(suffix));
}

bool SaveScalableIcon(const QString &path)
{
    if (DrawScalableApplicationIcon(path))
        return true;
    std::fprintf(stderr, "pemblo-draw-images: cannot write %s\n", qPrintable(path));
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
    bool ok = SaveStrips(icons, folder, QString())
        && Save(FlatStrip(icons, QColor(192, 192, 192)), folder, QStringLiteral("128.png"));
    for (double scale : TOOLBAR_SCALES)
        ok = ok && SaveStrips(DrawToolbarIcons(scale), folder, QStringLiteral("@%1x").arg(scale));
    for (int size : APPLICATION_ICON_SIZES)
        ok = ok && Save(DrawApplicationIcon(size), folder, QStringLiteral("pemblo-%1.png").arg(size));
    return ok && SaveScalableIcon(folder.filePath(QStringLiteral("pemblo.svg"))) ? 0 : 1;
}
