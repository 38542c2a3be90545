#include "app/toolbar_images.h"

#include "app/mask_blend.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QPixmap>

namespace
{

constexpr int BUTTON_SIZE = 32;
// The device pixel ratios besides 1 that the strips are drawn for.
constexpr double SCREEN_SCALES[] = { 1.5, 2 };

// Black stands for "nothing here", as in a masked image list.
void MakeBlackTransparent(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qRed(line[x]) == 0 && qGreen(line[x]) == 0 && qBlue(line[x]) == 0)
                line[x] = qRgba(0, 0, 0, 0);
    }
}

// Adds the images of the strips drawn for the device pixel ratio scale to
// the icons, making one per image the first time; false when a strip is
// missing or the strips differ in size.
bool AddToolbarImages(std::vector<QIcon> &icons, QColor buttonFace, double scale)
{
    const int size = qRound(BUTTON_SIZE * scale);
    const QImage mask = ResourceModule::LoadBitmap(IDB_TOOLBAR_MASK, scale);
    if (mask.isNull() || mask.height() != size)
        return false;
    const std::pair<int, QIcon::Mode> strips[] = { { IDB_TOOLBAR_NORMAL, QIcon::Normal },
        { IDB_TOOLBAR_DISABLED, QIcon::Disabled }, { IDB_TOOLBAR_HOT, QIcon::Active } };
    if (icons.empty())
        icons.resize(static_cast<std::size_t>(mask.width() / size));
    for (const auto &[id, mode] : strips) {
        const QImage strip = ResourceModule::LoadBitmap(id, scale);
        if (strip.size() != mask.size() || mask.width() / size != static_cast<int>(icons.size()))
            return false;
        const QImage blended = BlendToolbarStrip(strip, mask, buttonFace);
        for (std::size_t i = 0; i < icons.size(); ++i)
            icons[i].addPixmap(QPixmap::fromImage(blended.copy(int(i) * size, 0, size, size)), mode);
    }
    return true;
}

} // namespace

QImage BlendToolbarStrip(const QImage &strip, const QImage &mask, QColor buttonFace)
{
    QImage pixels = strip.convertToFormat(QImage::Format_BGR888);
    const QImage maskBytes = mask.convertToFormat(QImage::Format_BGR888);
    const BgrColour face { static_cast<std::uint8_t>(buttonFace.blue()),
        static_cast<std::uint8_t>(buttonFace.green()), static_cast<std::uint8_t>(buttonFace.red()) };
    for (int y = 0; y < pixels.height(); ++y)
        BlendWithMask(pixels.scanLine(y), maskBytes.constScanLine(y), pixels.width(), face);
    QImage blended = pixels.convertToFormat(QImage::Format_ARGB32);
    MakeBlackTransparent(blended);
    return blended;
}

std::vector<QIcon> LoadToolbarIcons(QColor buttonFace)
{
    std::vector<QIcon> icons;
    if (!AddToolbarImages(icons, buttonFace, 1))
        return {};
    // Sharp on screens of these ratios; without their strips, the images
    // of ratio 1 are scaled up.
    for (const double scale : SCREEN_SCALES)
        AddToolbarImages(icons, buttonFace, scale);
    return icons;
}
