// Round trips through the renderer and recordings spoilt the way sound
// cards, cables and microphones spoil them.

#include "upload/frame_parser.h"
#include "upload/fsk_decoder.h"
#include "upload/fsk_signal.h"
#include "upload/recording.h"
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

TEST(FskDecoder, RefusesCutDisturbedAndSlippedRecordings)
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

    // A 0 of the last frame's data heard as two 1s: the frame keeps its
    // length in time but has a bit too many, which only its trailer tells,
    // whether the recording ends with the signal (its last period has no
    // closing crossing) or goes on in silence.
    const std::vector<std::uint8_t> bits = UploadSignalBits(ImageBlocks(image));
    // The last frame's data follows its lead-in, start bit and two header bytes.
    const auto data = bits.end() - FrameBits(0) + UPLOAD_LEAD_IN_BITS + 1 + 16;
    const auto zero = static_cast<std::size_t>(std::find(data, bits.end(), 0) - bits.begin());
    std::size_t at = 0;
    for (std::size_t i = 0; i < zero; ++i)
        at += bits[i] ? UPLOAD_ONE_BIT_SAMPLES : UPLOAD_ZERO_BIT_SAMPLES;
    std::vector<float> slipped = samples;
    for (std::size_t i = 0; i < UPLOAD_ZERO_BIT_SAMPLES; ++i)
        slipped[at + i] = (OneBitSamples()[i % UPLOAD_ONE_BIT_SAMPLES] - 128) / 128.0f;

    for (const std::size_t silence : { 0, UPLOAD_SAMPLE_RATE / 2 }) {
        samples.resize(signal.size() + silence);
        slipped.resize(signal.size() + silence);
        const UploadDecodeResult good
            = DecodeUploadSignal(samples.data(), samples.size(), UPLOAD_SAMPLE_RATE);
        EXPECT_TRUE(good.Complete() && good.image == image) << silence;
        const UploadDecodeResult bad = DecodeUploadSignal(slipped.data(), slipped.size(), UPLOAD_SAMPLE_RATE);
        EXPECT_EQ(bad.damagedBlocks, std::vector<int> { 0 }) << silence;
    }

    const UploadDecodeResult silence = DecodeUploadSignal(samples.data(), 0, UPLOAD_SAMPLE_RATE);
    EXPECT_EQ(silence.missingBlocks.size(), static_cast<std::size_t>(UPLOAD_BLOCK_COUNT));
}

// The symbols as the collector keeps them.
UploadDecodeResult Parse(const std::vector<std::uint8_t> &symbols)
{
    BlockCollector collector;
    FrameParser parser(collector);
    parser.Push(symbols.data(), symbols.size());
    parser.Finish();
    return collector.Result();
}

// What a result should hold: the image, with 0xFF in the blocks it does not
// have intact.
UploadImage IntactPartOf(const UploadImage &image, const UploadDecodeResult &result)
{
    UploadImage intact = image;
    for (const auto *blocks : { &result.missingBlocks, &result.damagedBlocks })
        for (const int b : *blocks)
            std::fill_n(intact.begin() + b * UPLOAD_BLOCK_SIZE, UPLOAD_BLOCK_SIZE, 0xFF);
    return intact;
}

// Every bit of every frame slipped in turn, as a 0 heard as two 1s or two 1s
// heard as one 0: no block may come out intact with other data than sent.
// Frames are independent, so each is heard with the lead-in after it (the
// last, a block 0, also with the frame before it, lest it count as filler).
TEST(FskDecoder, NoSingleSlippedBitPassesAsIntactData)
{
    std::mt19937 random(11);
    for (int n = 0; n < 3; ++n) {
        const UploadImage image = RandomImage(random);
        const std::vector<std::uint8_t> bits = UploadSignalBits(ImageBlocks(image));
        std::vector<std::size_t> starts { 0 };
        for (int frame = 0; frame <= UPLOAD_BLOCK_COUNT; ++frame)
            starts.push_back(starts.back() + static_cast<std::size_t>(FrameBits(frame % UPLOAD_BLOCK_COUNT)));
        ASSERT_EQ(starts.back(), bits.size());
        const UploadDecodeResult whole = Parse(bits);
        ASSERT_TRUE(whole.Complete() && whole.image == image);
        for (std::size_t frame = 0; frame + 1 < starts.size(); ++frame) {
            const std::size_t first = starts[frame + 2 == starts.size() ? frame - 1 : frame];
            const std::size_t last = std::min(bits.size(), starts[frame + 1] + UPLOAD_LEAD_IN_BITS + 1);
            for (std::size_t at = starts[frame]; at < starts[frame + 1]; ++at) {
                const bool insertion = bits[at] == 0;
                if (!insertion && (at + 1 == bits.size() || bits[at + 1] == 0))
                    continue;
                std::vector<std::uint8_t> heard(bits.begin() + first, bits.begin() + at);
                heard.insert(heard.end(), insertion ? 2 : 1, insertion ? SYMBOL_ONE : SYMBOL_ZERO);
                heard.insert(heard.end(), bits.begin() + (insertion ? at + 1 : at + 2), bits.begin() + last);
                const UploadDecodeResult result = Parse(heard);
                ASSERT_TRUE(result.image == IntactPartOf(image, result)) << "bit " << at << " slipped";
            }
        }
    }
}

// The frames of a transmission up to (not including) frame `frames`, as
// symbols, with a bad bit in the data of the frames listed.
std::vector<std::uint8_t> FirstFrames(
    const UploadImage &image, int frames, const std::vector<int> &damaged = {})
{
    std::vector<std::uint8_t> bits = UploadSignalBits(ImageBlocks(image));
    std::size_t end = 0;
    for (int frame = 0; frame < frames; ++frame) {
        if (std::find(damaged.begin(), damaged.end(), frame) != damaged.end())
            bits[end + UPLOAD_LEAD_IN_BITS + 1 + 16] = SYMBOL_BAD;
        end += static_cast<std::size_t>(FrameBits(frame % UPLOAD_BLOCK_COUNT));
    }
    return { bits.begin(), bits.begin() + static_cast<std::ptrdiff_t>(std::min(end, bits.size())) };
}

// A recording of one upload after another: only the last counts, and its
// gaps stay gaps.
TEST(FskDecoder, DecodesTheLastOfSeveralUploads)
{
    constexpr int WHOLE = UPLOAD_BLOCK_COUNT + 1;
    struct Case {
        int firstFrames; // of the first upload heard
        int lastFrames; // of the upload that follows it
        std::vector<int> damagedFrames; // of the last upload
        std::vector<int> missing;
        std::vector<int> damaged;
        bool earlier;
    };
    const Case cases[] = {
        { WHOLE, 0, {}, {}, {}, false },
        { WHOLE, WHOLE, {}, {}, {}, true },
        { 8, WHOLE, {}, {}, {}, true },
        { 1, WHOLE, {}, {}, {}, true },
        { WHOLE, 9, {}, { 0, 9, 10, 11, 12, 13 }, {}, true },
        { 9, 5, {}, { 0, 5, 6, 7, 8, 9, 10, 11, 12, 13 }, {}, true },
        { WHOLE, 1, {}, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 }, {}, true },
        // The later upload is told apart only at its first intact frame.
        { WHOLE, WHOLE, { 0, 1 }, {}, { 1 }, true },
    };
    std::mt19937 random(3);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.firstFrames << " frames, then " << c.lastFrames);
        const UploadImage first = RandomImage(random), last = RandomImage(random);
        std::vector<std::uint8_t> symbols = FirstFrames(first, c.firstFrames);
        const std::vector<std::uint8_t> second = FirstFrames(last, c.lastFrames, c.damagedFrames);
        symbols.insert(symbols.end(), second.begin(), second.end());
        const UploadDecodeResult result = Parse(symbols);
        EXPECT_EQ(result.missingBlocks, c.missing);
        EXPECT_EQ(result.damagedBlocks, c.damaged);
        EXPECT_EQ(result.earlierUpload, c.earlier);
        EXPECT_TRUE(result.image == IntactPartOf(c.lastFrames ? last : first, result));
    }
}

} // namespace
