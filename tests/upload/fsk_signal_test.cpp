#include "upload/fsk_signal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace
{

constexpr int FRAME_HEAD_BITS = UPLOAD_LEAD_IN_BITS + 1 + 16;

int ByteAt(const std::vector<std::uint8_t> &bits, std::size_t at)
{
    int byte = 0;
    for (int i = 0; i < 8; ++i)
        byte |= bits[at + static_cast<std::size_t>(i)] << i;
    return byte;
}

template <typename Waveform> void ExpectSine(const Waveform &samples)
{
    const double n = static_cast<double>(samples.size());
    for (std::size_t k = 0; k < samples.size(); ++k)
        EXPECT_EQ(samples[k], static_cast<int>(std::floor(128.0 + 127.0 * std::sin(2.0 * M_PI * k / n))))
            << k;
}

TEST(FskSignal, WaveformsAndSampleCounts)
{
    ExpectSine(ZeroBitSamples());
    ExpectSine(OneBitSamples());
    UploadImage image;
    image.fill(0xFF);
    const std::vector<std::uint8_t> ones = RenderUploadSignal(ImageBlocks(image));
    EXPECT_EQ(ones.size(), 500076u);
    // The lead-in's 0 bits, then the start bit.
    EXPECT_TRUE(std::equal(ZeroBitSamples().begin(), ZeroBitSamples().end(), ones.begin() + 49 * 72));
    EXPECT_TRUE(std::equal(OneBitSamples().begin(), OneBitSamples().end(), ones.begin() + 50 * 72));
    image.fill(0x00);
    EXPECT_EQ(RenderUploadSignal(ImageBlocks(image)).size(), 629100u);
}

TEST(FskSignal, FramesInLineOrder)
{
    UploadImage image;
    std::iota(image.begin(), image.end(), 0);
    const std::vector<std::uint8_t> bits = UploadSignalBits(ImageBlocks(image));
    EXPECT_EQ(bits.size(), 12945u);

    const int order[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0 };
    const int numbers[] = { 0, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0 };
    std::size_t start = 0;
    for (std::size_t f = 0; f < std::size(order); ++f) {
        const int block = order[f];
        SCOPED_TRACE(f);
        for (int i = 0; i < UPLOAD_LEAD_IN_BITS; ++i)
            ASSERT_EQ(bits[start + static_cast<std::size_t>(i)], 0);
        EXPECT_EQ(bits[start + UPLOAD_LEAD_IN_BITS], 1);
        EXPECT_EQ(ByteAt(bits, start + UPLOAD_LEAD_IN_BITS + 1), 0x01);
        EXPECT_EQ(ByteAt(bits, start + UPLOAD_LEAD_IN_BITS + 9), numbers[f]);
        EXPECT_EQ(BlockFromNumberByte(static_cast<std::uint8_t>(numbers[f])), block);
        const int firstByte = ByteAt(bits, start + FRAME_HEAD_BITS);
        EXPECT_EQ(firstByte, f == 0 ? 0xFF : (block * UPLOAD_BLOCK_SIZE) & 0xFF);
        const std::size_t trailer = start + FRAME_HEAD_BITS + 8 * UPLOAD_BLOCK_SIZE;
        const std::size_t end = start + static_cast<std::size_t>(FrameBits(block));
        for (std::size_t i = trailer; i < end; ++i)
            ASSERT_EQ(bits[i], 1);
        EXPECT_EQ(end - trailer, block < 2 ? 2500u : 50u);
        start = end;
    }
    EXPECT_EQ(start, bits.size());
    EXPECT_EQ(BlockFromNumberByte(2), -1);
    EXPECT_EQ(BlockFromNumberByte(3), -1);
}

TEST(FskSignal, OneBlockSendsBlockZeroTwice)
{
    std::uint8_t block[UPLOAD_BLOCK_SIZE] = { 0x5A };
    const std::vector<std::uint8_t> bits = UploadSignalBits({ block, 1 });
    ASSERT_EQ(bits.size(), 2u * 2823);
    EXPECT_EQ(ByteAt(bits, FRAME_HEAD_BITS), 0xFF);
    EXPECT_EQ(ByteAt(bits, 2823 + FRAME_HEAD_BITS), 0x5A);
    EXPECT_EQ(ByteAt(bits, 2823 + FRAME_HEAD_BITS + 8), 0x00);
}

} // namespace
