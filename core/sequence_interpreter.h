#pragma once

#include "core/constants.h"
#include "core/row_table.h"

#include <array>
#include <cstdint>

class TextInput;
class TextOutput;

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

    // The device line of a sequence file and the rows after it.
    void WriteDevice(TextOutput &file) const;
    void ReadDevice(TextInput &file);

private:
    enum class Fetch { Held, Ended, RanAway };

    Fetch RunRows(int input);
    void RunCommand(const SequenceRow &row, int input);
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
