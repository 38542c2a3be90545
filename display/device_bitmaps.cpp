#include "display/device_bitmaps.h"

#include "core/constants.h"
#include "display/led_tables.h"

#include <QImage>

namespace
{

QRect ToQRect(const PictureRect &rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

bool DeviceBitmaps::BuildBackground(const QByteArray &picture, const DisplayFormat &display)
{
    const DisplayFormat format = PixmapFormat(display);
    DeviceFrames frames;
    if (!frames.MakeBackground(reinterpret_cast<const std::uint8_t *>(picture.constData()),
            static_cast<std::size_t>(picture.size()), format.depth, format.format16))
        return false;
    m_areaSteps.clear();
    m_background = QPixmap();
    m_frames = std::move(frames);
    m_picture = picture;
    const auto size = static_cast<int>(DEVICE_PICTURE_SIZE);
    m_background = QPixmap::fromImage(QImage(m_frames.Background(), size, size,
        static_cast<qsizetype>(m_frames.BytesPerPixel()) * size, PixmapImageFormat(format)));
    return true;
}

void DeviceBitmaps::BuildSteps()
{
    if (!IsBuilt() || HasSteps())
        return;
    m_frames.MakeSteps();
    m_picture.clear();
    const QImage::Format format = PixmapImageFormat({ m_frames.Depth(), m_frames.Format16() });
    const std::vector<LedShapeArea> &areas = LedShapeAreas();
    for (std::size_t k = 0; k < areas.size(); ++k) {
        const int width = areas[k].rect.Width();
        m_areaSteps.push_back(QPixmap::fromImage(
            QImage(m_frames.AreaSteps(k), width, (BRIGHTNESS_STEPS - 1) * areas[k].rect.Height(),
                static_cast<qsizetype>(m_frames.BytesPerPixel()) * width, format)));
    }
}

bool DeviceBitmaps::Build(const QByteArray &picture, const DisplayFormat &display)
{
    if (!BuildBackground(picture, display))
        return false;
    BuildSteps();
    return true;
}

DeviceBitmaps::Source DeviceBitmaps::AreaAt(std::size_t area, int step) const
{
    const PictureRect &rect = LedShapeAreas()[area].rect;
    if (step == 0)
        return { &m_background, ToQRect(rect) };
    if (!HasSteps())
        return { nullptr, QRect() };
    return { &m_areaSteps[area], QRect(0, (step - 1) * rect.Height(), rect.Width(), rect.Height()) };
}
