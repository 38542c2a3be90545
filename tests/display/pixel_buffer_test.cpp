#include "display/pixel_buffer.h"
#include "display/probe_format16.h"
#include "tests/display/image_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

// Pixel (x, y) of the test images: distinct in every column and row.
std::uint32_t Coded(int x, int y)
{
    return 0x00010000u * static_cast<std::uint32_t>(y + 1) + static_cast<std::uint32_t>(x + 1);
}

PixelBuffer Loaded(int width, int height, const std::function<std::uint32_t(int, int)> &pixel = Coded)
{
    const std::vector<std::uint8_t> bytes = ImageBytes(width, height, { pixel });
    const std::uint8_t *cursor = bytes.data();
    PixelBuffer buffer;
    EXPECT_TRUE(buffer.ReadImage(cursor, bytes.data() + bytes.size()));
    return buffer;
}

// The whole output block, read as little-endian numbers of its pixel size.
template <typename Unit> std::vector<Unit> Output(const PixelBuffer &buffer)
{
    std::vector<Unit> units(buffer.OutputSize() / sizeof(Unit));
    std::memcpy(units.data(), buffer.OutputBlock(), units.size() * sizeof(Unit));
    return units;
}

constexpr std::uint32_t FILL = 0x00202020;

TEST(PixelBufferConvert, GivesTheSourcePixelsAndFillsAroundTheImage)
{
    using Pixels = std::vector<std::uint32_t>;
    PixelBuffer buffer = Loaded(4, 3);
    ASSERT_TRUE(buffer.Convert(1, 1, 3, 2, 1, 32, 0));
    EXPECT_EQ(Output<std::uint32_t>(buffer),
        (Pixels { Coded(1, 1), Coded(2, 1), Coded(3, 1), Coded(1, 2), Coded(2, 2), Coded(3, 2) }));
    buffer.FreeOutput();

    // Three columns past the right edge, starting two rows above the image.
    ASSERT_TRUE(buffer.Convert(1, -2, 6, 3, 1, 32, 0));
    Pixels expected(2 * 6, FILL);
    expected.insert(expected.end(), { Coded(1, 0), Coded(2, 0), Coded(3, 0), FILL, FILL, FILL });
    EXPECT_EQ(Output<std::uint32_t>(buffer), expected);
}

TEST(PixelBufferConvert, TwentyFourBitRowsEndOnAnEvenByteCount)
{
    PixelBuffer buffer
        = Loaded(5, 2, [](int x, int) { return 0x00030201u + 0x00101010u * static_cast<std::uint32_t>(x); });
    ASSERT_TRUE(buffer.Convert(0, -1, 5, 3, 1, 24, 0));
    // A row above the image, the image's two rows, and the block's six spare bytes.
    std::vector<std::uint8_t> expected(15, 0x20);
    expected.push_back(0);
    for (int row = 0; row < 2; ++row)
        expected.insert(expected.end(),
            { 1, 2, 3, 0x11, 0x12, 0x13, 0x21, 0x22, 0x23, 0x31, 0x32, 0x33, 0x41, 0x42, 0x43, 0 });
    expected.resize(54, 0);
    EXPECT_EQ(Output<std::uint8_t>(buffer), expected);
}

TEST(PixelBufferConvert, SixteenBitPacksByTheFormatDescriptor)
{
    const std::uint32_t colours[] = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456 };
    PixelBuffer buffer = Loaded(4, 1, [&colours](int x, int) { return colours[x]; });
    ASSERT_TRUE(buffer.Convert(0, 0, 5, 1, 1, 16, FORMAT16_565));
    EXPECT_EQ(Output<std::uint16_t>(buffer),
        std::vector<std::uint16_t>({ 0xF800, 0x07E0, 0x001F, 0x11AA, 0x2104 }));
    buffer.FreeOutput();
    ASSERT_TRUE(buffer.Convert(0, 0, 5, 1, 1, 16, FORMAT16_555));
    EXPECT_EQ(Output<std::uint16_t>(buffer),
        std::vector<std::uint16_t>({ 0x7C00, 0x03E0, 0x001F, 0x08CA, 0x1084 }));
}

TEST(PixelBufferBlend, TruncatesEveryByteAndRefusesAnotherSize)
{
    PixelBuffer dark = Loaded(2, 1, [](int, int) { return 0u; });
    const PixelBuffer bright = Loaded(2, 1, [](int, int) { return 0xFFFFFFFFu; });
    ASSERT_TRUE(dark.BlendToward(bright, 1.0 / 15));
    EXPECT_EQ(dark.Pixel(1, 0), 0x11111111u);
    EXPECT_FALSE(dark.BlendToward(Loaded(3, 1, [](int, int) { return 0u; }), 0.5));
    EXPECT_FALSE(dark.BlendToward(bright, 1.5));
    EXPECT_EQ(dark.Pixel(0, 0), 0x11111111u);
    ASSERT_TRUE(dark.BlendToward(bright, 1.0));
    EXPECT_EQ(dark.Pixel(0, 0), 0xFFFFFFFFu);
}

// A 16-bit display that stores the top bits of each primary at fixed places;
// one without green bits reads back nothing.
template <int GREEN_BITS, int RED_POSITION> struct FakeDisplay : Format16Probe {
    std::uint16_t ReadBack(std::uint32_t colourRef) override
    {
        const std::uint32_t red = colourRef & 0xFF, green = (colourRef >> 8) & 0xFF, blue = colourRef >> 16;
        return GREEN_BITS == 0 ? 0
                               : static_cast<std::uint16_t>((red >> 3) << RED_POSITION
                                   | (green >> (8 - GREEN_BITS)) << 5 | (blue >> 3));
    }
};

TEST(ProbeFormat16, LearnsTheLayoutOfTheDisplay)
{
    FakeDisplay<6, 11> rgb565;
    FakeDisplay<5, 10> rgb555;
    FakeDisplay<0, 11> blind;
    EXPECT_EQ(ProbeFormat16(rgb565), 0xB55605);
    EXPECT_EQ(ProbeFormat16(rgb555), 0xA55505);
    EXPECT_EQ(ProbeFormat16(blind), FORMAT16_565);
}

} // namespace
