#include "core/constants.h"
#include "display/device_picture.h"
#include "display/led_tables.h"
#include "display/pixel_buffer.h"
#include "tests/display/image_bytes.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace
{

constexpr int SIZE = DEVICE_PICTURE_SIZE;

std::vector<std::uint8_t> Picture(
    const std::function<std::uint32_t(int, int)> &off, const std::function<std::uint32_t(int, int)> &lit)
{
    std::vector<std::uint8_t> bytes;
    AppendImage(bytes, SIZE, SIZE, off);
    AppendImage(bytes, SIZE, SIZE, lit);
    return bytes;
}

struct Block {
    std::vector<std::uint8_t> bytes;
    int width;
    int height;

    std::uint32_t Pixel32(int x, int y) const
    {
        const std::uint8_t *p = bytes.data() + 4 * (y * width + x);
        return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
};

class RecordingSink : public DevicePictureSink
{
public:
    void Background(const ConvertedBlock &block) override { background = Keep(block); }
    void Frame(int step, int position, const ConvertedBlock &block) override
    {
        frames[FrameIndex(step, position)] = Keep(block);
    }

    Block background;
    std::map<int, Block> frames;

private:
    static Block Keep(const ConvertedBlock &block)
    {
        return { std::vector<std::uint8_t>(block.bytes, block.bytes + block.size), block.width,
            block.height };
    }
};

std::uint32_t Coded(int x, int y)
{
    return static_cast<std::uint32_t>(y) << 12 | static_cast<std::uint32_t>(x);
}

TEST(DevicePicture, StepsAreTheCumulativeTruncatingBlend)
{
    const auto bytes = Picture([](int x, int) { return x < 400 ? 0u : 0xFFFFFFFFu; },
        [](int x, int) { return x < 400 ? 0xFFFFFFFFu : 0u; });
    RecordingSink sink;
    ASSERT_TRUE(BuildDevicePictureBlocks(bytes.data(), bytes.size(), 32, 0, sink));
    ASSERT_EQ(sink.frames.size(), static_cast<std::size_t>(BRIGHTNESS_FRAME_COUNT));
    const int rising[] = { 0, 17, 34, 51, 68, 85, 102, 118, 135, 152, 169, 186, 203, 220, 237, 255 };
    const int falling[] = { 255, 238, 221, 204, 187, 170, 153, 136, 119, 102, 85, 68, 51, 34, 17, 0 };
    for (int step = 0; step < BRIGHTNESS_STEPS; ++step) {
        // Position 0 lies left of column 400, position 3 right of it.
        const std::uint32_t up = sink.frames[FrameIndex(step, 0)].Pixel32(10, 10);
        const std::uint32_t down = sink.frames[FrameIndex(step, 3)].Pixel32(10, 10);
        EXPECT_EQ(up, 0x01010101u * static_cast<std::uint32_t>(rising[step])) << step;
        EXPECT_EQ(down, 0x01010101u * static_cast<std::uint32_t>(falling[step])) << step;
    }
}

TEST(DevicePicture, FramesHoldTheirBoundsOfTheOffAndTheLitImage)
{
    const auto bytes = Picture(Coded, [](int x, int y) { return Coded(x, y) | 0x00F00000u; });
    RecordingSink sink;
    ASSERT_TRUE(BuildDevicePictureBlocks(bytes.data(), bytes.size(), 32, 0, sink));
    ASSERT_EQ(sink.background.bytes.size(), 4u * SIZE * SIZE);
    EXPECT_EQ(sink.background.Pixel32(799, 799), Coded(799, 799));
    for (int p = 0; p < LED_COUNT; ++p) {
        const PictureRect &bounds = LED_BOUNDS[p];
        const Block &dark = sink.frames[FrameIndex(0, p)];
        const Block &lit = sink.frames[FrameIndex(BRIGHTNESS_STEPS - 1, p)];
        ASSERT_EQ(std::pair(dark.width, dark.height), std::pair(bounds.Width(), bounds.Height()));
        ASSERT_EQ(dark.bytes.size(), 4u * bounds.Width() * bounds.Height());
        for (const auto &[x, y] : { std::pair { 0, 0 }, { bounds.Width() - 1, bounds.Height() - 1 } }) {
            EXPECT_EQ(dark.Pixel32(x, y), sink.background.Pixel32(bounds.left + x, bounds.top + y));
            EXPECT_EQ(lit.Pixel32(x, y), Coded(bounds.left + x, bounds.top + y) | 0x00F00000u);
        }
    }
}

TEST(DevicePicture, BadDataBuildsNothing)
{
    std::vector<std::uint8_t> wrongSize;
    AppendImage(wrongSize, SIZE - 1, SIZE, Coded);
    AppendImage(wrongSize, SIZE - 1, SIZE, Coded);
    const auto whole = Picture(Coded, Coded);
    const std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 1);
    const std::vector<std::uint8_t> onlyOff(whole.begin(), whole.begin() + whole.size() / 2);
    for (const auto &[bytes, depth] : { std::pair<const std::vector<std::uint8_t> *, int> { &wrongSize, 32 },
             { &cut, 32 }, { &onlyOff, 32 }, { &whole, 8 } }) {
        RecordingSink sink;
        EXPECT_FALSE(BuildDevicePictureBlocks(bytes->data(), bytes->size(), depth, 0, sink));
        EXPECT_TRUE(sink.frames.empty());
        EXPECT_TRUE(sink.background.bytes.empty());
    }
}

} // namespace
