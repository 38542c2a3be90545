#pragma once

#include <cstdint>
#include <functional>

// The system's millisecond clock: 32 bits, unsigned, wrapping after about
// 49.7 days, so differences of two readings are taken in unsigned arithmetic.
std::uint32_t timeGetTime();

// Replaces the clock, so that tests can step time by hand; an empty function
// restores the steady system clock.
void ReplaceMillisecondClock(std::function<std::uint32_t()> clock);
