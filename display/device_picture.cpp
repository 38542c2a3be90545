#include "display/device_picture.h"

#include "core/constants.h"
#include "display/brightness_fade.h"
#include "display/pixel_buffer.h"

#include <sys/mman.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace
{

constexpr std::size_t PIXEL_BYTES = 4;
constexpr std::size_t PICTURE_PIXELS = static_cast<std::size_t>(DEVICE_PICTURE_SIZE) * DEVICE_PICTURE_SIZE;
constexpr std::size_t PICTURE_STRIDE = PIXEL_BYTES * DEVICE_PICTURE_SIZE;
constexpr std::size_t IMAGE_BYTES = PixelBuffer::HEADER_BYTES + PIXEL_BYTES * PICTURE_PIXELS;
constexpr int LAST_STEP = BRIGHTNESS_STEPS - 1;

bool IsPictureImage(const std::uint8_t *header)
{
    return ReadLe16(header) == DEVICE_PICTURE_SIZE && ReadLe16(header + 2) == DEVICE_PICTURE_SIZE;
}

std::size_t AreaPixels(const PictureRect &area)
{
    return static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(area.Height());
}

// Where pixel (x, y) of a picture begins.
std::size_t Offset(int x, int y)
{
    return PICTURE_STRIDE * static_cast<std::size_t>(y) + PIXEL_BYTES * static_cast<std::size_t>(x);
}

// Puts 0xFF into the fourth byte of count four-byte pixels.
void MakeOpaque(std::uint8_t *pixels, std::size_t count)
{
    for (std::size_t i = PIXEL_BYTES - 1; i < PIXEL_BYTES * count; i += PIXEL_BYTES)
        pixels[i] = 0xFF;
}

// Copies rows of four-byte pixels, with 0xFF in every fourth byte.
void CopyOpaque(const std::uint8_t *from, std::size_t fromStride, std::uint8_t *to, std::size_t toStride,
    int width, int height)
{
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        std::uint8_t *row = to + toStride * y;
        std::memcpy(row, from + fromStride * y, PIXEL_BYTES * static_cast<std::size_t>(width));
        MakeOpaque(row, static_cast<std::size_t>(width));
    }
}

// Makes an area's steps in scratch buffers and puts the last one into a
// picture.
class LastStepInto : public FadeSteps
{
public:
    LastStepInto(const PictureRect &area, int lastStep, std::uint8_t *picture)
        : m_area(area)
        , m_lastStep(lastStep)
        , m_picture(picture)
    {
        for (std::vector<std::uint8_t> &scratch : m_scratch)
            scratch.resize(PIXEL_BYTES * AreaPixels(area));
    }

    std::uint8_t *StepPixels(int step) override { return m_scratch[step % 2].data(); }
    void StepDone(int step, const std::uint8_t *pixels, const std::vector<bool> &) override
    {
        if (step == m_lastStep)
            CopyOpaque(pixels, PIXEL_BYTES * static_cast<std::size_t>(m_area.Width()),
                m_picture + Offset(m_area.left, m_area.top), PICTURE_STRIDE, m_area.Width(), m_area.Height());
    }

private:
    PictureRect m_area;
    int m_lastStep;
    std::uint8_t *m_picture;
    std::vector<std::uint8_t> m_scratch[2];
};

bool OverlapsOtherPosition(const PictureRect &rect, int position)
{
    for (const LedShapeArea &area : LedShapeAreas())
        if (area.position != position && area.rect.left < rect.right && rect.left < area.rect.right
            && area.rect.top < rect.bottom && rect.top < area.rect.bottom)
            return true;
    return false;
}

} // namespace

bool FindDevicePictureImages(const std::uint8_t *data, std::size_t size, DevicePictureImages &images)
{
    if (size < 2 * IMAGE_BYTES || !IsPictureImage(data) || !IsPictureImage(data + IMAGE_BYTES))
        return false;
    images = { data + PixelBuffer::HEADER_BYTES, data + IMAGE_BYTES + PixelBuffer::HEADER_BYTES };
    return true;
}

const std::vector<FrameColumn> &FrameColumns()
{
    static const std::vector<FrameColumn> columns = [] {
        std::vector<FrameColumn> all;
        for (const LedShapeArea &area : LedShapeAreas())
            for (int left = area.rect.left; left < area.rect.right; left += FRAME_COLUMN_WIDTH)
                all.push_back({ area.position,
                    { left, area.rect.top, std::min(left + FRAME_COLUMN_WIDTH, area.rect.right),
                        area.rect.bottom } });
        return all;
    }();
    return columns;
}

const std::vector<FramePiece> &FramePieces()
{
    static const std::vector<FramePiece> pieces = [] {
        std::vector<FramePiece> all;
        const std::vector<FrameColumn> &columns = FrameColumns();
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const PictureRect &column = columns[k].rect;
            for (int top = column.top; top < column.bottom; top += FRAME_PIECE_ROWS) {
                const PictureRect rect { column.left, top, column.right,
                    std::min(top + FRAME_PIECE_ROWS, column.bottom) };
                all.push_back(
                    { k, columns[k].position, rect, OverlapsOtherPosition(rect, columns[k].position) });
            }
        }
        return all;
    }();
    return pieces;
}

PieceRange PositionPieces(int position)
{
    // The shape areas come position by position, and so do their pieces.
    static const std::array<PieceRange, LED_COUNT> ranges = [] {
        std::array<PieceRange, LED_COUNT> all {};
        const std::vector<FramePiece> &pieces = FramePieces();
        for (std::size_t p = pieces.size(); p-- > 0;) {
            PieceRange &range = all[static_cast<std::size_t>(pieces[p].position)];
            if (range.last == 0)
                range.last = p + 1;
            range.first = p;
        }
        return all;
    }();
    return ranges[static_cast<std::size_t>(position)];
}

// Keeps the steps of one column's pieces in its strip, each only where the
// piece does not show it already: at the step before, as the background or
// at another step.
class DeviceFrames::PieceKeeper : public FadeSteps
{
public:
    PieceKeeper(DeviceFrames &frames, std::size_t column, std::uint8_t *strip)
        : m_frames(frames)
        , m_column(FrameColumns()[column].rect)
        , m_strip(strip)
        , m_rowBytes(frames.BytesPerPixel() * static_cast<std::size_t>(m_column.Width()))
    {
        for (std::size_t p = 0; p < FramePieces().size(); ++p)
            if (FramePieces()[p].column == column)
                m_pieces.push_back(p);
        for (std::vector<std::uint8_t> &scratch : m_scratch)
            scratch.resize(PIXEL_BYTES * AreaPixels(m_column));
        if (frames.m_depth == 16)
            m_encoded.resize(2 * AreaPixels(m_column));
    }

    int Rows() const { return m_rows; }

    std::uint8_t *StepPixels(int step) override { return m_scratch[step % 2].data(); }

    void StepDone(int step, const std::uint8_t *pixels, const std::vector<bool> &changed) override
    {
        if (m_frames.m_depth == 16) {
            EncodePixels16(pixels, AreaPixels(m_column), m_frames.m_format16, m_encoded.data());
            pixels = m_encoded.data();
        }
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            std::array<int, BRIGHTNESS_STEPS> &rows = m_frames.m_pieceRows[m_pieces[i]];
            const PictureRect &rect = FramePieces()[m_pieces[i]].rect;
            const std::uint8_t *shown
                = pixels + m_rowBytes * static_cast<std::size_t>(rect.top - m_column.top);
            rows[static_cast<std::size_t>(step)]
                = changed[i] ? RowOf(rows, step, rect, shown) : rows[step - 1];
        }
    }

private:
    // The strip row where the piece shows at step what it shows there,
    // kept there now if it is not yet; -1 for the background.
    int RowOf(const std::array<int, BRIGHTNESS_STEPS> &rows, int step, const PictureRect &rect,
        const std::uint8_t *shown)
    {
        const std::size_t bytes = m_rowBytes * static_cast<std::size_t>(rect.Height());
        if (ShowsBackground(rect, shown))
            return -1;
        for (int earlier = 1; earlier < step; ++earlier) {
            const int row = rows[static_cast<std::size_t>(earlier)];
            if (row >= 0
                && std::memcmp(m_strip + m_rowBytes * static_cast<std::size_t>(row), shown, bytes) == 0)
                return row;
        }
        std::memcpy(m_strip + m_rowBytes * static_cast<std::size_t>(m_rows), shown, bytes);
        return std::exchange(m_rows, m_rows + rect.Height());
    }

    bool ShowsBackground(const PictureRect &rect, const std::uint8_t *shown) const
    {
        const std::size_t stride = m_frames.BytesPerPixel() * DEVICE_PICTURE_SIZE;
        const std::uint8_t *background = m_frames.Background() + stride * static_cast<std::size_t>(rect.top)
            + m_frames.BytesPerPixel() * static_cast<std::size_t>(rect.left);
        for (std::size_t y = 0; y < static_cast<std::size_t>(rect.Height()); ++y)
            if (std::memcmp(background + stride * y, shown + m_rowBytes * y, m_rowBytes) != 0)
                return false;
        return true;
    }

    DeviceFrames &m_frames;
    PictureRect m_column;
    std::uint8_t *m_strip;
    std::size_t m_rowBytes;
    std::vector<std::size_t> m_pieces;
    std::vector<std::uint8_t> m_scratch[2];
    std::vector<std::uint8_t> m_encoded;
    int m_rows = 0;
};

DeviceFrames::Block::Block(std::size_t bytes)
{
    void *pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED)
        return;
#ifdef MADV_HUGEPAGE
    // Large pages spare a page fault for every 4 KiB when the frames are
    // first written.
    madvise(pages, bytes, MADV_HUGEPAGE);
#endif
    this->bytes = static_cast<std::uint8_t *>(pages);
    size = bytes;
}

DeviceFrames::Block::Block(Block &&other) noexcept
    : bytes(std::exchange(other.bytes, nullptr))
    , size(std::exchange(other.size, 0))
{
}

DeviceFrames::Block &DeviceFrames::Block::operator=(Block &&other) noexcept
{
    std::swap(bytes, other.bytes);
    std::swap(size, other.size);
    return *this;
}

DeviceFrames::Block::~Block()
{
    if (bytes)
        munmap(bytes, size);
}

void DeviceFrames::Block::Keep(std::size_t used)
{
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t kept = std::max(page, (used + page - 1) / page * page);
    if (kept >= size)
        return;
    munmap(bytes + kept, size - kept);
    size = kept;
}

DeviceFrames::DeviceFrames() = default;
DeviceFrames::~DeviceFrames() = default;
DeviceFrames::DeviceFrames(DeviceFrames &&) noexcept = default;
DeviceFrames &DeviceFrames::operator=(DeviceFrames &&) noexcept = default;

std::size_t DeviceFrames::BytesPerPixel() const
{
    return m_depth == 16 ? 2 : PIXEL_BYTES;
}

bool DeviceFrames::MakeBackground(
    std::uint8_t *data, std::size_t size, std::int32_t depth, std::int32_t format16)
{
    DevicePictureImages images;
    if ((depth != 16 && depth != 32) || !FindDevicePictureImages(data, size, images))
        return false;
    const std::size_t bytesPerPixel = depth == 16 ? 2 : PIXEL_BYTES;
    // Room for a 16-bit background and every step of every area; the pages
    // the steps do not need are never touched.
    std::size_t pixels = depth == 16 ? PICTURE_PIXELS : 0;
    for (const LedShapeArea &area : LedShapeAreas())
        pixels += LAST_STEP * AreaPixels(area.rect);
    Block block(bytesPerPixel * pixels);
    if (!block.bytes)
        return false;

    m_block = std::move(block);
    m_images = images;
    m_depth = depth;
    m_format16 = format16;
    m_stepsMade = false;
    if (depth == 16) {
        EncodePixels16(m_images.off, PICTURE_PIXELS, format16, m_block.bytes);
        m_background = m_block.bytes;
    } else {
        // The steps put 0xFF into the fourth bytes of both images anyway.
        auto *off = const_cast<std::uint8_t *>(m_images.off);
        MakeOpaque(off, PICTURE_PIXELS);
        m_background = off;
    }
    return true;
}

void DeviceFrames::MakeSteps()
{
    if (!HasBackground() || m_stepsMade)
        return;
    AreaFader fader(m_images.off, m_images.lit, PICTURE_STRIDE, FRAME_PIECE_ROWS);
    const std::vector<FrameColumn> &columns = FrameColumns();
    m_pieceRows.assign(FramePieces().size(), {});
    for (std::array<int, BRIGHTNESS_STEPS> &rows : m_pieceRows)
        rows[0] = -1;
    m_stripStarts.clear();
    m_stripRows.clear();
    std::size_t end = m_depth == 16 ? BytesPerPixel() * PICTURE_PIXELS : 0;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        PieceKeeper keeper(*this, k, m_block.bytes + end);
        fader.Fade(columns[k].rect, LAST_STEP, keeper);
        m_stripStarts.push_back(end);
        m_stripRows.push_back(keeper.Rows());
        end += BytesPerPixel() * static_cast<std::size_t>(columns[k].rect.Width())
            * static_cast<std::size_t>(keeper.Rows());
    }
    m_block.Keep(end);
    m_stepsMade = true;
}

const std::uint8_t *DeviceFrames::Strip(std::size_t column) const
{
    return m_block.bytes + m_stripStarts[column];
}

int DeviceFrames::StripRows(std::size_t column) const
{
    return m_stripRows[column];
}

int DeviceFrames::PieceRow(std::size_t piece, int step) const
{
    return m_pieceRows[piece][static_cast<std::size_t>(step)];
}

bool ComposeDevicePicture(
    const std::uint8_t *data, std::size_t size, const LedLevels &levels, std::uint8_t *out)
{
    DevicePictureImages images;
    if (!FindDevicePictureImages(data, size, images))
        return false;
    CopyOpaque(images.off, PICTURE_STRIDE, out, PICTURE_STRIDE, DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE);
    AreaFader fader(images.off, images.lit, PICTURE_STRIDE, FRAME_PIECE_ROWS);
    for (int led = 0; led < LED_COUNT; ++led) {
        const int step = BrightnessStep(levels[static_cast<std::size_t>(led)]);
        for (const LedShapeArea &area : LedShapeAreas()) {
            if (area.position != LED_ORDER[static_cast<std::size_t>(led)])
                continue;
            const PictureRect &rect = area.rect;
            if (step == 0) {
                // A dark LED shows the background, also over an LED before it.
                const std::size_t at = Offset(rect.left, rect.top);
                CopyOpaque(
                    images.off + at, PICTURE_STRIDE, out + at, PICTURE_STRIDE, rect.Width(), rect.Height());
                continue;
            }
            LastStepInto steps(rect, step, out);
            fader.Fade(rect, step, steps);
        }
    }
    return true;
}
