// Any bytes as a WAV file: the reader must neither crash nor read past its
// buffer, whatever it accepts must be whole frames of samples in -1..1 that
// write and read back unchanged, and a recording read as a stream must give
// levels within their range.

#include "upload/binary_file.h"
#include "upload/recording.h"
#include "upload/wav_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    PcmAudio audio;
    try {
        audio = ParseWav(data, size);
    } catch (const WavError &) {
        return 0;
    }
    const std::size_t sampleSize = static_cast<std::size_t>(audio.bitsPerSample / 8);
    if (audio.FrameSize() == 0 || audio.bytes.size() % audio.FrameSize() != 0)
        std::abort();
    for (std::size_t at = 0; at < audio.bytes.size(); at += sampleSize) {
        const float x = PcmSample(&audio.bytes[at], audio.bitsPerSample);
        if (!(x >= -1.0f && x < 1.0f))
            std::abort();
    }

    const std::vector<std::uint8_t> written = EncodeWav(audio);
    const PcmAudio reread = ParseWav(written.data(), written.size());
    if (reread.bytes != audio.bytes || reread.sampleRate != audio.sampleRate
        || reread.channels != audio.channels || reread.bitsPerSample != audio.bitsPerSample)
        std::abort();

    MemoryInput input(data, size);
    WavStream wav(input);
    const RecordingLevels levels = DecodeRecording(wav).levels;
    if (!(levels.peak >= 0.0 && levels.peak <= 1.0 && levels.clippedShare >= 0.0
            && levels.clippedShare <= 1.0))
        std::abort();
    return 0;
}
