#include "editor/pattern_brightness.h"

#include "core/constants.h"
#include "core/row_table.h"
#include "core/sequence_interpreter.h"

#include <array>
#include <cstdint>

namespace
{

constexpr std::uint32_t ALL_CHANNELS = (1U << CHANNEL_COUNT) - 1;
constexpr SequenceRow BACK_TO_START = { 1, 0, 0, CMD_GOTO, 0 };

using ChannelLevels = std::array<std::uint16_t, CHANNEL_COUNT>;

// The channels of mask whose LEDs show a brightness step now.
std::uint32_t ShownChannels(SequenceInterpreter &device, std::uint32_t mask)
{
    const SequenceInterpreter::Outputs &outputs = device.GetOutputs();
    std::uint32_t shown = 0;
    for (int k = 0; k < LED_COUNT; ++k)
        if (outputs[static_cast<std::size_t>(k)] >= LED_LEVELS_PER_STEP)
            shown |= 1U << LED_CHANNEL[k];
    return shown & mask;
}

ChannelLevels LevelsOf(const SequenceInterpreter &device, std::uint32_t mask)
{
    ChannelLevels levels = device.GetChannelLevels();
    for (int j = 0; j < CHANNEL_COUNT; ++j)
        if (!(mask & (1U << j)))
            levels[static_cast<std::size_t>(j)] = 0;
    return levels;
}

} // namespace

// Every round of the rows switches each channel on and off alike, and a
// channel's level at the start of a round only grows from round to round
// (the step from one round's start to the next is monotonic and the first
// starts dark). Below the first step it grows by a whole fade step or not
// at all, so the channels not yet shown come to rest within a few hundred
// rounds, and once their levels repeat from one round's start to the next,
// every later round repeats the last.
bool EveryChannelLightsUp(const std::vector<SequenceRow> &rows)
{
    RowTable table;
    std::uint32_t unlit = 0;
    std::int64_t roundTicks = 0;
    for (const SequenceRow &row : rows) {
        table.Append(row);
        if (!row.isCommand) {
            unlit |= row.pattern & ALL_CHANNELS;
            roundTicks += row.time;
        }
    }
    table.Append(BACK_TO_START);
    if (roundTicks == 0)
        return unlit == 0;
    SequenceInterpreter device(table);
    ChannelLevels roundStart {};
    for (std::int64_t tick = 1; unlit != 0; ++tick) {
        if (!device.Step(0))
            return false;
        unlit &= ~ShownChannels(device, unlit);
        if (tick % roundTicks != 0)
            continue;
        const ChannelLevels levels = LevelsOf(device, unlit);
        if (levels == roundStart)
            return unlit == 0;
        roundStart = levels;
    }
    return true;
}
