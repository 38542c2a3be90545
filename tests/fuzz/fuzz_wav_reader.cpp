// Any bytes as a WAV file: the reader must neither crash nor read past its
// buffer, and whatever it accepts must be whole frames that write and read
// back unchanged.

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
    const std::size_t frameSize = static_cast<std::size_t>(audio.channels * audio.bitsPerSample / 8);
    if (frameSize == 0 || audio.bytes.size() % frameSize != 0)
        std::abort();
    const int strongest = StrongestChannel(audio);
    if (strongest < 0 || strongest >= audio.channels)
        std::abort();
    for (const float x : ChannelSamples(audio, strongest))
        if (!(x >= -1.0f && x < 1.0f))
            std::abort();

    const std::vector<std::uint8_t> written = EncodeWav(audio);
    const PcmAudio reread = ParseWav(written.data(), written.size());
    if (reread.bytes != audio.bytes || reread.sampleRate != audio.sampleRate
        || reread.channels != audio.channels || reread.bitsPerSample != audio.bitsPerSample)
        std::abort();
    return 0;
}
