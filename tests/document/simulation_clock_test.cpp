#include "document/simulation_clock.h"
#include "platform/millisecond_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{

class SimulationClockTest : public ::testing::Test
{
protected:
    void TearDown() override { ReplaceMillisecondClock({}); }

    // The views' updates of one catch-up, tick by tick; every tick gets the
    // input of the message.
    std::vector<bool> TimerMessage(int input = 0)
    {
        std::vector<bool> updates;
        simTime
            = CatchUpSimulation(timeGetTime(), simTime, input, [&updates, input](int tickInput, bool update) {
                  EXPECT_EQ(tickInput, input);
                  updates.push_back(update);
              });
        return updates;
    }
    void StartAt(std::uint32_t time)
    {
        now = time;
        simTime = time;
        ReplaceMillisecondClock([this] { return now; });
    }

    std::uint32_t now = 0;
    std::uint32_t simTime = 0;
};

TEST_F(SimulationClockTest, EveryHundredMillisecondsRunEightOrNineTicks)
{
    for (const std::uint32_t start : { 5000u, 0xFFFFFF00u }) {
        StartAt(start);
        int ticks = 0;
        for (int message = 0; message < 30; ++message) {
            now += 100;
            const std::vector<bool> updates = TimerMessage(1);
            ASSERT_GE(updates.size(), 8u);
            ASSERT_LE(updates.size(), 9u);
            EXPECT_EQ(std::count(updates.begin() + 1, updates.end(), false), 0);
            ticks += static_cast<int>(updates.size());
        }
        EXPECT_EQ(ticks, 3000 / TICK_MS) << "no time lost across the clock's wrap from " << start;
    }
}

TEST_F(SimulationClockTest, GapsUpToOneSecondAreCaughtUpLongerOnesDropped)
{
    StartAt(1000);
    now += 1000;
    std::vector<bool> updates = TimerMessage();
    EXPECT_EQ(updates.size(), 84u);
    EXPECT_EQ(std::count(updates.begin(), updates.end(), true), 8);

    now += 5000;
    updates = TimerMessage();
    EXPECT_EQ(updates.size(), 9u);
    EXPECT_EQ(std::count(updates.begin(), updates.end(), true), 8);
}

TEST_F(SimulationClockTest, AnEarlyMessageRunsNothingAndAClockAheadRestarts)
{
    StartAt(1000);
    now += 100;
    TimerMessage();
    EXPECT_GT(simTime, now) << "the last tick lies past the present";
    now += 2;
    EXPECT_TRUE(TimerMessage().empty());

    simTime = now + 50000;
    EXPECT_EQ(TimerMessage().size(), 9u);
}

} // namespace
