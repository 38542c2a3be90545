#include "upload/recording.h"

#include "upload/binary_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{

constexpr std::size_t FRAMES_PER_READ = 1 << 14;

// -1 or 1 for a sample at the smallest or the largest value of its format,
// 0 for any other.
int Rail(const std::uint8_t *sample, int bitsPerSample)
{
    const int value
        = bitsPerSample == 8 ? sample[0] - 128 : static_cast<std::int16_t>(sample[0] | sample[1] << 8);
    const int lowest = bitsPerSample == 8 ? -128 : INT16_MIN;
    const int highest = bitsPerSample == 8 ? 127 : INT16_MAX;
    return value == lowest ? -1 : value == highest ? 1 : 0;
}

struct ChannelLevels {
    double sum = 0.0;
    double squares = 0.0;
    double peak = 0.0;
    std::uint64_t clipped = 0;
    std::uint64_t count = 0;
    // A clean wave may touch a rail for a sample; a clipped one stays there.
    int previousRail = 0;
    bool previousCounted = false;

    void Add(const std::uint8_t *sample, int bitsPerSample)
    {
        const double x = PcmSample(sample, bitsPerSample);
        sum += x;
        squares += x * x;
        peak = std::max(peak, std::fabs(x));
        const int rail = Rail(sample, bitsPerSample);
        const bool flat = rail != 0 && rail == previousRail;
        clipped += flat ? 1 + !previousCounted : 0;
        previousRail = rail;
        previousCounted = flat;
        ++count;
    }

    double Variance() const
    {
        const double n = count ? static_cast<double>(count) : 1.0;
        return squares / n - (sum / n) * (sum / n);
    }
};

std::vector<ChannelLevels> MeasureChannels(WavStream &wav)
{
    const WavFormat &format = wav.Format();
    const std::size_t sampleSize = static_cast<std::size_t>(format.bitsPerSample / 8);
    std::vector<ChannelLevels> channels(static_cast<std::size_t>(format.channels));
    std::vector<std::uint8_t> block(FRAMES_PER_READ * format.FrameSize());
    wav.Rewind();
    while (const std::size_t frames = wav.ReadFrames(block.data(), FRAMES_PER_READ))
        for (std::size_t i = 0; i < frames * channels.size(); ++i)
            channels[i % channels.size()].Add(&block[i * sampleSize], format.bitsPerSample);
    return channels;
}

// One channel of the stream as samples.
class ChannelSource : public SampleSource
{
public:
    ChannelSource(WavStream &wav, std::size_t channel)
        : m_wav(wav)
        , m_channel(channel)
    {
    }

    std::size_t Read(float *samples, std::size_t count) override
    {
        const WavFormat &format = m_wav.Format();
        const std::size_t frameSize = format.FrameSize();
        const std::size_t offset = m_channel * static_cast<std::size_t>(format.bitsPerSample / 8);
        m_block.resize(std::min(count, FRAMES_PER_READ) * frameSize);
        const std::size_t frames = m_wav.ReadFrames(m_block.data(), m_block.size() / frameSize);
        for (std::size_t i = 0; i < frames; ++i)
            samples[i] = PcmSample(&m_block[i * frameSize + offset], format.bitsPerSample);
        return frames;
    }

    void Rewind() override { m_wav.Rewind(); }

private:
    WavStream &m_wav;
    std::size_t m_channel;
    std::vector<std::uint8_t> m_block;
};

} // namespace

DecodedRecording DecodeRecording(WavStream &wav)
{
    const std::vector<ChannelLevels> channels = MeasureChannels(wav);
    const auto strongest = static_cast<std::size_t>(
        std::max_element(channels.begin(), channels.end(),
            [](const ChannelLevels &a, const ChannelLevels &b) { return a.Variance() < b.Variance(); })
        - channels.begin());
    const ChannelLevels &chosen = channels[strongest];
    ChannelSource source(wav, strongest);
    DecodedRecording decoded;
    decoded.upload = DecodeUploadStream(source, wav.Format().sampleRate);
    decoded.levels.peak = chosen.peak;
    decoded.levels.clippedShare
        = chosen.count ? static_cast<double>(chosen.clipped) / static_cast<double>(chosen.count) : 0.0;
    return decoded;
}

UploadDecodeResult DecodeUploadRecording(const PcmAudio &audio)
{
    const std::vector<std::uint8_t> file = EncodeWav(audio);
    MemoryInput input(file.data(), file.size());
    WavStream wav(input);
    return DecodeRecording(wav).upload;
}
