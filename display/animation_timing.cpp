#include "display/animation_timing.h"

#include "core/constants.h"

#include <algorithm>

namespace
{

constexpr std::uint64_t MILLISECONDS_PER_VIDEO_FRAME = 1000 / VIDEO_FRAME_RATE;
constexpr std::uint64_t MILLISECONDS_PER_CENTISECOND = 10;

// The start of a slot in whole centiseconds, rounded to the nearest.
std::uint64_t CentisecondAt(std::uint64_t slot)
{
    return (slot * TICK_MS + MILLISECONDS_PER_CENTISECOND / 2) / MILLISECONDS_PER_CENTISECOND;
}

} // namespace

std::uint64_t SlotsInMilliseconds(std::uint64_t milliseconds)
{
    return (milliseconds + TICK_MS / 2) / TICK_MS;
}

std::uint64_t VideoFrameCount(std::uint64_t slots)
{
    const std::uint64_t milliseconds = slots * TICK_MS;
    return std::max<std::uint64_t>(
        1, (milliseconds + MILLISECONDS_PER_VIDEO_FRAME / 2) / MILLISECONDS_PER_VIDEO_FRAME);
}

std::uint64_t VideoFrameSlot(std::uint64_t frame)
{
    return frame * MILLISECONDS_PER_VIDEO_FRAME / TICK_MS;
}

bool GifFrameTiming::MayStartAt(std::uint64_t slot) const
{
    return !m_started || CentisecondAt(slot) >= CentisecondAt(m_start) + GIF_MIN_DELAY;
}

std::uint64_t GifFrameTiming::EarliestStart() const
{
    std::uint64_t slot = m_start + 1;
    while (!MayStartAt(slot))
        ++slot;
    return slot;
}

int GifFrameTiming::StartAt(std::uint64_t slot)
{
    const int delay = m_started ? DelayUntil(slot) : 0;
    m_started = true;
    m_start = slot;
    return delay;
}

int GifFrameTiming::DelayUntil(std::uint64_t endSlot) const
{
    return static_cast<int>(CentisecondAt(endSlot) - CentisecondAt(m_start));
}
