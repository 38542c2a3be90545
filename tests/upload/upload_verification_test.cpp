#include "upload/upload_verification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{

constexpr std::size_t LEAD = UPLOAD_SAMPLE_RATE / 4;

UploadImage TestImage()
{
    UploadImage image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

// The signal as a monitor hears it: silence, the signal at gain, silence.
std::vector<float> Heard(const UploadImage &image, float gain)
{
    const std::vector<std::uint8_t> signal = RenderUploadSignal(ImageBlocks(image));
    std::vector<float> heard(LEAD + signal.size() + LEAD, 0.0f);
    for (std::size_t i = 0; i < signal.size(); ++i)
        heard[LEAD + i] = gain * (static_cast<float>(signal[i]) - 128.0f) / 128.0f;
    return heard;
}

// A little after the start of block 5's frame, in the recording: the frames
// of blocks 0 to 4 come first.
std::size_t InBlockFive()
{
    const std::vector<std::uint8_t> bits = UploadSignalBits(ImageBlocks(TestImage()));
    std::size_t bit = 0;
    for (int block = 0; block < 5; ++block)
        bit += static_cast<std::size_t>(FrameBits(block));
    std::size_t sample = LEAD + 4800;
    for (std::size_t i = 0; i < bit; ++i)
        sample += bits[i] ? UPLOAD_ONE_BIT_SAMPLES : UPLOAD_ZERO_BIT_SAMPLES;
    return sample;
}

TEST(UploadVerification, NamesTheDisturbedBlocksAndWhy)
{
    const UploadImage image = TestImage();
    const auto toneOf = [](float level) {
        return [level](std::vector<float> &heard) {
            for (std::size_t i = 0; i < 4800; ++i)
                heard[InBlockFive() + i]
                    += level * static_cast<float>(std::sin(2.0 * 3.14159265 * 1000.0 * i / 48000.0));
        };
    };
    const auto gap = [](std::vector<float> &heard) {
        std::fill_n(heard.begin() + static_cast<std::ptrdiff_t>(InBlockFive()), 4800, 0.0f);
    };
    const auto clip = [&toneOf](std::vector<float> &heard) {
        toneOf(3.0f)(heard);
        for (float &x : heard)
            x = std::clamp(x, -1.0f, 1.0f);
    };
    const auto noise = [](std::vector<float> &heard) {
        for (std::size_t i = 0; i < 4800; ++i)
            heard[InBlockFive() + i] += (i * 7919 % 101) / 2000.0f - 0.025f;
    };
    struct Row {
        const char *what;
        float gain;
        std::function<void(std::vector<float> &)> disturb;
        std::vector<int> blocks;
        DisturbanceCause cause;
    } rows[] = {
        { "clean", 0.8f, nullptr, {}, DisturbanceCause::Unknown },
        { "a tone mixed in", 0.5f, toneOf(0.9f), { 5 }, DisturbanceCause::AnotherSound },
        { "a gap", 0.8f, gap, { 5 }, DisturbanceCause::Gap },
        { "too loud", 3.0f, clip, { 5 }, DisturbanceCause::Clipped },
        { "too quiet", 0.005f, noise, { 5 }, DisturbanceCause::TooQuiet },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<float> heard = Heard(image, row.gain);
        if (row.disturb)
            row.disturb(heard);
        const UploadVerification check = VerifyUpload(ImageBlocks(image), heard);
        EXPECT_TRUE(check.recorded);
        EXPECT_NEAR(check.speed, 1.0, 0.01);
        std::vector<int> blocks;
        for (const DisturbedBlock &block : check.disturbed) {
            blocks.push_back(block.block);
            EXPECT_EQ(block.cause, row.cause) << "block " << block.block;
        }
        EXPECT_EQ(blocks, row.blocks);
        EXPECT_EQ(check.Intact(), row.blocks.empty());
    }
}

TEST(UploadVerification, SilenceIsNotARecordingAndPeakIsInDbfs)
{
    const UploadImage image = TestImage();
    const UploadVerification silent = VerifyUpload(ImageBlocks(image), std::vector<float>(48000, 0.0f));
    EXPECT_FALSE(silent.recorded);
    EXPECT_FALSE(silent.Intact());
    const UploadVerification half = VerifyUpload(ImageBlocks(image), Heard(image, 0.5f));
    EXPECT_NEAR(PeakDbfs(half.peak), -6.1, 0.1);
    EXPECT_TRUE(half.Intact());
}

} // namespace
