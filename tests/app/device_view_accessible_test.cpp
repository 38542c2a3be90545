#include "app/device_view_accessible.h"

#include <gtest/gtest.h>

TEST(DeviceViewAccessible, TheDescriptionNamesEachLedOnOrOff)
{
    std::array<std::uint8_t, LED_COUNT> levels {};
    levels[0] = 1;
    levels[9] = MAX_LED_LEVEL;
    EXPECT_EQ(LedStateText(levels),
        "LED 1 on, LED 2 off, LED 3 off, LED 4 off, LED 5 off, LED 6 off, LED 7 off, LED 8 off, LED 9 off, "
        "LED 10 on");
}
