// Round trips through the renderer and recordings spoilt the way sound
// cards, cables and microphones spoil them.

#include "upload/fsk_decoder.h"
#include "upload/fsk_signal.h"
#include "upload/wav_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace
{

struct Impairment {
    int rate;
    double speed; // > 1: the recording runs fast
    double gain; // peak level relative to full scale; negative inverts
    double offset;
    double snrDb; // white noise; 0: none
    int bits;
    int channels; // a second channel carries noise only
};

UploadImage RandomImage(std::mt19937 &random)
{
    UploadImage image;
    std::generate(image.begin(), image.end(), [&] { return static_cast<std::uint8_t>(random()); });
    return image;
}

// Linear interpolation: coarse, so the decoder also copes with cheap
// resamplers.
std::vector<double> Resample(const std::vector<std::uint8_t> &signal, double step)
{
    std::vector<double> out;
    for (double t = 0.0; t + 1.0 < static_cast<double>(signal.size()); t += step) {
        const std::size_t i = static_cast<std::size_t>(t);
        const double f = t - static_cast<double>(i);
        out.push_back(((1.0 - f) * signal[i] + f * signal[i + 1] - 128.0) / 127.0);
    }
    return out;
}

void PutSample(PcmAudio &audio, double x)
{
    x = std::clamp(x, -1.0, 1.0);
    if (audio.bitsPerSample == 8) {
        audio.bytes.push_back(static_cast<std::uint8_t>(std::lround(128.0 + 127.0 * x)));
    } else {
        const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(32767.0 * x)));
        audio.bytes.push_back(static_cast<std::uint8_t>(v));
        audio.bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
}

// The recording as a WAV file would hold it, with half a second of noise
// before and after the signal.
PcmAudio Record(const std::vector<std::uint8_t> &signal, const Impairment &how, std::mt19937 &random)
{
    const std::vector<double> clean = Resample(signal, how.speed * UPLOAD_SAMPLE_RATE / how.rate);
    const double noiseRms
        = how.snrDb > 0 ? std::fabs(how.gain) / std::sqrt(2.0) / std::pow(10.0, how.snrDb / 20) : 0;
    std::normal_distribution<double> noise(0.0, noiseRms);
    PcmAudio audio;
    audio.sampleRate = how.rate;
    audio.channels = how.channels;
    audio.bitsPerSample = how.bits;
    const std::size_t pad = static_cast<std::size_t>(how.rate / 2);
    for (std::size_t i = 0; i < clean.size() + 2 * pad; ++i) {
        const double x = i >= pad && i < pad + clean.size() ? clean[i - pad] : 0.0;
        PutSample(audio, how.offset + how.gain * x + noise(random));
        for (int c = 1; c < how.channels; ++c)
            PutSample(audio, 0.01 * noise(random));
    }
    return audio;
}

TEST(FskDecoder, RecoversImagesFromImpairedRecordings)
{
    const Impairment cases[] = {
        { 48000, 1.0, 1.0, 0.0, 0, 8, 1 },
        { 44100, 1.03, 0.04, 0.0, 12, 16, 1 },
        { 22050, 0.97, -0.5, 0.3, 12, 8, 2 },
        { 96000, 1.04, -0.03, -0.01, 12, 16, 2 },
        { 48000, 0.96, 0.05, 0.02, 12, 8, 1 },
        { 8000, 1.0, 0.8, 0.0, 20, 16, 1 },
    };
    std::mt19937 random(20261206);
    for (const Impairment &how : cases) {
        SCOPED_TRACE(testing::Message() << how.rate << " Hz, speed " << how.speed << ", gain " << how.gain);
        const UploadImage image = RandomImage(random);
        const std::vector<std::uint8_t> file
            = EncodeWav(Record(RenderUploadSignal(ImageBlocks(image)), how, random));
        const UploadDecodeResult result = DecodeUploadRecording(ParseWav(file.data(), file.size()));
        EXPECT_EQ(result.missingBlocks, std::vector<int>());
        EXPECT_EQ(result.damagedBlocks, std::vector<int>());
        EXPECT_TRUE(result.image == image);
    }
}

TEST(FskDecoder, RefusesCutAndDisturbedRecordings)
{
    std::mt19937 random(7);
    const UploadImage image = RandomImage(random);
    const std::vector<std::uint8_t> signal = RenderUploadSignal(ImageBlocks(image));
    std::vector<float> samples(signal.size());
    std::transform(
        signal.begin(), signal.end(), samples.begin(), [](std::uint8_t s) { return (s - 128) / 128.0f; });

    // Cut inside block 13: it and the final block 0 never arrive.
    const std::size_t block13 = static_cast<std::size_t>(UPLOAD_SAMPLE_RATE) * 9;
    UploadDecodeResult cut = DecodeUploadSignal(samples.data(), block13, UPLOAD_SAMPLE_RATE);
    EXPECT_FALSE(cut.Complete());
    EXPECT_EQ(cut.missingBlocks.front(), 0);
    EXPECT_EQ(cut.missingBlocks.back(), 13);

    // A dropout in the middle of the data of the frame at 6 s.
    std::vector<float> dropout = samples;
    std::fill(
        dropout.begin() + 6 * UPLOAD_SAMPLE_RATE, dropout.begin() + 6 * UPLOAD_SAMPLE_RATE + 2000, 0.0f);
    const UploadDecodeResult lost = DecodeUploadSignal(dropout.data(), dropout.size(), UPLOAD_SAMPLE_RATE);
    EXPECT_FALSE(lost.Complete());
    EXPECT_EQ(lost.missingBlocks.size() + lost.damagedBlocks.size(), 1u);

    // One period too many inside a data byte shifts the frame: its trailer
    // comes out a bit longer than sent.
    std::vector<float> slipped = samples;
    const std::size_t at = 6 * UPLOAD_SAMPLE_RATE;
    const std::size_t boundary
        = at + static_cast<std::size_t>(std::find_if(signal.begin() + at, signal.end(), [](std::uint8_t s) {
              return s == 128;
          }) - (signal.begin() + at));
    slipped.insert(slipped.begin() + boundary, samples.begin() + boundary, samples.begin() + boundary + 36);
    const UploadDecodeResult shifted = DecodeUploadSignal(slipped.data(), slipped.size(), UPLOAD_SAMPLE_RATE);
    EXPECT_FALSE(shifted.Complete());
    EXPECT_EQ(shifted.damagedBlocks.size(), 1u);

    const UploadDecodeResult silence = DecodeUploadSignal(samples.data(), 0, UPLOAD_SAMPLE_RATE);
    EXPECT_EQ(silence.missingBlocks.size(), static_cast<std::size_t>(UPLOAD_BLOCK_COUNT));
}

} // namespace
