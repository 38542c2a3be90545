#include "display/animation_timing.h"
#include "display/led_tables.h"
#include "display/scaled_device.h"

#include <gtest/gtest.h>

namespace
{

TEST(AnimationTiming, GifDelaysFollowTheRunningTimeAndLastTwoCentiseconds)
{
    // Slots start at 0, 12, 24, 36, 48, 60, 72 ms: rounded, at 0, 1, 2, 4, 5,
    // 6 and 7 centiseconds.
    const struct {
        std::uint64_t slot;
        bool mayStart;
        int delayOfFrameBefore;
    } changes[] = { { 0, true, 0 }, { 1, false, 0 }, { 2, true, 2 }, { 3, true, 2 }, { 4, false, 0 },
        { 5, true, 2 } };
    GifFrameTiming timing;
    for (const auto &change : changes) {
        SCOPED_TRACE(change.slot);
        EXPECT_EQ(timing.MayStartAt(change.slot), change.mayStart);
        if (change.mayStart && timing.MayStartAt(change.slot)) {
            EXPECT_EQ(timing.StartAt(change.slot), change.delayOfFrameBefore);
        }
    }
    EXPECT_EQ(timing.EarliestStart(), 7u);
    // Five seconds are 417 slots, 5.004 s: the delays add up to 5.00 s.
    EXPECT_EQ(SlotsInMilliseconds(5000), 417u);
    EXPECT_EQ(timing.DelayUntil(417), 500 - 6);

    // A video frame shows the slot in force at its moment.
    EXPECT_EQ(VideoFrameCount(417), 250u);
    EXPECT_EQ(VideoFrameSlot(1), 1u);
    EXPECT_EQ(VideoFrameSlot(100), 166u);
}

// A device picture in which every LED area has colours of its own at every
// brightness step; LED_COUNT stands for the background.
std::uint32_t TestPixel(int x, int y, int owner, int step)
{
    const auto seed = static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u
        ^ static_cast<std::uint32_t>(owner * BRIGHTNESS_STEPS + step) * 2246822519u;
    return 0xFF000000u | (seed ^ seed >> 13);
}

// The picture painted with the LEDs at the steps: the last LED whose area
// holds a pixel shows there.
std::vector<std::uint32_t> Painted(const std::array<int, LED_COUNT> &steps)
{
    static const std::vector<int> owners = [] {
        std::vector<int> owners;
        for (int y = 0; y < DEVICE_PICTURE_SIZE; ++y)
            for (int x = 0; x < DEVICE_PICTURE_SIZE; ++x) {
                owners.push_back(LED_COUNT);
                for (int led = 0; led < LED_COUNT; ++led)
                    if (IsInLedArea(LED_ORDER[static_cast<std::size_t>(led)], x, y))
                        owners.back() = led;
            }
        return owners;
    }();
    std::vector<std::uint32_t> picture;
    for (std::size_t i = 0; i < owners.size(); ++i) {
        const int owner = owners[i];
        picture.push_back(TestPixel(int(i % DEVICE_PICTURE_SIZE), int(i / DEVICE_PICTURE_SIZE), owner,
            owner == LED_COUNT ? 0 : steps[std::size_t(owner)]));
    }
    return picture;
}

TEST(ScaledDevice, MakesWhatScalingThePaintedPictureMakesAndSaysWhereItChanged)
{
    const int size = 300;
    const PictureScaler scaler(DEVICE_PICTURE_SIZE, size);
    ScaledDevice device(scaler);
    for (int step = 0; step < BRIGHTNESS_STEPS; ++step) {
        std::array<int, LED_COUNT> all;
        all.fill(step);
        device.TakeStepPicture(step, Painted(all).data());
    }

    const std::array<int, LED_COUNT> steps = { 3, 15, 0, 7, 7, 1, 0, 12, 9, 0 };
    const std::vector<std::uint32_t> before(device.Pixels(), device.Pixels() + size * size);
    std::vector<PixelRun> changed;
    for (int led = 0; led < LED_COUNT; ++led)
        device.SetStep(led, steps[std::size_t(led)], changed);

    std::vector<std::uint32_t> expected(static_cast<std::size_t>(size * size));
    scaler.Scale(Painted(steps).data(), expected.data(), PictureRect { 0, 0, size, size });
    std::vector<bool> inRuns(expected.size());
    for (const PixelRun &run : changed)
        for (int x = run.left; x < run.right; ++x)
            inRuns[std::size_t(run.y * size + x)] = true;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(device.Pixels()[i], expected[i]) << "pixel " << i % size << "," << i / size;
        ASSERT_TRUE(inRuns[i] || before[i] == expected[i]) << "pixel " << i % size << "," << i / size;
    }
}

} // namespace
