#pragma once

#include "upload/upload_image.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

class ByteInput;

// The sample format of a RIFF WAV file: interleaved frames of 8-bit unsigned
// or 16-bit signed little-endian samples.
struct WavFormat {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;

    std::size_t FrameSize() const;
};

// PCM audio as a WAV file carries it.
struct PcmAudio : WavFormat {
    std::vector<std::uint8_t> bytes;

    std::size_t FrameCount() const;
};

// Why a WAV file cannot be read; what() is a sentence for the user.
class WavError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Lowest and highest sample rates the reader accepts.
inline constexpr int MIN_WAV_SAMPLE_RATE = 8000;
inline constexpr int MAX_WAV_SAMPLE_RATE = 768000;
inline constexpr int MAX_WAV_CHANNELS = 8;

// The whole file: a RIFF header, a 16-byte "fmt " chunk and the "data" chunk.
std::vector<std::uint8_t> EncodeWav(const PcmAudio &audio);
// The upload signal of the image as a WAV file: the very samples of the
// signal, with paddingSamples of silence before and after it.
std::vector<std::uint8_t> EncodeUploadWav(const UploadImage &image, std::size_t paddingSamples = 0);

// A PCM WAV file of 8 or 16 bits per sample (plain or extensible format),
// read as a stream: the header up to the samples, then the frames in blocks,
// as often as needed. Unknown chunks are skipped; a data chunk that claims
// more bytes than the file holds, as a recording cut off or still being
// written does, is taken as far as it goes.
class WavStream
{
public:
    // Reads the header; throws WavError for anything but such a file.
    explicit WavStream(ByteInput &input);

    const WavFormat &Format() const { return m_format; }
    // Up to frames whole frames; fewer only at the end of the data.
    std::size_t ReadFrames(std::uint8_t *bytes, std::size_t frames);
    // Back to the first frame; throws WavError when the input cannot go back.
    void Rewind();

private:
    void ReadHeader();
    std::size_t ReadSome(std::uint8_t *bytes, std::size_t count);
    bool Skip(std::uint64_t count);

    ByteInput &m_input;
    WavFormat m_format;
    std::uint64_t m_offset = 0;
    std::uint64_t m_dataStart = 0;
    std::uint64_t m_dataSize = 0;
};

// The whole file in memory; throws WavError as WavStream does.
PcmAudio ParseWav(const std::uint8_t *bytes, std::size_t size);

// One sample of the format in -1..1.
float PcmSample(const std::uint8_t *sample, int bitsPerSample);
