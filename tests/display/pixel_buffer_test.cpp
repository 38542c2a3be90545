#include "display/pixel_buffer.h"
#include "display/probe_format16.h"
#include "tests/display/image_bytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// Pixel (x, y) of the test images: distinct in every column and row.
std::uint32_t Coded(int x, int y)
{
    return 0x00010000u * static_cast<std::uint32_t>(y + 1) + static_cast<std::uint32_t>(x + 1);
}

class Converted : public ::testing::Test
{
protected:
    void Load(int width, int height, const std::function<std::uint32_t(int, int)> &pixel = Coded)
    {
        m_bytes = ImageBytes(width, height, pixel);
        const std::uint8_t *cursor = m_bytes.data();
        m_buffer.Init();
        ASSERT_TRUE(m_buffer.ReadImage(cursor, m_bytes.data() + m_bytes.size()));
    }
    // One row of a 32-bit output block, or a run of 16-bit pixels.
    std::vector<std::uint32_t> Out32(int row, int width) const
    {
        std::vector<std::uint32_t> pixels;
        for (const std::uint8_t *p = m_buffer.OutputBlock() + 4 * row * width; width-- > 0; p += 4)
            pixels.push_back(p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24);
        return pixels;
    }
    std::vector<std::uint16_t> Out16(int count) const
    {
        std::vector<std::uint16_t> pixels;
        for (const std::uint8_t *p = m_buffer.OutputBlock(); count-- > 0; p += 2)
            pixels.push_back(static_cast<std::uint16_t>(p[0] | p[1] << 8));
        return pixels;
    }

    std::vector<std::uint8_t> m_bytes;
    PixelBuffer m_buffer;
};

constexpr std::uint32_t FILL = 0x00202020;

TEST_F(Converted, GivesTheSourcePixelsAndFillsAroundTheImage)
{
    using Row = std::vector<std::uint32_t>;
    Load(4, 3);
    ASSERT_TRUE(m_buffer.Convert(1, 1, 3, 2, 1, 32, 0));
    EXPECT_EQ(m_buffer.OutputSize(), 4u * 3 * 2);
    EXPECT_EQ(Out32(0, 3), (Row { Coded(1, 1), Coded(2, 1), Coded(3, 1) }));
    EXPECT_EQ(Out32(1, 3), (Row { Coded(1, 2), Coded(2, 2), Coded(3, 2) }));
    m_buffer.FreeOutput();

    // Three columns past the right edge, starting two rows above the image.
    ASSERT_TRUE(m_buffer.Convert(1, -2, 6, 3, 1, 32, 0));
    EXPECT_EQ(Out32(1, 6), Row(6, FILL));
    EXPECT_EQ(Out32(2, 6), (Row { Coded(1, 0), Coded(2, 0), Coded(3, 0), FILL, FILL, FILL }));
}

TEST_F(Converted, TwentyFourBitRowsEndOnAnEvenByteCount)
{
    Load(5, 2, [](int x, int) { return 0x00030201u + 0x00101010u * static_cast<std::uint32_t>(x); });
    ASSERT_TRUE(m_buffer.Convert(0, -1, 5, 3, 1, 24, 0));
    ASSERT_EQ(m_buffer.OutputSize(), 54u);
    const std::uint8_t *block = m_buffer.OutputBlock();
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(block[i], 0x20) << i;
    EXPECT_EQ(block[15], 0);
    const std::uint8_t secondRow[16]
        = { 1, 2, 3, 0x11, 0x12, 0x13, 0x21, 0x22, 0x23, 0x31, 0x32, 0x33, 0x41, 0x42, 0x43, 0 };
    EXPECT_EQ(std::vector<std::uint8_t>(block + 16, block + 32),
        std::vector<std::uint8_t>(secondRow, secondRow + 16));
    EXPECT_EQ(std::vector<std::uint8_t>(block + 48, block + 54), std::vector<std::uint8_t>(6, 0));
}

TEST_F(Converted, SixteenBitPacksByTheFormatDescriptor)
{
    const std::uint32_t colours[] = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456 };
    Load(4, 1, [&colours](int x, int) { return colours[x]; });
    ASSERT_TRUE(m_buffer.Convert(0, 0, 5, 1, 1, 16, FORMAT16_565));
    EXPECT_EQ(Out16(5), std::vector<std::uint16_t>({ 0xF800, 0x07E0, 0x001F, 0x11AA, 0x2104 }));
    m_buffer.FreeOutput();
    ASSERT_TRUE(m_buffer.Convert(0, 0, 5, 1, 1, 16, FORMAT16_555));
    EXPECT_EQ(Out16(5), std::vector<std::uint16_t>({ 0x7C00, 0x03E0, 0x001F, 0x08CA, 0x1084 }));
}

TEST(PixelBufferBlend, TruncatesEveryByteAndRefusesAnotherSize)
{
    const std::vector<std::uint8_t> dark = ImageBytes(2, 1, [](int, int) { return 0u; });
    const std::vector<std::uint8_t> bright = ImageBytes(2, 1, [](int, int) { return 0xFFFFFFFFu; });
    const std::vector<std::uint8_t> wide = ImageBytes(3, 1, [](int, int) { return 0u; });
    PixelBuffer a, b, c;
    for (auto [buffer, bytes] : { std::pair { &a, &dark }, { &b, &bright }, { &c, &wide } }) {
        buffer->Init();
        const std::uint8_t *cursor = bytes->data();
        ASSERT_TRUE(buffer->ReadImage(cursor, bytes->data() + bytes->size()));
    }
    ASSERT_TRUE(a.BlendToward(b, 1.0 / 15));
    EXPECT_EQ(a.Pixel(1, 0), 0x11111111u);
    EXPECT_FALSE(a.BlendToward(c, 0.5));
    EXPECT_FALSE(a.BlendToward(b, 1.5));
    EXPECT_EQ(a.Pixel(0, 0), 0x11111111u);
    ASSERT_TRUE(a.BlendToward(b, 1.0));
    EXPECT_EQ(a.Pixel(0, 0), 0xFFFFFFFFu);
}

// A 16-bit display that stores the top bits of each primary at fixed places;
// one without green bits reads back nothing.
struct FakeDisplay : Format16Probe {
    FakeDisplay(int greenBits, int redPosition)
        : greenBits(greenBits)
        , redPosition(redPosition)
    {
    }
    std::uint16_t ReadBack(std::uint32_t colourRef) override
    {
        const std::uint32_t red = colourRef & 0xFF, green = (colourRef >> 8) & 0xFF, blue = colourRef >> 16;
        return greenBits == 0 ? 0
                              : static_cast<std::uint16_t>(
                                  (red >> 3) << redPosition | (green >> (8 - greenBits)) << 5 | (blue >> 3));
    }
    int greenBits;
    int redPosition;
};

TEST(ProbeFormat16, LearnsTheLayoutOfTheDisplay)
{
    FakeDisplay rgb565(6, 11), rgb555(5, 10), blind(0, 11);
    EXPECT_EQ(ProbeFormat16(rgb565), 0xB55605);
    EXPECT_EQ(ProbeFormat16(rgb555), 0xA55505);
    EXPECT_EQ(ProbeFormat16(blind), FORMAT16_565);
}

} // namespace
