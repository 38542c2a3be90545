// How much the checked upload costs against a bare one: from pressing Upload
// to the first sample the output plays (its silence included), and the
// check of the monitor's recording. The first two need a sound server
// (scripts/start-pulseaudio).

#include "core/constants.h"
#include "upload/fsk_signal.h"
#include "upload/fsk_transmitter.h"
#include "upload/sound_module.h"
#include "upload/sound_path_check.h"
#include "upload/upload_verification.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <thread>

namespace
{

constexpr qint64 FIRST_SAMPLE_DEADLINE_MS = 5000;

UploadImage LongestImage()
{
    UploadImage image;
    image.fill(0x00);
    return image;
}

// Starts a transmission as prepare sets it up and waits for the output to
// play its first sample.
template <typename Prepare> void PressToFirstSample(benchmark::State &state, Prepare prepare)
{
    const UploadImage image = LongestImage();
    for (auto _ : state) {
        FskTransmitter transmitter;
        QElapsedTimer clock;
        clock.start();
        prepare(transmitter);
        if (!transmitter.Transmit(nullptr, UPLOAD_BLOCK_COUNT, image.data())) {
            state.SkipWithError("no sound output");
            return;
        }
        while (transmitter.OutputPlayedUs() <= 0 && clock.elapsed() < FIRST_SAMPLE_DEADLINE_MS)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        transmitter.Release();
    }
}

// As before the outputs were chosen: the default output, no check.
void BM_PressToFirstSampleBare(benchmark::State &state)
{
    PressToFirstSample(state, [](FskTransmitter &) {});
}
BENCHMARK(BM_PressToFirstSampleBare)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// As the upload controller starts one: the outputs listed and checked, the
// chosen one named, its monitor recorded.
void BM_PressToFirstSampleChecked(benchmark::State &state)
{
    PressToFirstSample(state, [](FskTransmitter &transmitter) {
        SoundOutputs outputs;
        std::string error;
        ListSoundOutputsNow(outputs, error);
        const SoundPath path = CheckSoundPath(outputs, "");
        transmitter.SetOutput(path.output >= 0 ? outputs[static_cast<std::size_t>(path.output)].name : "");
        transmitter.SetVerify(true);
    });
}
BENCHMARK(BM_PressToFirstSampleChecked)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The check of a 14 s recording of the longest signal, 13.1 s: its time over
// 13.1 s is the share of a core it takes.
void BM_VerifyUpload(benchmark::State &state)
{
    const UploadImage image = LongestImage();
    const std::vector<std::uint8_t> signal = RenderUploadSignal(ImageBlocks(image));
    std::vector<float> recording(signal.size() + UPLOAD_SAMPLE_RATE, 0.0f);
    for (std::size_t i = 0; i < signal.size(); ++i)
        recording[UPLOAD_SAMPLE_RATE / 2 + i] = 0.9f * (static_cast<float>(signal[i]) - 128.0f) / 128.0f;
    for (auto _ : state) {
        const UploadVerification check = VerifyUpload(ImageBlocks(image), recording);
        if (!check.Intact())
            state.SkipWithError("the recording did not check out");
        benchmark::DoNotOptimize(check);
    }
}
BENCHMARK(BM_VerifyUpload)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
