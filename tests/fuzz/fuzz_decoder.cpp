// Any samples as a recording: the first byte picks the sample rate, the
// rest are 8-bit unsigned samples. The decoder must not crash, and what it
// reports must add up: no block is reported twice or out of range.

#include "upload/fsk_decoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

constexpr double RATES[] = { 8000, 11025, 22050, 44100, 48000, 96000, 7999, 1e9 };

void CheckBlockList(const std::vector<int> &blocks, std::vector<int> &seen)
{
    for (const int block : blocks) {
        if (block < 0 || block >= UPLOAD_BLOCK_COUNT || seen[static_cast<std::size_t>(block)]++)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const double rate = RATES[data[0] % std::size(RATES)];
    std::vector<float> samples(size - 1);
    for (std::size_t i = 1; i < size; ++i)
        samples[i - 1] = (static_cast<float>(data[i]) - 128.0f) / 128.0f;

    const UploadDecodeResult result = DecodeUploadSignal(samples.data(), samples.size(), rate);
    std::vector<int> seen(UPLOAD_BLOCK_COUNT);
    CheckBlockList(result.missingBlocks, seen);
    CheckBlockList(result.damagedBlocks, seen);
    return 0;
}
