#include "document/simulation_clock.h"
#include "platform/millisecond_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{

// The views' updates of one catch-up, tick by tick.
struct CatchUp {
    std::vector<bool> updates;
    int input = -1;
};

class SimulationClockTest : public ::testing::Test
{
protected:
    void TearDown() override { ReplaceMillisecondClock({}); }

    CatchUp TimerMessage(int input = 0)
    {
        CatchUp result;
        simTime
            = CatchUpSimulation(timeGetTime(), simTime, input, [&result](int tickInput, bool updateViews) {
                  result.updates.push_back(updateViews);
                  result.input = tickInput;
              });
        return result;
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
            const CatchUp run = TimerMessage(1);
            ASSERT_GE(run.updates.size(), 8u);
            ASSERT_LE(run.updates.size(), 9u);
            for (std::size_t i = 1; i < run.updates.size(); ++i)
                EXPECT_TRUE(run.updates[i]);
            EXPECT_EQ(run.input, 1);
            ticks += static_cast<int>(run.updates.size());
        }
        EXPECT_EQ(ticks, 3000 / TICK_MS) << "no time lost across the clock's wrap from " << start;
    }
}

TEST_F(SimulationClockTest, GapsUpToOneSecondAreCaughtUpLongerOnesDropped)
{
    StartAt(1000);
    now += 1000;
    CatchUp run = TimerMessage();
    EXPECT_EQ(run.updates.size(), 84u);
    EXPECT_EQ(std::count(run.updates.begin(), run.updates.end(), true), 8);

    now += 5000;
    run = TimerMessage();
    EXPECT_EQ(run.updates.size(), 9u);
    EXPECT_EQ(std::count(run.updates.begin(), run.updates.end(), true), 8);
}

TEST_F(SimulationClockTest, AnEarlyMessageRunsNothingAndAClockAheadRestarts)
{
    StartAt(1000);
    now += 100;
    TimerMessage();
    EXPECT_GT(simTime, now) << "the last tick lies past the present";
    now += 2;
    EXPECT_TRUE(TimerMessage().updates.empty());

    simTime = now + 50000;
    EXPECT_EQ(TimerMessage().updates.size(), 9u);
}

} // namespace
