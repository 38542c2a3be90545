// How long building the device picture takes (the background and all 160
// brightness frames, once per view), and what painting one LED costs per
// tick.

#include "display/device_bitmaps.h"
#include "display/device_bundle.h"
#include "display/device_picture.h"
#include "display/led_painter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

#include <benchmark/benchmark.h>

namespace
{

QByteArray DevicePicture()
{
    DeviceBundle bundle;
    return bundle.Open(QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc")) ? bundle.DevicePicture() : QByteArray();
}

// Takes the blocks and keeps nothing: the cost of blending and converting.
class DiscardingSink : public DevicePictureSink
{
public:
    void Background(const ConvertedBlock &block) override { benchmark::DoNotOptimize(block.bytes[0]); }
    void Frame(int, int, const ConvertedBlock &block) override { benchmark::DoNotOptimize(block.bytes[0]); }
};

void BM_BlendAndConvertDevicePicture(benchmark::State &state)
{
    const QByteArray picture = DevicePicture();
    const auto *data = reinterpret_cast<const std::uint8_t *>(picture.constData());
    DiscardingSink sink;
    for (auto _ : state)
        if (!BuildDevicePictureBlocks(data, static_cast<std::size_t>(picture.size()),
                static_cast<std::int32_t>(state.range(0)), 0xB55605, sink))
            state.SkipWithError("no device picture");
}
BENCHMARK(BM_BlendAndConvertDevicePicture)->Arg(32)->Arg(24)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_BuildDeviceBitmaps(benchmark::State &state)
{
    const QByteArray picture = DevicePicture();
    for (auto _ : state) {
        DeviceBitmaps bitmaps;
        if (!bitmaps.Build(picture, { 32, 0 }))
            state.SkipWithError("no device picture");
        benchmark::DoNotOptimize(bitmaps.Background());
    }
}
BENCHMARK(BM_BuildDeviceBitmaps)->Unit(benchmark::kMillisecond);

void BM_PaintOneLed(benchmark::State &state)
{
    DeviceBitmaps bitmaps;
    bitmaps.Build(DevicePicture(), { 32, 0 });
    QPixmap canvas(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE);
    QPainter painter(&canvas);
    int level = 0;
    for (auto _ : state) {
        PaintLed(painter, QPoint(0, 0), bitmaps, 0, level);
        level = (level + LED_LEVELS_PER_STEP) % (MAX_LED_LEVEL + 1);
    }
}
BENCHMARK(BM_PaintOneLed)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
