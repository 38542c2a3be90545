#pragma once

#include "core/row_table.h"
#include "core/sequence_interpreter.h"
#include "display/animation_encoder.h"
#include "display/led_painter.h"
#include "display/picture_scaler.h"
#include "display/scaled_device.h"

#include <functional>
#include <memory>

class DeviceBitmaps;

// Pixels across and down of an animation unless asked otherwise, and the
// range it may have: up to the device picture's own size.
inline constexpr int DEFAULT_ANIMATION_SIZE = 400;
inline constexpr int MIN_ANIMATION_SIZE = 16;
// The longest animation made, in ticks: ten minutes.
inline constexpr std::uint64_t MAX_ANIMATION_TICKS = 50'000;

// Records the device running a sequence into an animation: tick by tick from
// reset, each picture painted as the simulation view paints it (render
// --tick k is the picture of slot k - 1), scaled to the animation's size and
// handed to an encoder where it changed. A sequence that stops ends the
// animation at its last tick. Runs in portions, so that a window can show
// its progress and stop it.
// Pictures are painted, once, with every LED at each brightness step; the
// scaled picture of any tick is put together from them (ScaledDevice).
class AnimationExport
{
public:
    struct Settings {
        AnimationFormat format = AnimationFormat::Gif;
        int size = DEFAULT_ANIMATION_SIZE;
        // The ticks wanted.
        std::uint64_t ticks = 0;
        // Whether the input switch is on in a tick (counted from 1); off
        // throughout when not set.
        std::function<bool(std::uint64_t tick)> inputOn;
    };

    // The bitmaps must be built and outlive the export.
    AnimationExport(const RowTable &rows, const DeviceBitmaps &bitmaps, Settings settings);
    ~AnimationExport();

    // Opens the file through the encoder; false, with Error(), on failure.
    bool Begin(std::unique_ptr<AnimationEncoder> encoder, const std::string &path);
    // Runs up to `ticks` more ticks; false once the animation is complete or
    // failed.
    bool Advance(std::uint64_t ticks);
    // Completes the file; false, with Error(), when it could not be written
    // or the sequence stopped before its first tick.
    bool Finish();

    // The ticks run so far, of TotalTicks().
    std::uint64_t DoneTicks() const { return m_slot; }
    std::uint64_t TotalTicks() const { return m_settings.ticks; }
    std::string Error() const { return m_error; }

private:
    // Takes the LED levels after a tick into the scaled picture; the runs of
    // it that changed.
    const std::vector<PixelRun> &ShowLevels();
    AnimationPicture Picture() const { return { m_device.Pixels(), m_scaler.TargetSize() }; }

    RowTable m_rows;
    SequenceInterpreter m_interpreter { m_rows };
    const DeviceBitmaps &m_bitmaps;
    Settings m_settings;
    PictureScaler m_scaler;
    ScaledDevice m_device;
    std::unique_ptr<AnimationEncoder> m_encoder;
    std::string m_error;

    std::array<int, LED_COUNT> m_shownSteps {};
    std::vector<PixelRun> m_changedRuns;
    std::uint64_t m_slot = 0;
    bool m_stopped = false;
};
