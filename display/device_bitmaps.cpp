#include "display/device_bitmaps.h"

#include "display/device_picture.h"
#include "display/led_tables.h"
#include "display/pixel_buffer.h"

#include <QImage>

#include <cstring>

namespace
{

// Turns each converted block into a pixmap of the screen as it arrives.
class PixmapSink : public DevicePictureSink
{
public:
    PixmapSink(
        QPixmap &background, std::array<QPixmap, BRIGHTNESS_FRAME_COUNT> &frames, const DisplayFormat &format)
        : m_background(background)
        , m_frames(frames)
        , m_format(format)
    {
    }

    void Background(const ConvertedBlock &block) override { m_background = ToPixmap(block); }
    void Frame(int step, int position, const ConvertedBlock &block) override
    {
        m_frames[static_cast<std::size_t>(FrameIndex(step, position))] = ToPixmap(block);
    }

private:
    // Copies the block row by row into an image of its own, as the block
    // goes away after this call.
    QPixmap ToPixmap(const ConvertedBlock &block) const
    {
        const std::size_t rowLength = OutputRowLength(m_format.depth, block.width);
        QImage image(block.width, block.height, BlockImageFormat(m_format));
        for (int y = 0; y < block.height; ++y)
            std::memcpy(image.scanLine(y), block.bytes + rowLength * static_cast<std::size_t>(y), rowLength);
        return QPixmap::fromImage(std::move(image));
    }

    QPixmap &m_background;
    std::array<QPixmap, BRIGHTNESS_FRAME_COUNT> &m_frames;
    DisplayFormat m_format;
};

} // namespace

bool DeviceBitmaps::Build(const QByteArray &picture, const DisplayFormat &display)
{
    const DisplayFormat format = ConvertibleFormat(display);
    QPixmap background;
    std::array<QPixmap, BRIGHTNESS_FRAME_COUNT> frames;
    PixmapSink sink(background, frames, format);
    const auto *data = reinterpret_cast<const std::uint8_t *>(picture.constData());
    if (!BuildDevicePictureBlocks(
            data, static_cast<std::size_t>(picture.size()), format.depth, format.format16, sink))
        return false;
    m_background = std::move(background);
    m_frames = std::move(frames);
    return true;
}

const QPixmap &DeviceBitmaps::Frame(int step, int position) const
{
    return m_frames[static_cast<std::size_t>(FrameIndex(step, position))];
}
