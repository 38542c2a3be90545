#include "core/sequence_interpreter.h"

#include "core/device_row.h"
#include "core/sequence_file.h"

namespace
{

// Channel levels are fixed point: level / 256 is the brightness.
constexpr int LEVEL_SHIFT = 8;
constexpr std::int32_t FULL_LEVEL = MAX_LED_LEVEL << LEVEL_SHIFT;
constexpr std::uint16_t LIT_FLAG = 0x8000;
constexpr std::uint16_t LEVEL_MASK = 0x7FFF;

std::uint8_t ReverseBits(std::uint8_t b)
{
    std::uint8_t reversed = 0;
    for (int j = 0; j < CHANNEL_COUNT; ++j)
        if (b & (1u << j))
            reversed |= static_cast<std::uint8_t>(1u << (CHANNEL_COUNT - 1 - j));
    return reversed;
}

} // namespace

// The device's arithmetic on the parameter's low 12 bits.
std::int32_t FadeStep(std::uint16_t parameter)
{
    const auto ticks = static_cast<std::uint16_t>(parameter & FADE_PARAMETER_MASK);
    // A parameter whose low 12 bits are 0 can only come from a file; the
    // device image carries step 0 for it, so the simulation does the same.
    if (parameter != 0 && ticks == 0)
        return 0;
    return ImageFadeStep(ticks) * FADE_STEP_SCALE;
}

std::int32_t RowAfterCommand(const SequenceRow &command, std::int32_t index, int input)
{
    const bool inputOn = (input & 1) != 0;
    const bool jumps = command.command == CMD_GOTO || (command.command == CMD_IF_ON && inputOn)
        || (command.command == CMD_IF_OFF && !inputOn);
    return jumps ? command.parameter : index + 1;
}

SequenceInterpreter::SequenceInterpreter(RowTable &table)
    : m_table(table)
{
    Reset();
}

void SequenceInterpreter::Reset()
{
    m_nextRow = 0;
    m_currentRow = 0;
    m_holdTicks = 0;
    m_dimLevel = FULL_LEVEL;
    // A step larger than any level: channels reach their targets at once.
    m_fadeInStep = FadeStep(0);
    m_fadeOutStep = FadeStep(0);
    m_mirror = false;
    m_pattern = 0;
    m_channelLevel.fill(0);
}

bool SequenceInterpreter::Step(int input)
{
    if (RunRows(input) != FetchEnd::Held)
        return false;
    UpdateChannels();
    return true;
}

FetchEnd SequenceInterpreter::RunRows(int input)
{
    if (m_holdTicks != 0) {
        --m_holdTicks;
        return FetchEnd::Held;
    }
    const FetchEnd end
        = FetchRows(m_table, m_currentRow, m_nextRow, input, [this](std::int32_t, const SequenceRow &row) {
              if (row.isCommand) {
                  RunCommand(row);
              } else {
                  m_pattern = static_cast<std::uint8_t>(row.pattern);
                  m_holdTicks = row.time;
              }
          });
    // The tick that fetched the held row is the first of its time.
    if (end == FetchEnd::Held)
        --m_holdTicks;
    return end;
}

// Jumps are taken by FetchRows.
void SequenceInterpreter::RunCommand(const SequenceRow &row)
{
    const std::uint16_t p = row.parameter;
    switch (row.command) {
    case CMD_DIM: m_dimLevel = (p & DIM_PARAMETER_MASK) << LEVEL_SHIFT; break;
    case CMD_FADE_IN: m_fadeInStep = FadeStep(p); break;
    case CMD_FADE_OUT: m_fadeOutStep = FadeStep(p); break;
    case CMD_MIRROR_ON: m_mirror = true; break;
    case CMD_MIRROR_OFF: m_mirror = false; break;
    case CMD_MIRROR_TOGGLE: m_mirror = !m_mirror; break;
    default: break;
    }
}

void SequenceInterpreter::UpdateChannels()
{
    const std::uint8_t lit = m_mirror ? ReverseBits(m_pattern) : m_pattern;
    for (int j = 0; j < CHANNEL_COUNT; ++j) {
        std::uint16_t &channel = m_channelLevel[static_cast<std::size_t>(j)];
        std::int32_t level = channel & LEVEL_MASK;
        if (lit & (1u << j)) {
            level = level + m_fadeInStep > m_dimLevel ? m_dimLevel : level + m_fadeInStep;
            channel = static_cast<std::uint16_t>(LIT_FLAG | level);
        } else {
            level = level >= m_fadeOutStep ? level - m_fadeOutStep : 0;
            channel = static_cast<std::uint16_t>(level);
        }
    }
}

const SequenceInterpreter::Outputs &SequenceInterpreter::GetOutputs()
{
    for (std::size_t k = 0; k < m_output.size(); ++k) {
        const std::uint16_t level = m_channelLevel[static_cast<std::size_t>(LED_CHANNEL[k])];
        m_output[k] = (level >> LEVEL_SHIFT) & MAX_LED_LEVEL;
    }
    return m_output;
}
