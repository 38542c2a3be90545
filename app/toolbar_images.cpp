#include "app/toolbar_images.h"

#include "app/mask_blend.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QPixmap>

namespace
{

constexpr int BUTTON_SIZE = 32;

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
    const QImage mask = ResourceModule::LoadBitmap(IDB_TOOLBAR_MASK);
    const std::pair<int, QIcon::Mode> strips[] = { { IDB_TOOLBAR_NORMAL, QIcon::Normal },
        { IDB_TOOLBAR_DISABLED, QIcon::Disabled }, { IDB_TOOLBAR_HOT, QIcon::Active } };
    if (mask.isNull() || mask.height() != BUTTON_SIZE)
        return {};

    std::vector<QIcon> icons(mask.width() / BUTTON_SIZE);
    for (const auto &[id, mode] : strips) {
        const QImage strip = ResourceModule::LoadBitmap(id);
        if (strip.size() != mask.size())
            return {};
        const QImage blended = BlendToolbarStrip(strip, mask, buttonFace);
        for (std::size_t i = 0; i < icons.size(); ++i)
            icons[i].addPixmap(
                QPixmap::fromImage(blended.copy(int(i) * BUTTON_SIZE, 0, BUTTON_SIZE, BUTTON_SIZE)), mode);
    }
    return icons;
}
