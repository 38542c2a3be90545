#pragma once

#include "upload/upload_image.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

// PCM audio as a RIFF WAV file carries it: interleaved frames of 8-bit
// unsigned or 16-bit signed little-endian samples.
struct PcmAudio {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
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
// The upload signal of the image as a WAV file: the very samples the sound
// output plays.
std::vector<std::uint8_t> EncodeUploadWav(const UploadImage &image);

// Reads a PCM WAV file of 8 or 16 bits per sample (plain or extensible
// format). Unknown chunks are skipped; a data chunk that claims more bytes
// than the file holds, as a recording cut off or still being written does,
// is taken as far as it goes. Throws WavError for anything else.
PcmAudio ParseWav(const std::uint8_t *bytes, std::size_t size);

// One channel as samples in -1..1.
std::vector<float> ChannelSamples(const PcmAudio &audio, int channel);
// The channel that carries the most signal (the largest variance), so that a
// recording with one silent or noisy channel is read from the good one.
int StrongestChannel(const PcmAudio &audio);
