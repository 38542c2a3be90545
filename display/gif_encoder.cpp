#include "display/gif_encoder.h"

#include "platform/output_file.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace
{

constexpr int COLOUR_RESOLUTION_BITS = 8;
constexpr int LOOKUP_BITS = 7;
constexpr std::size_t LOOKUP_SIZE = std::size_t { 1 } << (3 * LOOKUP_BITS);
// The application extension that makes a GIF loop: NETSCAPE2.0, sub-block 1,
// a loop count of 0 (for ever).
constexpr char LOOP_EXTENSION_NAME[] = "NETSCAPE2.0";
constexpr GifByteType LOOP_FOR_EVER[] = { 1, 0, 0 };
constexpr int GRAPHICS_CONTROL_SIZE = 4;

GifByteType Channel(std::uint32_t pixel, int shift)
{
    return static_cast<GifByteType>((pixel >> shift) & 0xFF);
}

// A channel's lookup cell and, doubled, the value in the cell's middle.
std::size_t Cell(std::uint32_t pixel, int shift)
{
    return Channel(pixel, shift) >> (8 - LOOKUP_BITS);
}

int DoubledMiddle(std::uint32_t pixel, int shift)
{
    return static_cast<int>(Cell(pixel, shift) << (9 - LOOKUP_BITS)) + (1 << (8 - LOOKUP_BITS));
}

int SquaredDistance(const GifColorType &colour, std::uint32_t pixel)
{
    const int red = 2 * colour.Red - DoubledMiddle(pixel, 16);
    const int green = 2 * colour.Green - DoubledMiddle(pixel, 8);
    const int blue = 2 * colour.Blue - DoubledMiddle(pixel, 0);
    return red * red + green * green + blue * blue;
}

} // namespace

GifEncoder::GifEncoder() = default;

GifEncoder::~GifEncoder()
{
    // Ends giflib's work on a file that, not committed, goes away.
    if (m_gif)
        EGifCloseFile(m_gif, nullptr);
}

bool GifEncoder::Fail(const std::string &what)
{
    m_error = m_file && !m_file->Error().empty() ? m_file->Error() : what;
    return false;
}

int GifEncoder::WriteBytes(GifFileType *gif, const GifByteType *bytes, int length)
{
    auto *encoder = static_cast<GifEncoder *>(gif->UserData);
    return encoder->m_file->Write(bytes, static_cast<std::size_t>(length)) ? length : 0;
}

bool GifEncoder::Begin(const std::string &path, int size, const std::vector<AnimationPicture> &colourSamples)
{
    m_size = size;
    m_file = std::make_unique<OutputFile>(path);
    if (!m_file->Open())
        return Fail("cannot write the GIF");
    const std::optional<GifPalette> palette = ChooseGifPalette(colourSamples);
    if (!palette)
        return Fail("cannot choose the colours of the GIF");
    m_palette = *palette;
    m_lookup.assign(LOOKUP_SIZE, GIF_UNCHANGED_INDEX);
    m_lastIndex = LookUp(m_lastColour);
    const std::size_t pixels = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    m_picture.assign(pixels, 0);
    m_current.assign(pixels, 0);
    m_shown.assign(pixels, 0);
    return WriteHeader() || Fail("cannot write the GIF");
}

bool GifEncoder::WriteHeader()
{
    int error = 0;
    m_gif = EGifOpen(this, &GifEncoder::WriteBytes, &error);
    if (!m_gif)
        return false;
    EGifSetGifVersion(m_gif, true);
    ColorMapObject *palette = GifMakeMapObject(GIF_PALETTE_SIZE, m_palette.data());
    const bool written
        = palette && EGifPutScreenDesc(m_gif, m_size, m_size, COLOUR_RESOLUTION_BITS, 0, palette) == GIF_OK;
    GifFreeMapObject(palette);
    return written && EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
        && EGifPutExtensionBlock(m_gif, sizeof LOOP_EXTENSION_NAME - 1, LOOP_EXTENSION_NAME) == GIF_OK
        && EGifPutExtensionBlock(m_gif, sizeof LOOP_FOR_EVER, LOOP_FOR_EVER) == GIF_OK
        && EGifPutExtensionTrailer(m_gif) == GIF_OK;
}

GifByteType GifEncoder::PaletteIndex(std::uint32_t pixel)
{
    if (pixel == m_lastColour)
        return m_lastIndex;
    m_lastColour = pixel;
    m_lastIndex = LookUp(pixel);
    return m_lastIndex;
}

GifByteType GifEncoder::LookUp(std::uint32_t pixel)
{
    GifByteType &known
        = m_lookup[Cell(pixel, 16) << (2 * LOOKUP_BITS) | Cell(pixel, 8) << LOOKUP_BITS | Cell(pixel, 0)];
    if (known == GIF_UNCHANGED_INDEX) {
        int best = 0;
        for (int i = 1; i < GIF_COLOUR_COUNT; ++i)
            if (SquaredDistance(m_palette[i], pixel) < SquaredDistance(m_palette[best], pixel))
                best = i;
        known = static_cast<GifByteType>(best);
    }
    return known;
}

void GifEncoder::TakePixel(std::size_t index, std::uint32_t pixel)
{
    m_picture[index] = pixel;
    m_current[index] = PaletteIndex(pixel);
}

void GifEncoder::TakePicture(const AnimationPicture &picture, const std::vector<PixelRun> &changed)
{
    if (!m_holding) {
        for (std::size_t i = 0; i < m_picture.size(); ++i)
            TakePixel(i, picture.pixels[i]);
        m_pending = { 0, 0, m_size, m_size };
        return;
    }
    for (const PixelRun &run : changed) {
        const std::size_t row = static_cast<std::size_t>(run.y) * static_cast<std::size_t>(m_size);
        // Much of an LED's area looks the same at neighbouring brightness
        // steps; only what differs is looked up.
        for (std::size_t i = row + run.left; i < row + run.right; ++i)
            if (picture.pixels[i] != m_picture[i])
                TakePixel(i, picture.pixels[i]);
        m_pending = m_pending.United({ run.left, run.y, run.right, run.y + 1 });
    }
}

bool GifEncoder::Show(
    std::uint64_t slot, const AnimationPicture &picture, const std::vector<PixelRun> &changed)
{
    if (m_waiting && m_timing.EarliestStart() < slot && !StartFrame(m_timing.EarliestStart()))
        return false;
    TakePicture(picture, changed);
    if (m_timing.MayStartAt(slot))
        return StartFrame(slot);
    m_waiting = true;
    return true;
}

PictureRect GifEncoder::ChangedArea() const
{
    PictureRect area { m_size, m_size, 0, 0 };
    for (int y = m_pending.top; y < m_pending.bottom; ++y) {
        const auto row = static_cast<std::ptrdiff_t>(y) * m_size;
        const auto current = m_current.begin() + row;
        const auto shown = m_shown.begin() + row;
        const auto first
            = std::mismatch(current + m_pending.left, current + m_pending.right, shown + m_pending.left);
        if (first.first == current + m_pending.right)
            continue;
        const auto last = std::mismatch(std::make_reverse_iterator(current + m_pending.right),
            std::make_reverse_iterator(first.first), std::make_reverse_iterator(shown + m_pending.right));
        area.left = std::min(area.left, static_cast<int>(first.first - current));
        area.right = std::max(area.right, static_cast<int>(last.first.base() - current));
        area.top = std::min(area.top, y);
        area.bottom = y + 1;
    }
    return area;
}

bool GifEncoder::StartFrame(std::uint64_t slot)
{
    m_waiting = false;
    const PictureRect area = m_holding ? ChangedArea() : PictureRect { 0, 0, m_size, m_size };
    m_pending = {};
    // Changes that came out the same in the palette leave the frame as it is.
    if (area.IsEmpty())
        return true;
    m_next.area = area;
    const auto width = static_cast<std::size_t>(area.Width());
    m_next.indices.resize(width * static_cast<std::size_t>(area.Height()));
    GifByteType *out = m_next.indices.data();
    for (int y = area.top; y < area.bottom; ++y, out += width) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(m_size) + area.left;
        const GifByteType *current = &m_current[row];
        GifByteType *shown = &m_shown[row];
        // What stays as the frame before shows through.
        for (std::size_t x = 0; x < width; ++x)
            out[x] = m_holding && current[x] == shown[x] ? GIF_UNCHANGED_INDEX : current[x];
        std::copy(current, current + width, shown);
    }
    const int delay = m_timing.StartAt(slot);
    if (m_holding && !WriteFrame(m_held, delay))
        return false;
    std::swap(m_held, m_next);
    m_holding = true;
    return true;
}

bool GifEncoder::WriteFrame(const HeldFrame &frame, int delay)
{
    GraphicsControlBlock control {};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = delay;
    control.TransparentColor = GIF_UNCHANGED_INDEX;
    GifByteType extension[GRAPHICS_CONTROL_SIZE];
    EGifGCBToExtension(&control, extension);
    const int width = frame.area.Width();
    bool written = EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, GRAPHICS_CONTROL_SIZE, extension) == GIF_OK
        && EGifPutImageDesc(
               m_gif, frame.area.left, frame.area.top, width, frame.area.Height(), false, nullptr)
            == GIF_OK;
    auto *line = const_cast<GifByteType *>(frame.indices.data());
    for (int y = 0; written && y < frame.area.Height(); ++y, line += width)
        written = EGifPutLine(m_gif, line, width) == GIF_OK;
    return written || Fail("cannot write the GIF");
}

bool GifEncoder::Finish(std::uint64_t endSlot)
{
    if (m_waiting && m_timing.EarliestStart() < endSlot && !StartFrame(m_timing.EarliestStart()))
        return false;
    if (!m_holding)
        return Fail("the animation has no picture");
    if (!WriteFrame(m_held, m_timing.DelayUntil(endSlot)))
        return false;
    GifFileType *gif = std::exchange(m_gif, nullptr);
    if (EGifCloseFile(gif, nullptr) != GIF_OK || !m_file->Commit())
        return Fail("cannot write the GIF");
    return true;
}
