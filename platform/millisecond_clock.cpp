#include "platform/millisecond_clock.h"

#include <chrono>

namespace
{

std::function<std::uint32_t()> &ReplacementClock()
{
    static std::function<std::uint32_t()> clock;
    return clock;
}

std::uint32_t SteadyClockMilliseconds()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
    return static_cast<std::uint32_t>(milliseconds);
}

} // namespace

std::uint32_t timeGetTime()
{
    return ReplacementClock() ? ReplacementClock()() : SteadyClockMilliseconds();
}

void ReplaceMillisecondClock(std::function<std::uint32_t()> clock)
{
    ReplacementClock() = std::move(clock);
}
