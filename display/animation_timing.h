#pragma once

#include <cstdint>

// The time line of an animation of the running device. Slot i is the 12 ms
// from i x TICK_MS on and shows the device after tick i + 1: the device runs
// a tick at the start of its 12 ms, as the simulation does.

// Frames per second of a video.
inline constexpr int VIDEO_FRAME_RATE = 50;

// The slots in a length of milliseconds, rounded to the nearest.
std::uint64_t SlotsInMilliseconds(std::uint64_t milliseconds);

// The frames of a video as long as `slots`, rounded to the nearest; at least
// one.
std::uint64_t VideoFrameCount(std::uint64_t slots);
// The slot whose picture video frame `frame` shows: the one in force at the
// frame's moment.
std::uint64_t VideoFrameSlot(std::uint64_t frame);

// When the frames of an animated GIF start and how long each stays. A GIF
// keeps a frame's delay in whole centiseconds; each delay is the rounded end
// of the frame less the rounded start, so rounding errors never add up: the
// frames end within 5 ms of their slots' ends. A frame stays at least
// GIF_MIN_DELAY centiseconds, as players show shorter delays far too long;
// a change that comes sooner starts its frame as soon as that is over.
class GifFrameTiming
{
public:
    static constexpr int GIF_MIN_DELAY = 2;

    // Whether a frame may start at slot: the first one, or one at least
    // GIF_MIN_DELAY after the start of the frame before.
    bool MayStartAt(std::uint64_t slot) const;
    // The first slot after the current frame's start at which one may start.
    std::uint64_t EarliestStart() const;
    // Starts a frame at slot; the delay of the frame that ends there, 0 for
    // the first frame.
    int StartAt(std::uint64_t slot);
    // The delay of the current frame when the animation ends at endSlot.
    int DelayUntil(std::uint64_t endSlot) const;

private:
    bool m_started = false;
    std::uint64_t m_start = 0;
};
