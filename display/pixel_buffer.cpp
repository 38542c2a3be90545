#include "display/pixel_buffer.h"

#include "core/constants.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace
{

std::uint32_t ReadPixel(const std::uint8_t *bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Writes whole pixels of one output depth; every encoder turns a 32-bit
// pixel into BYTES bytes of the block.
struct Encoder32 {
    static constexpr std::size_t BYTES = 4;
    void Put(std::uint8_t *out, const std::uint8_t *pixel) const { std::memcpy(out, pixel, BYTES); }
    void PutSpan(std::uint8_t *out, const std::uint8_t *pixels, std::size_t count) const
    {
        std::memcpy(out, pixels, BYTES * count);
    }
};

struct Encoder24 {
    static constexpr std::size_t BYTES = 3;
    void Put(std::uint8_t *out, const std::uint8_t *pixel) const { std::memcpy(out, pixel, BYTES); }
    void PutSpan(std::uint8_t *out, const std::uint8_t *pixels, std::size_t count) const
    {
        for (std::size_t i = 0; i < count; ++i)
            Put(out + BYTES * i, pixels + PixelBuffer::PIXEL_BYTES * i);
    }
};

// Keeps the top bits of each colour byte and moves them to where the 16-bit
// format descriptor puts them. Each colour byte lands in the 16-bit word on
// its own, so one table per colour holds its part of every word.
class Encoder16
{
public:
    static constexpr std::size_t BYTES = 2;

    explicit Encoder16(std::int32_t format16)
    {
        for (int c = 0; c < 3; ++c) {
            const int bits = std::min((format16 >> (8 * c)) & 0xF, 8);
            const int position = (format16 >> (8 * c + 4)) & 0xF;
            const std::uint32_t mask = ((1u << bits) - 1) << (8 * c + 8 - bits);
            const int shift = 8 * c + 8 - bits - position;
            for (std::uint32_t value = 0; value < 256; ++value) {
                const std::uint32_t kept = (value << (8 * c)) & mask;
                m_part[c][value] = static_cast<std::uint16_t>(shift >= 0 ? kept >> shift : kept << -shift);
            }
        }
    }

    void Put(std::uint8_t *out, const std::uint8_t *pixel) const
    {
        const std::uint16_t word = m_part[0][pixel[0]] | m_part[1][pixel[1]] | m_part[2][pixel[2]];
        out[0] = static_cast<std::uint8_t>(word);
        out[1] = static_cast<std::uint8_t>(word >> 8);
    }
    void PutSpan(std::uint8_t *out, const std::uint8_t *pixels, std::size_t count) const
    {
        for (std::size_t i = 0; i < count; ++i)
            Put(out + BYTES * i, pixels + PixelBuffer::PIXEL_BYTES * i);
    }

private:
    std::uint16_t m_part[3][256];
};

constexpr std::uint8_t FILL_PIXEL[PixelBuffer::PIXEL_BYTES] = { PIXEL_FILL_COLOUR & 0xFF,
    (PIXEL_FILL_COLOUR >> 8) & 0xFF, (PIXEL_FILL_COLOUR >> 16) & 0xFF, PIXEL_FILL_COLOUR >> 24 };

// Which output pixels of a row show source columns: [begin, end); those
// before and after show the fill colour.
struct ColumnSpan {
    std::int64_t begin;
    std::int64_t end;
};

ColumnSpan InsideColumns(std::int64_t x0, std::int64_t outWidth, std::int64_t zoom, std::int64_t width)
{
    const std::int64_t begin = std::clamp(-x0 * zoom, std::int64_t { 0 }, outWidth);
    const std::int64_t end = std::clamp((width - x0) * zoom, begin, outWidth);
    return { begin, end };
}

template <class Encoder> void PutFill(const Encoder &encoder, std::uint8_t *out, std::int64_t count)
{
    std::uint8_t fill[Encoder::BYTES];
    encoder.Put(fill, FILL_PIXEL);
    for (std::int64_t i = 0; i < count; ++i)
        std::memcpy(out + Encoder::BYTES * i, fill, Encoder::BYTES);
}

// One output row from source row src; src is null for a row outside the
// image.
template <class Encoder>
void EncodeRow(const Encoder &encoder, std::uint8_t *out, const std::uint8_t *src, std::int64_t x0,
    std::int64_t outWidth, std::int64_t zoom, std::int64_t width)
{
    if (!src) {
        PutFill(encoder, out, outWidth);
        return;
    }
    const ColumnSpan inside = InsideColumns(x0, outWidth, zoom, width);
    PutFill(encoder, out, inside.begin);
    if (zoom == 1 && inside.end > inside.begin) {
        encoder.PutSpan(out + Encoder::BYTES * inside.begin,
            src + PixelBuffer::PIXEL_BYTES * (x0 + inside.begin),
            static_cast<std::size_t>(inside.end - inside.begin));
    } else {
        for (std::int64_t i = inside.begin; i < inside.end; ++i)
            encoder.Put(out + Encoder::BYTES * i, src + PixelBuffer::PIXEL_BYTES * (x0 + i / zoom));
    }
    PutFill(encoder, out + Encoder::BYTES * inside.end, outWidth - inside.end);
}

// 1-bit rows: the most significant bit first, 1 for any colour but black.
void EncodeMonoRow(std::uint8_t *out, const std::uint8_t *src, std::int64_t x0, std::int64_t outWidth,
    std::int64_t zoom, std::int64_t width)
{
    std::memset(out, 0, static_cast<std::size_t>((outWidth + 7) / 8));
    if (!src)
        return;
    const ColumnSpan inside = InsideColumns(x0, outWidth, zoom, width);
    for (std::int64_t i = inside.begin; i < inside.end; ++i)
        if (ReadPixel(src + PixelBuffer::PIXEL_BYTES * (x0 + i / zoom)) & 0x00FFFFFF)
            out[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
}

bool IsSupportedDepth(std::int32_t depth)
{
    return depth == 1 || depth == 16 || depth == 24 || depth == 32;
}

std::size_t BlockSize(std::int32_t depth, std::int32_t width, std::int32_t height)
{
    const std::size_t rows = static_cast<std::size_t>(height);
    if (depth == 24)
        return 3 * rows * (static_cast<std::size_t>(width) + (width & 1));
    return rows * OutputRowLength(depth, width);
}

} // namespace

std::size_t OutputRowLength(std::int32_t depth, std::int32_t width)
{
    const std::size_t w = static_cast<std::size_t>(width);
    switch (depth) {
    case 1: return (w + 7) / 8;
    case 16: return 2 * w;
    case 24: return 3 * w + (w & 1);
    default: return 4 * w;
    }
}

void EncodePixels16(const std::uint8_t *pixels, std::size_t count, std::int32_t format16, std::uint8_t *out)
{
    Encoder16(format16).PutSpan(out, pixels, count);
}

void PixelBuffer::Init()
{
    m_width = 0;
    m_height = 0;
    m_pixels.reset();
    m_outputSize = 0;
    m_outputBlock.reset();
}

void PixelBuffer::FreePixels()
{
    m_pixels.reset();
}

bool PixelBuffer::ReadImage(const std::uint8_t *&cursor, const std::uint8_t *end)
{
    const std::size_t available = static_cast<std::size_t>(end - cursor);
    if (available < HEADER_BYTES)
        return false;
    const std::uint32_t width = ReadLe16(cursor);
    const std::uint32_t height = ReadLe16(cursor + 2);
    const std::size_t pixelBytes = PIXEL_BYTES * width * height;
    if (available - HEADER_BYTES < pixelBytes)
        return false;
    auto pixels = std::make_unique<std::uint8_t[]>(pixelBytes);
    std::memcpy(pixels.get(), cursor + HEADER_BYTES, pixelBytes);
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
    cursor += HEADER_BYTES + pixelBytes;
    return true;
}

bool PixelBuffer::Convert(std::int32_t x0, std::int32_t y0, std::int32_t outWidth, std::int32_t outHeight,
    std::int32_t zoom, std::int32_t depth, std::int32_t format16)
{
    if (!IsSupportedDepth(depth) || outWidth < 0 || outHeight < 0 || zoom < 1)
        return false;
    const std::size_t size = BlockSize(depth, outWidth, outHeight);
    if (size > std::numeric_limits<std::uint32_t>::max())
        return false;
    const std::size_t rowLength = OutputRowLength(depth, outWidth);
    m_outputBlock.reset(new std::uint8_t[size]);
    m_outputSize = static_cast<std::uint32_t>(size);
    std::uint8_t *block = m_outputBlock.get();
    std::memset(block + rowLength * static_cast<std::size_t>(outHeight), 0,
        size - rowLength * static_cast<std::size_t>(outHeight));

    const Encoder16 encoder16(format16);
    for (std::int64_t r = 0; r < outHeight; ++r) {
        const std::int64_t y = y0 + r / zoom;
        const std::uint8_t *src = y >= 0 && y < m_height && m_pixels ? Row(y) : nullptr;
        std::uint8_t *out = block + rowLength * static_cast<std::size_t>(r);
        switch (depth) {
        case 1: EncodeMonoRow(out, src, x0, outWidth, zoom, m_width); break;
        case 16: EncodeRow(encoder16, out, src, x0, outWidth, zoom, m_width); break;
        case 24:
            EncodeRow(Encoder24 {}, out, src, x0, outWidth, zoom, m_width);
            if (outWidth & 1)
                out[rowLength - 1] = 0;
            break;
        default: EncodeRow(Encoder32 {}, out, src, x0, outWidth, zoom, m_width); break;
        }
    }
    return true;
}

void PixelBuffer::FreeOutput()
{
    m_outputBlock.reset();
}

bool PixelBuffer::BlendToward(const PixelBuffer &other, double factor)
{
    if (other.m_width != m_width || other.m_height != m_height || !(factor >= 0.0 && factor <= 1.0))
        return false;
    const std::size_t count = PIXEL_BYTES * m_width * m_height;
    if (count == 0)
        return true;
    if (!m_pixels || !other.m_pixels)
        return false;
    // Every byte pair (b, o) blends the same way, so the blend of each is
    // worked out once, in the double arithmetic the fade is defined by.
    const double keep = 1.0 - factor;
    std::vector<std::uint8_t> blended(256 * 256);
    for (int b = 0; b < 256; ++b)
        for (int o = 0; o < 256; ++o)
            blended[static_cast<std::size_t>(b << 8 | o)] = static_cast<std::uint8_t>(b * keep + o * factor);
    std::uint8_t *bytes = m_pixels.get();
    const std::uint8_t *toward = other.m_pixels.get();
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = blended[static_cast<std::size_t>(bytes[i] << 8 | toward[i])];
    return true;
}

std::uint32_t PixelBuffer::Pixel(std::uint32_t x, std::uint32_t y) const
{
    return ReadPixel(Row(y) + PIXEL_BYTES * x);
}
