#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// What a conversion of the pixel buffer writes where it reaches outside the
// image: red, green and blue 32, a dark grey.
inline constexpr unsigned PIXEL_FILL_COLOUR = 0x00202020;

// A 16-bit little-endian number, as an image's header holds its width and
// height.
inline std::uint32_t ReadLe16(const std::uint8_t *bytes)
{
    return bytes[0] | bytes[1] << 8;
}

// One 32-bit image of the device picture in memory. A pixel is four bytes,
// blue, green, red and a fourth byte without colour (0xXXRRGGBB read as a
// little-endian number). The buffer reads itself from bytes, fades towards a
// second image of its size, and converts any rectangle of itself into a block
// of bytes in the layout of a screen bitmap of 1, 16, 24 or 32 bits a pixel.
class PixelBuffer
{
public:
    // Bytes a pixel takes in the image and in an image's header.
    static constexpr std::size_t PIXEL_BYTES = 4;
    static constexpr std::size_t HEADER_BYTES = 4;

    // Empties the buffer: no image of 0 x 0 pixels and no output block.
    void Init();
    // Releases the image; the output block stays.
    void FreePixels();

    // Reads one image (16-bit little-endian width and height, then width x
    // height 32-bit little-endian pixels, top row first) from cursor, which
    // must not pass end, and moves cursor past it. An image that does not
    // fit before end is refused: false, and buffer and cursor stay as they
    // were.
    bool ReadImage(const std::uint8_t *&cursor, const std::uint8_t *end);

    // Converts outWidth x outHeight output pixels from the rectangle whose
    // top-left source pixel is (x0, y0), every source pixel repeated zoom
    // times across and down, into a new output block of the given depth (1,
    // 16, 24 or 32). Outside the image the block holds PIXEL_FILL_COLOUR.
    // format16 is the 16-bit format descriptor (see probe_format16.h). Any
    // other depth, a negative size or a zoom below 1 makes nothing: false,
    // and the output block stays as it was.
    bool Convert(std::int32_t x0, std::int32_t y0, std::int32_t outWidth, std::int32_t outHeight,
        std::int32_t zoom, std::int32_t depth, std::int32_t format16);
    void FreeOutput();

    // Moves every byte of the image towards the same byte of other: b x (1 -
    // factor) + o x factor, truncated. False, and nothing changed, when other
    // differs in size or factor is not within 0..1.
    bool BlendToward(const PixelBuffer &other, double factor);

    std::uint32_t Width() const { return m_width; }
    std::uint32_t Height() const { return m_height; }
    // The pixel at (x, y), which must lie inside the image.
    std::uint32_t Pixel(std::uint32_t x, std::uint32_t y) const;
    const std::uint8_t *OutputBlock() const { return m_outputBlock.get(); }
    std::uint32_t OutputSize() const { return m_outputSize; }

private:
    const std::uint8_t *Row(std::int64_t y) const { return m_pixels.get() + PIXEL_BYTES * m_width * y; }

    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    std::unique_ptr<std::uint8_t[]> m_pixels;
    std::uint32_t m_outputSize = 0;
    std::unique_ptr<std::uint8_t[]> m_outputBlock;
};

// The byte length of one row of an output block of the given depth and width.
std::size_t OutputRowLength(std::int32_t depth, std::int32_t width);

// Writes count pixels as 16-bit output pixels of the layout format16, two
// bytes each, as Convert does.
void EncodePixels16(const std::uint8_t *pixels, std::size_t count, std::int32_t format16, std::uint8_t *out);
