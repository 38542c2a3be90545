#pragma once

#include "core/constants.h"

#include <cstdint>

// The simulation clock catches up with the system clock in TICK_MS steps. A
// gap longer than the limit is dropped: the clock restarts that far behind
// the present. Only ticks less than the update window behind the present
// repaint the views.
inline constexpr int SIMULATION_CATCH_UP_LIMIT_MS = 1000;
inline constexpr int SIMULATION_RESTART_LAG_MS = 100;
inline constexpr int SIMULATION_UPDATE_WINDOW_MS = 100;
// The simulation view's window timer, which runs the catch-up.
inline constexpr int SIMULATION_TIMER_MS = 100;

// How far the simulation time lies behind the clock reading now, in
// milliseconds; negative when it has run ahead. Exact across the wrap of the
// 32-bit clock for any distance below 2^31 ms.
inline std::int32_t MillisecondsBehind(std::uint32_t now, std::uint32_t simTime)
{
    return static_cast<std::int32_t>(now - simTime);
}

// Catches the simulation up with the clock reading now, one tick per
// TICK_MS, calling tick(input, updateViews); only the ticks of the last
// SIMULATION_UPDATE_WINDOW_MS update the views. A gap longer than
// SIMULATION_CATCH_UP_LIMIT_MS is dropped, and so is a simulation time that
// lies more than a tick ahead (it was never set). Returns the new simulation
// time, at or up to one tick past now.
template <typename TickFunction>
std::uint32_t CatchUpSimulation(std::uint32_t now, std::uint32_t simTime, int input, TickFunction &&tick)
{
    const std::int32_t behind = MillisecondsBehind(now, simTime);
    if (behind > SIMULATION_CATCH_UP_LIMIT_MS || behind < -TICK_MS)
        simTime = now - SIMULATION_RESTART_LAG_MS;
    while (MillisecondsBehind(now, simTime) > 0) {
        tick(input, MillisecondsBehind(now, simTime) < SIMULATION_UPDATE_WINDOW_MS);
        simTime += TICK_MS;
    }
    return simTime;
}
