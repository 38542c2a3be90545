#include "upload/wav_file.h"

#include "upload/binary_file.h"
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
constexpr std::size_t FRAMES_PER_READ = 1 << 14;

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

WavFormat ParseFormat(const std::uint8_t *chunk, std::size_t size)
{
    if (size < PCM_FORMAT_SIZE)
        throw WavError("The WAV file's format chunk is too short.");
    std::uint16_t tag = Read16(chunk);
    if (tag == FORMAT_EXTENSIBLE && size >= EXTENSIBLE_FORMAT_SIZE)
        tag = Read16(chunk + EXTENSIBLE_SUBFORMAT_OFFSET);
    WavFormat format;
    format.channels = Read16(chunk + 2);
    const std::uint32_t rate = Read32(chunk + 4);
    const std::uint16_t blockAlign = Read16(chunk + 12);
    format.bitsPerSample = Read16(chunk + 14);
    if (tag != FORMAT_PCM || (format.bitsPerSample != 8 && format.bitsPerSample != 16))
        throw WavError("Only PCM WAV files of 8 or 16 bits per sample can be read.");
    if (format.channels < 1 || format.channels > MAX_WAV_CHANNELS)
        throw WavError("The WAV file has " + std::to_string(format.channels) + " channels; 1 to "
            + std::to_string(MAX_WAV_CHANNELS) + " can be read.");
    if (rate < MIN_WAV_SAMPLE_RATE || rate > MAX_WAV_SAMPLE_RATE)
        throw WavError("The WAV file's sample rate of " + std::to_string(rate) + " Hz is not within "
            + std::to_string(MIN_WAV_SAMPLE_RATE) + " to " + std::to_string(MAX_WAV_SAMPLE_RATE) + " Hz.");
    if (blockAlign != format.FrameSize())
        throw WavError("The WAV file's frame size does not match its channels and sample size.");
    format.sampleRate = static_cast<int>(rate);
    return format;
}

} // namespace

std::size_t WavFormat::FrameSize() const
{
    return static_cast<std::size_t>(channels) * static_cast<std::size_t>(bitsPerSample / 8);
}

std::size_t PcmAudio::FrameCount() const
{
    return FrameSize() ? bytes.size() / FrameSize() : 0;
}

std::vector<std::uint8_t> EncodeWav(const PcmAudio &audio)
{
    const auto frameSize = static_cast<std::uint32_t>(audio.FrameSize());
    const auto dataSize = static_cast<std::uint32_t>(audio.bytes.size());
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

std::vector<std::uint8_t> EncodeUploadWav(const UploadImage &image, std::size_t paddingSamples)
{
    PcmAudio audio;
    audio.sampleRate = UPLOAD_SAMPLE_RATE;
    audio.channels = 1;
    audio.bitsPerSample = 8;
    audio.bytes = PadUploadSignal(RenderUploadSignal(ImageBlocks(image)), paddingSamples, paddingSamples);
    return EncodeWav(audio);
}

WavStream::WavStream(ByteInput &input)
    : m_input(input)
{
    ReadHeader();
}

void WavStream::ReadHeader()
{
    std::uint8_t riff[RIFF_HEADER_SIZE];
    if (ReadSome(riff, sizeof riff) < sizeof riff || !IsTag(riff, "RIFF") || !IsTag(riff + 8, "WAVE"))
        throw WavError("This is not a WAV file.");
    bool haveFormat = false;
    std::uint8_t chunk[CHUNK_HEADER_SIZE];
    while (ReadSome(chunk, sizeof chunk) == sizeof chunk) {
        const std::uint32_t declared = Read32(chunk + 4);
        if (IsTag(chunk, "data")) {
            if (!haveFormat)
                throw WavError("The WAV file's data comes before its format.");
            m_dataStart = m_offset;
            m_dataSize = declared;
            return;
        }
        std::uint32_t read = 0;
        if (IsTag(chunk, "fmt ")) {
            std::uint8_t body[EXTENSIBLE_FORMAT_SIZE];
            read = static_cast<std::uint32_t>(ReadSome(body, std::min<std::size_t>(declared, sizeof body)));
            m_format = ParseFormat(body, read);
            haveFormat = true;
        }
        if (!Skip(declared - read + (declared & 1)))
            break;
    }
    throw WavError(haveFormat ? "The WAV file holds no audio data." : "The WAV file has no format chunk.");
}

std::size_t WavStream::ReadSome(std::uint8_t *bytes, std::size_t count)
{
    const std::size_t got = m_input.Read(bytes, count);
    m_offset += got;
    return got;
}

bool WavStream::Skip(std::uint64_t count)
{
    m_offset += count;
    return m_input.Seek(m_offset);
}

std::size_t WavStream::ReadFrames(std::uint8_t *bytes, std::size_t frames)
{
    const std::size_t frameSize = m_format.FrameSize();
    const std::uint64_t left = m_dataStart + m_dataSize - m_offset;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(frames * frameSize, left));
    const std::size_t got = ReadSome(bytes, wanted - wanted % frameSize);
    if (got % frameSize != 0)
        m_offset = m_dataStart + m_dataSize;
    return got / frameSize;
}

void WavStream::Rewind()
{
    if (!m_input.Seek(m_dataStart))
        throw WavError("The WAV file cannot be read again.");
    m_offset = m_dataStart;
}

PcmAudio ParseWav(const std::uint8_t *bytes, std::size_t size)
{
    MemoryInput input(bytes, size);
    WavStream stream(input);
    PcmAudio audio;
    static_cast<WavFormat &>(audio) = stream.Format();
    std::vector<std::uint8_t> block(FRAMES_PER_READ * audio.FrameSize());
    while (const std::size_t frames = stream.ReadFrames(block.data(), FRAMES_PER_READ))
        audio.bytes.insert(audio.bytes.end(), block.begin(), block.begin() + frames * audio.FrameSize());
    return audio;
}

float PcmSample(const std::uint8_t *sample, int bitsPerSample)
{
    if (bitsPerSample == 8)
        return (static_cast<float>(sample[0]) - 128.0f) / 128.0f;
    return static_cast<float>(static_cast<std::int16_t>(Read16(sample))) / 32768.0f;
}
