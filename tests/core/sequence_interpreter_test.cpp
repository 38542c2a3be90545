#include "core/sequence_interpreter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

namespace
{

SequenceRow Pattern(std::uint32_t pattern, std::uint16_t time)
{
    return { 0, pattern, time, 'X', 0 };
}

SequenceRow Command(std::uint8_t letter, std::uint16_t parameter = 0)
{
    return { 1, 0, 0, letter, parameter };
}

struct Device {
    explicit Device(std::initializer_list<SequenceRow> rows)
    {
        for (const SequenceRow &row : rows)
            table.Append(row);
        device.Reset();
    }

    // Steps once and returns LED k's level, or -1 when the sequence stopped.
    int StepLed(int k, int input = 0)
    {
        return device.Step(input) ? device.GetOutputs()[static_cast<std::size_t>(k)] : -1;
    }

    RowTable table;
    SequenceInterpreter device { table };
};

TEST(SequenceInterpreter, DefaultSequenceTickByTick)
{
    RowTable table;
    table.LoadDefault();
    SequenceInterpreter device(table);
    device.Reset();

    const int fall[] = { 118, 110, 101, 93, 84, 76, 67, 59, 50, 42, 33, 25, 16, 8, 0 };
    for (int tick = 1; tick <= 45; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_TRUE(device.Step(0));
        int expected = 0;
        if (tick <= 20 || tick >= 41)
            expected = 127;
        else if (tick <= 35)
            expected = fall[tick - 21];
        const SequenceInterpreter::Outputs &levels = device.GetOutputs();
        EXPECT_EQ(std::count(levels.begin(), levels.end(), expected), LED_COUNT)
            << "all LEDs at " << expected;
        EXPECT_EQ(device.GetCurrentRow(), tick > 20 && tick <= 40 ? 2 : 1);
    }
}

TEST(SequenceInterpreter, EndAndRunawayStopTheSequence)
{
    Device empty({});
    EXPECT_FALSE(empty.device.Step(0));

    Device loop({ Command(CMD_GOTO, 0) });
    EXPECT_FALSE(loop.device.Step(0));
    EXPECT_FALSE(loop.device.Step(0));

    // Commands before the end keep their effect; the levels stay as they were.
    Device end({ Pattern(0x01, 1), Command(CMD_DIM, 0), Command(CMD_GOTO, 224) });
    EXPECT_EQ(end.StepLed(0), 127);
    EXPECT_FALSE(end.device.Step(0));
    EXPECT_EQ(end.device.GetCurrentRow(), 224);
    EXPECT_EQ(end.device.GetOutputs()[0], 127);

    // Unknown letters count as fetches: 98 of them and a pattern row fit in
    // the 100 fetches of a tick, 99 do not.
    for (const int unknown : { 98, 99 }) {
        Device device({});
        for (int i = 0; i < unknown; ++i)
            device.table.Append(Command('H'));
        device.table.Append(Pattern(0x01, 1));
        EXPECT_EQ(device.StepLed(0), unknown == 98 ? 127 : -1);
    }
}

TEST(SequenceInterpreter, TimeZeroPatternsAndHoldTimes)
{
    Device device({ Pattern(0x01, 0), Pattern(0x02, 2), Pattern(0x04, 1) });
    EXPECT_EQ(device.StepLed(0), 0);
    EXPECT_EQ(device.device.GetOutputs()[1], 127);
    EXPECT_EQ(device.StepLed(1), 127);
    EXPECT_EQ(device.StepLed(2), 127);
    EXPECT_EQ(device.StepLed(2), -1);
}

TEST(SequenceInterpreter, IfCommandsFollowBitZeroOfTheInputOfTheTick)
{
    const auto jumps = [](std::uint8_t letter, int input) {
        Device device({ Command(letter, 3), Pattern(0x01, 1), Command(CMD_GOTO, 0), Pattern(0x02, 1) });
        return device.StepLed(1, input) == 127;
    };
    EXPECT_TRUE(jumps(CMD_IF_ON, 1));
    EXPECT_FALSE(jumps(CMD_IF_ON, 0));
    EXPECT_FALSE(jumps(CMD_IF_ON, 2));
    EXPECT_TRUE(jumps(CMD_IF_OFF, 0));
    EXPECT_FALSE(jumps(CMD_IF_OFF, 1));
}

TEST(SequenceInterpreter, MirrorReversesTheChannelsOnOutputAndDimSetsTheCeiling)
{
    using Levels = SequenceInterpreter::Outputs;
    Device device({ Command(CMD_MIRROR_ON), Pattern(0x11, 1), Command(CMD_MIRROR_TOGGLE), Pattern(0x11, 1),
        Command(CMD_DIM, 0), Pattern(0x01, 1), Command(CMD_DIM, 0x80 + 64), Pattern(0x01, 1) });
    // Channel 0 shows on 7, channel 4 on 3, and LEDs 8 and 9 repeat channels 3 and 4.
    ASSERT_TRUE(device.device.Step(0));
    EXPECT_EQ(device.device.GetOutputs(), (Levels { 0, 0, 0, 127, 0, 0, 0, 127, 127, 0 }));
    ASSERT_TRUE(device.device.Step(0));
    EXPECT_EQ(device.device.GetOutputs(), (Levels { 127, 0, 0, 0, 127, 0, 0, 0, 0, 127 }));
    EXPECT_EQ(device.StepLed(0), 0);
    EXPECT_EQ(device.StepLed(0), 64);
}

TEST(SequenceInterpreter, FadeStepsFromTheParameter)
{
    const std::pair<std::uint16_t, std::int32_t> steps[]
        = { { 0, 32760 }, { 15, 2176 }, { 4080, 8 }, { 4081, 0 }, { 4096, 0 }, { 4096 + 15, 2176 } };
    for (const auto &[parameter, step] : steps)
        EXPECT_EQ(FadeStep(parameter), step) << parameter;

    // FADE IN 15 rises in 15 ticks; FADE OUT 4090 then holds the level.
    Device device({ Command(CMD_FADE_IN, 15), Pattern(0x01, 15), Command(CMD_FADE_OUT, 4090), Pattern(0, 3),
        Command(CMD_FADE_OUT, 0), Pattern(0, 1) });
    EXPECT_EQ(device.StepLed(0), 8);
    for (int tick = 2; tick < 15; ++tick)
        device.StepLed(0);
    EXPECT_EQ(device.StepLed(0), 127);
    EXPECT_EQ(device.StepLed(0), 127);
    device.StepLed(0);
    device.StepLed(0);
    EXPECT_EQ(device.StepLed(0), 0);
}

TEST(SequenceInterpreter, ResetStartsAgainFromRowZero)
{
    Device device({ Command(CMD_DIM, 10), Command(CMD_MIRROR_ON), Pattern(0x01, 5) });
    EXPECT_EQ(device.StepLed(7), 10);
    device.device.Reset();
    device.table.GetRow(0)->command = 'H';
    device.table.GetRow(1)->command = 'H';
    EXPECT_EQ(device.StepLed(0), 127);
    EXPECT_EQ(device.device.GetCurrentRow(), 2);
}

} // namespace
