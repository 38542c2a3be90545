// What the simulation view costs per timer message of a fade: the document's
// update marks every LED, and one paint draws each into the canvas once and
// shows the picture area.

#include "display/brelvim_view.h"
#include "display/device_bundle.h"
#include "document/brelvim_doc.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

void BM_PaintAFadeStep(benchmark::State &state)
{
    // The document writes its settings when it goes; keep them away from the
    // user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    DeviceBundle bundle;
    if (!bundle.Open(QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc"))) {
        state.SkipWithError("no device bundle");
        return;
    }
    CBrelvimDoc document;
    CBrelvimView view(document, bundle.DevicePicture(), [] { return DisplayFormat { 24, 0 }; });
    view.resize(1600, 900);
    view.show();
    view.repaint();
    int level = MAX_LED_LEVEL;
    for (auto _ : state) {
        level = level < LED_LEVELS_PER_STEP ? MAX_LED_LEVEL : level - LED_LEVELS_PER_STEP;
        document.m_ledLevels.fill(static_cast<std::uint8_t>(level));
        view.OnUpdate(nullptr, HINT_REPAINT_LEDS);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PaintAFadeStep)->Unit(benchmark::kMicrosecond);

} // namespace
