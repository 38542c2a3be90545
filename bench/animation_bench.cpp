// How long exporting a minute of the running device takes, at the default
// size, from the device bundle to the finished file, in each format.

#include "core/sequence_file.h"
#include "display/animation_job.h"
#include "display/animation_timing.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace
{

constexpr std::uint64_t ONE_MINUTE_MS = 60'000;

constexpr const char *ENDINGS[] = { ".gif", ".mp4", ".webm" };

void BM_ExportOneMinute(benchmark::State &state)
{
    const char *ending = ENDINGS[state.range(0)];
    state.SetLabel(ending);
    RowTable table;
    LoadSequenceFile(table, PEMBLO_SOURCE_DIR "/examples/005_chase.lsq");
    const QString path = QDir::temp().filePath(QStringLiteral("pemblo_bench") + QLatin1String(ending));
    for (auto _ : state) {
        // All of it: the device picture, the encoder, every tick, the file.
        AnimationExport::Settings settings;
        settings.ticks = SlotsInMilliseconds(ONE_MINUTE_MS);
        AnimationJob job;
        if (!job.Start(table, PEMBLO_BIN_DIR "/veltor.rcc", QFile::encodeName(path).toStdString(), settings))
            state.SkipWithError(job.Error().c_str());
        while (job.Advance(settings.ticks)) { }
        if (job.Error().empty() && !job.Finish())
            state.SkipWithError(job.Error().c_str());
    }
    QFile::remove(path);
}
BENCHMARK(BM_ExportOneMinute)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
