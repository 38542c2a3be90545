// How long one timer message of the simulation takes: the catch-up of 100 ms
// with the document's ticks, while the default sequence runs under the LED
// Editor's trace.

#include "document/brelvim_doc.h"
#include "document/simulation_clock.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

class IdleEditor : public LedEditorLink
{
public:
    void SetTraceLine(int row) override { benchmark::DoNotOptimize(row); }
    std::uint32_t GetCurrentPattern() const override { return 0; }
    void EnableWindow(bool enable) override { benchmark::DoNotOptimize(enable); }
    void CloseValueEdit(bool) override { }
    void StartHistory(bool) override { }
    void MarkSaved() override { }
};

void BM_TimerMessage(benchmark::State &state)
{
    // The document writes its settings when it goes; keep them away from the
    // user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    CBrelvimDoc doc;
    doc.m_rows.LoadDefault();
    doc.SetEditor(std::make_unique<IdleEditor>());
    doc.CopyRowsToEditor();
    doc.OnStartSimulation();
    std::uint32_t now = 0;
    std::uint32_t simTime = 0;
    for (auto _ : state) {
        now += SIMULATION_UPDATE_WINDOW_MS;
        simTime = CatchUpSimulation(
            now, simTime, 0, [&doc](int input, bool updateViews) { doc.Tick(input, updateViews); });
        benchmark::DoNotOptimize(doc.m_ledLevels);
    }
}
BENCHMARK(BM_TimerMessage);

} // namespace
