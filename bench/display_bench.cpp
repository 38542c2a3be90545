// Building the device picture for a 24-bit screen (background and every
// brightness step, once per view) against its floor: 15 integer blend passes
// over the two images, the least any build does. And what painting one LED
// costs per tick.

#include "display/device_bitmaps.h"
#include "display/device_bundle.h"
#include "display/device_picture.h"
#include "display/led_painter.h"

#include <QPainter>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <cstring>
#include <utility>
#include <vector>

namespace
{

QByteArray DevicePicture()
{
    DeviceBundle bundle;
    return bundle.Open(QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc")) ? bundle.DevicePicture() : QByteArray();
}

// b x (n - 1) + o) / n over all bytes, in place.
template <int N>
void IntegerBlend(std::uint8_t *__restrict bytes, const std::uint8_t *__restrict toward, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(bytes[i] * (N - 1) + toward[i]) / N);
}

template <int... N>
void IntegerBlendPasses(std::uint8_t *bytes, const std::uint8_t *toward, std::size_t count)
{
    (IntegerBlend<N>(bytes, toward, count), ...);
}

void BM_IntegerBlendFloor(benchmark::State &state)
{
    const QByteArray picture = DevicePicture();
    DevicePictureImages images;
    if (!FindDevicePictureImages(reinterpret_cast<const std::uint8_t *>(picture.constData()),
            static_cast<std::size_t>(picture.size()), images))
        return state.SkipWithError("no device picture");
    const std::size_t count = 4 * DEVICE_PICTURE_SIZE * DEVICE_PICTURE_SIZE;
    std::vector<std::uint8_t> work(count);
    for (auto _ : state) {
        std::memcpy(work.data(), images.off, count);
        IntegerBlendPasses<15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1>(work.data(), images.lit, count);
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_IntegerBlendFloor)->Unit(benchmark::kMillisecond);

// The build the view makes on a 24-bit screen, from the bundle's data to the
// pixmaps.
void BM_BuildDeviceBitmaps24(benchmark::State &state)
{
    const QByteArray picture = DevicePicture();
    for (auto _ : state) {
        // The view hands over data of its own, which the build changes.
        state.PauseTiming();
        QByteArray own(picture.constData(), picture.size());
        state.ResumeTiming();
        DeviceBitmaps bitmaps;
        if (!bitmaps.Build(std::move(own), { 24, 0 }))
            return state.SkipWithError("no device picture");
        benchmark::DoNotOptimize(bitmaps.Background());
    }
}
BENCHMARK(BM_BuildDeviceBitmaps24)->Unit(benchmark::kMillisecond);

void BM_PaintOneLed(benchmark::State &state)
{
    DeviceBitmaps bitmaps;
    bitmaps.Build(DevicePicture(), { 24, 0 });
    QPixmap canvas(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE);
    QPainter painter(&canvas);
    int level = 0;
    for (auto _ : state) {
        PaintLed(painter, QPoint(0, 0), bitmaps, 0, level, canvas.rect());
        level = (level + LED_LEVELS_PER_STEP) % (MAX_LED_LEVEL + 1);
    }
}
BENCHMARK(BM_PaintOneLed)->Unit(benchmark::kMicrosecond);

} // namespace
