#include "core/device_row.h"

#include "core/constants.h"

namespace
{

constexpr std::uint16_t INSTANT_FADE_STEP = 0xFFF;
// A full swing of the levels, in device fade steps.
constexpr std::uint16_t FADE_STEP_DIVIDEND = 0xFF0;

} // namespace

bool HasDeviceSlot(const SequenceRow &row)
{
    return !row.isCommand || CommandName(row.command) != nullptr;
}

std::uint16_t DeviceTime(std::uint16_t time)
{
    return time & DEVICE_TIME_MASK;
}

std::uint16_t DeviceJumpTarget(std::uint16_t target)
{
    return target & DEVICE_JUMP_MASK;
}

std::uint16_t ImageFadeStep(std::uint16_t parameter)
{
    return parameter == 0 ? INSTANT_FADE_STEP : static_cast<std::uint16_t>(FADE_STEP_DIVIDEND / parameter);
}
