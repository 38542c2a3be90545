#pragma once

#include "core/constants.h"
#include "display/picture_scaler.h"

#include <array>
#include <cstdint>
#include <vector>

// The device picture scaled down, kept up to date LED by LED without
// painting or scaling the whole picture again.
//
// The device picture is painted LED after LED over the background, so each
// of its pixels shows the last LED whose area holds it, or the background,
// whatever the LEDs' brightness. A scaled pixel is a weighted sum of device
// pixels, so it is the sum of what each LED and the background put into it,
// and what an LED puts in depends on its own brightness step alone. Those
// parts are taken, once, from the device picture with every LED at each
// step; a scaled pixel of one LED alone is then copied from the scaled
// picture of its step, and one shared by several is summed from its parts.
// The result is exactly the scaled picture of the painted device.
class ScaledDevice
{
public:
    explicit ScaledDevice(const PictureScaler &scaler);

    // Takes the device picture (source size) with every LED at `step`. All
    // BRIGHTNESS_STEPS of them are needed, step 0 first; afterwards the
    // picture shows every LED at step 0.
    void TakeStepPicture(int step, const std::uint32_t *source);
    // The scaled device with every LED at the step.
    const std::vector<std::uint32_t> &StepPicture(int step) const;

    // Shows LED k at the step; adds the runs of pixels that changed.
    void SetStep(int led, int step, std::vector<PixelRun> &changed);
    const std::uint32_t *Pixels() const { return m_picture.data(); }

private:
    using Sums = PictureScaler::Sums;
    // A scaled pixel shared by LEDs (or an LED and the background).
    struct SharedPixel {
        std::size_t index;
        Sums background;
        // Its parts: an LED and what it puts in at each step.
        std::size_t firstPart;
        std::size_t partCount;
    };
    struct Part {
        int led;
        std::array<Sums, BRIGHTNESS_STEPS> sums;
    };

    void FindFootprints();
    void AddShared(int x, int y, std::uint16_t owners);
    void AddSums(int step, const std::uint32_t *source);
    // A shared pixel summed from its parts at the LEDs' steps.
    std::uint32_t Resum(const SharedPixel &pixel) const;
    void SetPixel(std::size_t index, std::uint32_t pixel, std::vector<PixelRun> &changed);

    const PictureScaler &m_scaler;
    int m_size;
    // For each device pixel, the LED it shows, or LED_COUNT for the
    // background.
    std::vector<std::uint8_t> m_owners;
    std::array<std::vector<std::uint32_t>, BRIGHTNESS_STEPS> m_stepPictures;
    std::vector<std::uint32_t> m_picture;
    std::array<int, LED_COUNT> m_steps {};
    // Per LED, the runs of scaled pixels it shows alone, and the shared
    // pixels it has a part in.
    std::array<std::vector<PixelRun>, LED_COUNT> m_alone;
    std::array<std::vector<std::size_t>, LED_COUNT> m_shared;
    std::vector<SharedPixel> m_sharedPixels;
    std::vector<Part> m_parts;
};
