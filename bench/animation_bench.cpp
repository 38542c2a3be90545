// How long exporting a minute of the running device takes, at the default
// size, from the device bundle to the finished file, in each format.

#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "display/encoders_module_loader.h"
#include "display/animation_export.h"
#include "display/animation_timing.h"
#include "display/device_bitmaps.h"
#include "display/device_bundle.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace
{

constexpr std::uint64_t ONE_MINUTE_MS = 60'000;

struct Format {
    AnimationFormat format;
    const char *ending;
};
constexpr Format FORMATS[] = { { AnimationFormat::Gif, ".gif" }, { AnimationFormat::Mp4, ".mp4" },
    { AnimationFormat::WebM, ".webm" } };

void BM_ExportOneMinute(benchmark::State &state)
{
    const Format &format = FORMATS[state.range(0)];
    state.SetLabel(format.ending);
    RowTable table;
    LoadSequenceFile(table, PEMBLO_SOURCE_DIR "/examples/005_chase.lsq");
    const QString path = QDir::temp().filePath(QStringLiteral("pemblo_bench") + QLatin1String(format.ending));
    for (auto _ : state) {
        // All of it: the device picture, the encoder, every tick, the file.
        DeviceBundle bundle;
        DeviceBitmaps bitmaps;
        if (!bundle.Open(QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc"))
            || !bitmaps.Build(bundle.DevicePicture(), RGB32_FORMAT))
            state.SkipWithError("no device picture");
        std::string error;
        std::unique_ptr<AnimationEncoder> encoder = LoadAnimationEncoder(format.format, error);
        AnimationExport::Settings settings;
        settings.format = format.format;
        settings.ticks = SlotsInMilliseconds(ONE_MINUTE_MS);
        AnimationExport animation(table, bitmaps, settings);
        if (!encoder || !animation.Begin(std::move(encoder), QFile::encodeName(path).toStdString()))
            state.SkipWithError("cannot start the export");
        while (animation.Advance(settings.ticks)) { }
        if (!animation.Finish())
            state.SkipWithError(animation.Error().c_str());
    }
    QFile::remove(path);
}
BENCHMARK(BM_ExportOneMinute)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
