// How long rendering the upload signal and decoding a recording of it take.

#include "upload/fsk_decoder.h"
#include "upload/fsk_signal.h"

#include <benchmark/benchmark.h>

#include <random>

namespace
{

// All data bits 0: the longest signal, 629,100 samples or 13.1 s.
UploadImage LongestImage()
{
    UploadImage image;
    image.fill(0x00);
    return image;
}

void BM_RenderUploadSignal(benchmark::State &state)
{
    const UploadImage image = LongestImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderUploadSignal(ImageBlocks(image)));
}
BENCHMARK(BM_RenderUploadSignal)->Unit(benchmark::kMillisecond);

// The 13.1 s recording at 48 kHz, at a tenth of full scale with noise 12 dB
// below the signal.
void BM_DecodeRecording(benchmark::State &state)
{
    const std::vector<std::uint8_t> signal = RenderUploadSignal(ImageBlocks(LongestImage()));
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0.0f, 0.1f / 1.41f / 3.98f);
    std::vector<float> recording(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i)
        recording[i] = 0.1f * (signal[i] - 128) / 127.0f + noise(random);
    for (auto _ : state) {
        const UploadDecodeResult result
            = DecodeUploadSignal(recording.data(), recording.size(), UPLOAD_SAMPLE_RATE);
        if (!result.Complete())
            state.SkipWithError("the recording did not decode");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DecodeRecording)->Unit(benchmark::kMillisecond);

} // namespace
