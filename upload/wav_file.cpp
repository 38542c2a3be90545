#include "upload/wav_file.h"

#include "upload/fsk_signal.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{

constexpr std::uint16_t FORMAT_PCM = 1;
constexpr std::uint16_t FORMAT_EXTENSIBLE = 0xFFFE;
constexpr std::size_t RIFF_HEADER_SIZE = 12;
constexpr std::size_t CHUNK_HEADER_SIZE = 8;
constexpr std::size_t PCM_FORMAT_SIZE = 16;
// cbSize, valid bits and channel mask precede the sub-format's first two
// bytes, which carry the format tag.
constexpr std::size_t EXTENSIBLE_FORMAT_SIZE = 40;
constexpr std::size_t EXTENSIBLE_SUBFORMAT_OFFSET = 24;

std::uint16_t Read16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const std::uint8_t *p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Append16(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Append32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    Append16(out, value & 0xFFFF);
    Append16(out, value >> 16);
}

void AppendTag(std::vector<std::uint8_t> &out, const char *tag)
{
    out.insert(out.end(), tag, tag + 4);
}

bool IsTag(const std::uint8_t *p, const char *tag)
{
    return std::memcmp(p, tag, 4) == 0;
}

int BytesPerSample(const PcmAudio &audio)
{
    return audio.bitsPerSample / 8;
}

PcmAudio ParseFormat(const std::uint8_t *chunk, std::size_t size)
{
    if (size < PCM_FORMAT_SIZE)
        throw WavError("The WAV file's format chunk is too short.");
    std::uint16_t tag = Read16(chunk);
    if (tag == FORMAT_EXTENSIBLE && size >= EXTENSIBLE_FORMAT_SIZE)
        tag = Read16(chunk + EXTENSIBLE_SUBFORMAT_OFFSET);
    PcmAudio audio;
    audio.channels = Read16(chunk + 2);
    const std::uint32_t rate = Read32(chunk + 4);
    const std::uint16_t blockAlign = Read16(chunk + 12);
    audio.bitsPerSample = Read16(chunk + 14);
    if (tag != FORMAT_PCM || (audio.bitsPerSample != 8 && audio.bitsPerSample != 16))
        throw WavError("Only PCM WAV files of 8 or 16 bits per sample can be read.");
    if (audio.channels < 1 || audio.channels > MAX_WAV_CHANNELS)
        throw WavError("The WAV file has " + std::to_string(audio.channels) + " channels; 1 to "
            + std::to_string(MAX_WAV_CHANNELS) + " can be read.");
    if (rate < MIN_WAV_SAMPLE_RATE || rate > MAX_WAV_SAMPLE_RATE)
        throw WavError("The WAV file's sample rate of " + std::to_string(rate) + " Hz is not within "
            + std::to_string(MIN_WAV_SAMPLE_RATE) + " to " + std::to_string(MAX_WAV_SAMPLE_RATE) + " Hz.");
    if (blockAlign != audio.channels * BytesPerSample(audio))
        throw WavError("The WAV file's frame size does not match its channels and sample size.");
    audio.sampleRate = static_cast<int>(rate);
    return audio;
}

} // namespace

std::size_t PcmAudio::FrameCount() const
{
    const std::size_t frameSize
        = static_cast<std::size_t>(channels) * static_cast<std::size_t>(bitsPerSample / 8);
    return frameSize ? bytes.size() / frameSize : 0;
}

std::vector<std::uint8_t> EncodeWav(const PcmAudio &audio)
{
    const std::uint32_t frameSize = static_cast<std::uint32_t>(audio.channels * BytesPerSample(audio));
    const std::uint32_t dataSize = static_cast<std::uint32_t>(audio.bytes.size());
    std::vector<std::uint8_t> out;
    out.reserve(RIFF_HEADER_SIZE + 2 * CHUNK_HEADER_SIZE + PCM_FORMAT_SIZE + dataSize + 1);
    AppendTag(out, "RIFF");
    Append32(out,
        static_cast<std::uint32_t>(4 + 2 * CHUNK_HEADER_SIZE + PCM_FORMAT_SIZE) + dataSize + (dataSize & 1));
    AppendTag(out, "WAVE");
    AppendTag(out, "fmt ");
    Append32(out, PCM_FORMAT_SIZE);
    Append16(out, FORMAT_PCM);
    Append16(out, static_cast<std::uint32_t>(audio.channels));
    Append32(out, static_cast<std::uint32_t>(audio.sampleRate));
    Append32(out, static_cast<std::uint32_t>(audio.sampleRate) * frameSize);
    Append16(out, frameSize);
    Append16(out, static_cast<std::uint32_t>(audio.bitsPerSample));
    AppendTag(out, "data");
    Append32(out, dataSize);
    out.insert(out.end(), audio.bytes.begin(), audio.bytes.end());
    if (dataSize & 1)
        out.push_back(0);
    return out;
}

std::vector<std::uint8_t> EncodeUploadWav(const UploadImage &image)
{
    PcmAudio audio;
    audio.sampleRate = UPLOAD_SAMPLE_RATE;
    audio.channels = 1;
    audio.bitsPerSample = 8;
    audio.bytes = RenderUploadSignal(ImageBlocks(image));
    return EncodeWav(audio);
}

PcmAudio ParseWav(const std::uint8_t *bytes, std::size_t size)
{
    if (size < RIFF_HEADER_SIZE || !IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE"))
        throw WavError("This is not a WAV file.");
    PcmAudio audio;
    bool haveFormat = false;
    std::size_t position = RIFF_HEADER_SIZE;
    while (size - position >= CHUNK_HEADER_SIZE) {
        const std::uint8_t *chunk = bytes + position;
        const std::size_t body = position + CHUNK_HEADER_SIZE;
        const std::size_t declared = Read32(chunk + 4);
        const std::size_t available = std::min(declared, size - body);
        if (IsTag(chunk, "fmt ")) {
            audio = ParseFormat(bytes + body, available);
            haveFormat = true;
        } else if (IsTag(chunk, "data")) {
            if (!haveFormat)
                throw WavError("The WAV file's data comes before its format.");
            const std::size_t frameSize = static_cast<std::size_t>(audio.channels * BytesPerSample(audio));
            const std::size_t whole = available - available % frameSize;
            audio.bytes.assign(bytes + body, bytes + body + whole);
            return audio;
        }
        if (declared >= size - body)
            break;
        position = body + declared + (declared & 1);
    }
    throw WavError(haveFormat ? "The WAV file holds no audio data." : "The WAV file has no format chunk.");
}

std::vector<float> ChannelSamples(const PcmAudio &audio, int channel)
{
    const std::size_t frames = audio.FrameCount();
    const std::size_t step = static_cast<std::size_t>(audio.channels);
    std::vector<float> samples(frames);
    if (audio.bitsPerSample == 8) {
        const std::uint8_t *in = audio.bytes.data() + channel;
        for (std::size_t i = 0; i < frames; ++i)
            samples[i] = (static_cast<float>(in[i * step]) - 128.0f) / 128.0f;
    } else {
        const std::uint8_t *in = audio.bytes.data() + 2 * channel;
        for (std::size_t i = 0; i < frames; ++i)
            samples[i] = static_cast<float>(static_cast<std::int16_t>(Read16(in + 2 * i * step))) / 32768.0f;
    }
    return samples;
}

int StrongestChannel(const PcmAudio &audio)
{
    int strongest = 0;
    double strongestVariance = -1.0;
    for (int c = 0; c < audio.channels; ++c) {
        const std::vector<float> samples = ChannelSamples(audio, c);
        double sum = 0.0;
        double squares = 0.0;
        for (const float x : samples) {
            sum += x;
            squares += static_cast<double>(x) * x;
        }
        const double n = samples.empty() ? 1.0 : static_cast<double>(samples.size());
        const double variance = squares / n - (sum / n) * (sum / n);
        if (variance > strongestVariance) {
            strongest = c;
            strongestVariance = variance;
        }
    }
    return strongest;
}
