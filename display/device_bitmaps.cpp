#include "display/device_bitmaps.h"

#include "core/constants.h"
#include "display/led_tables.h"

#include <QImage>
#include <utility>

namespace
{

QRect ToQRect(const PictureRect &rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

bool DeviceBitmaps::BuildBackground(QByteArray picture, const DisplayFormat &display)
{
    const DisplayFormat format = PixmapFormat(display);
    DeviceFrames frames;
    if (!frames.MakeBackground(reinterpret_cast<std::uint8_t *>(picture.data()),
            static_cast<std::size_t>(picture.size()), format.depth, format.format16))
        return false;
    m_strips.clear();
    m_background = QPixmap();
    m_frames = std::move(frames);
    m_picture = std::move(picture);
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
    const QImage::Format format = PixmapImageFormat({ m_frames.Depth(), m_frames.Format16() });
    const std::vector<FrameColumn> &columns = FrameColumns();
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const int width = columns[k].rect.Width();
        m_strips.push_back(QPixmap::fromImage(QImage(m_frames.Strip(k), width, m_frames.StripRows(k),
            static_cast<qsizetype>(m_frames.BytesPerPixel()) * width, format)));
    }
}

bool DeviceBitmaps::Build(QByteArray picture, const DisplayFormat &display)
{
    if (!BuildBackground(std::move(picture), display))
        return false;
    BuildSteps();
    return true;
}

DeviceBitmaps::Source DeviceBitmaps::PieceAt(std::size_t piece, int step) const
{
    const FramePiece &shown = FramePieces()[piece];
    if (step == 0)
        return { &m_background, ToQRect(shown.rect) };
    if (!HasSteps())
        return { nullptr, QRect() };
    const int row = m_frames.PieceRow(piece, step);
    if (row < 0)
        return { &m_background, ToQRect(shown.rect) };
    return { &m_strips[shown.column], QRect(0, row, shown.rect.Width(), shown.rect.Height()) };
}

bool DeviceBitmaps::ShowsSame(std::size_t piece, int step, int otherStep) const
{
    if (step == otherStep)
        return true;
    if (!HasSteps() || step < 0 || otherStep < 0)
        return false;
    return m_frames.PieceRow(piece, step) == m_frames.PieceRow(piece, otherStep);
}
