#pragma once

#include "core/constants.h"
#include "core/row_table.h"

#include <array>
#include <cstdint>

class TextInput;
class TextOutput;

// How the row fetches of a tick end: at a pattern row that holds, at an
// index past the table (the sequence has ended), or after
// MAX_FETCHES_PER_TICK fetches without a hold (it ran away).
enum class FetchEnd { Held, Ended, RanAway };

// The row that a command row at index sends the run to: its target when it
// jumps with this input (bit 0: on), otherwise index + 1.
std::int32_t RowAfterCommand(const SequenceRow &command, std::int32_t index, int input);

// The row fetches of a tick that starts with no hold pending, from row
// `next` on, as the device makes them. Each fetched row goes to
// visit(index, row). Afterwards `current` is the index fetched last and
// `next` the one to fetch after it. The interpreter runs its ticks on this;
// the sequence checker explores where they lead.
template <class Visit>
FetchEnd FetchRows(const RowTable &table, std::int32_t &current, std::int32_t &next, int input, Visit &&visit)
{
    for (int fetches = 1; fetches <= MAX_FETCHES_PER_TICK; ++fetches) {
        current = next++;
        const SequenceRow *row = table.GetRow(current);
        if (!row)
            return FetchEnd::Ended;
        visit(current, *row);
        if (row->isCommand)
            next = RowAfterCommand(*row, current, input);
        else if (row->time != 0)
            // The hold takes the place of the next fetch, which has to be
            // within the limit too.
            return fetches < MAX_FETCHES_PER_TICK ? FetchEnd::Held : FetchEnd::RanAway;
    }
    return FetchEnd::RanAway;
}

// Runs a light sequence as the device does, one 12 ms tick per Step, and
// yields the ten LED levels of the device picture. Plain computation: no
// allocation, no clock of its own. Bound for its life to one row table.
class SequenceInterpreter
{
public:
    using Outputs = std::array<std::int32_t, LED_COUNT>;

    explicit SequenceInterpreter(RowTable &table);

    // Starts a run at row 0 with all channels dark and the default dimming,
    // fading and mirroring.
    void Reset();
    // Runs one tick with the input switch (bit 0: on). False when the
    // sequence has ended or ran away; the channel levels then stay as they
    // were.
    bool Step(int input);
    // The ten LED levels, 0..MAX_LED_LEVEL, in LED order.
    const Outputs &GetOutputs();

    // The index of the row fetched last; it may lie past the table once the
    // sequence has ended.
    int GetCurrentRow() const { return m_currentRow; }
    // Each channel's level in the interpreter's own finer steps, with a flag
    // for a lit channel: where the output levels show only the top bits, this
    // tells whether a run has come back to where it was.
    const std::array<std::uint16_t, CHANNEL_COUNT> &GetChannelLevels() const { return m_channelLevel; }

private:
    FetchEnd RunRows(int input);
    void RunCommand(const SequenceRow &row);
    void UpdateChannels();

    RowTable &m_table;
    std::int32_t m_nextRow;
    std::int32_t m_currentRow;
    std::int32_t m_holdTicks;
    std::int32_t m_dimLevel;
    std::int32_t m_fadeInStep;
    std::int32_t m_fadeOutStep;
    bool m_mirror;
    std::uint8_t m_pattern;
    std::array<std::uint16_t, CHANNEL_COUNT> m_channelLevel;
    Outputs m_output {};
};

// The level change per tick that a FADE IN or FADE OUT parameter sets: its
// low 12 bits give the length of a full swing in ticks; 0 is instant.
std::int32_t FadeStep(std::uint16_t parameter);
