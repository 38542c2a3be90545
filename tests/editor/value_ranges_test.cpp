#include "editor/line_commands.h"
#include "editor/value_ranges.h"

#include "test_table.h"

#include <gtest/gtest.h>

namespace
{

TEST(ValueRanges, TheTextKeepsItsLowSixteenBits)
{
    EXPECT_EQ(ParseValueText("65537"), 1);
    EXPECT_EQ(ParseValueText(""), 0);
    EXPECT_EQ(ParseValueText("  42abc"), 42);
    EXPECT_EQ(ParseValueText("-1"), 65535);
    // Only the first 19 characters are read.
    EXPECT_EQ(ParseValueText("00000000000000000127"), 12);
}

TEST(ValueRanges, EachFieldHasItsRange)
{
    EXPECT_FALSE(AcceptsTime(0));
    EXPECT_TRUE(AcceptsTime(1));
    EXPECT_TRUE(AcceptsTime(127));
    EXPECT_FALSE(AcceptsTime(128));
    EXPECT_TRUE(AcceptsParameter(CMD_DIM, 127));
    EXPECT_FALSE(AcceptsParameter(CMD_DIM, 128));
    EXPECT_TRUE(AcceptsParameter(CMD_GOTO, 223));
    EXPECT_FALSE(AcceptsParameter(CMD_IF_OFF, 224));
    EXPECT_TRUE(AcceptsParameter(CMD_FADE_OUT, 4095));
    EXPECT_FALSE(AcceptsParameter(CMD_FADE_IN, 4096));
    EXPECT_FALSE(AcceptsParameter(CMD_MIRROR_ON, 128));
}

TEST(ValueRanges, AValueGoesToEverySelectedLineThatTakesIt)
{
    TestTable table(4);
    table.Row(1) = { 1, 0, 7, CMD_FADE_IN, 9 };
    table.Row(2) = { 1, 0, 7, CMD_DIM, 9 };
    table.selection.SelectRange(0, 2);
    LineCommands lines(table.Table());

    lines.ApplyValue("65537", true);
    EXPECT_EQ(table.Row(0).time, 1);
    EXPECT_EQ(table.modified, 1);
    lines.ApplyValue("", true);
    EXPECT_EQ(table.Row(0).time, 1);

    lines.ApplyValue("1000", false);
    EXPECT_EQ(table.Row(1).parameter, 1000);
    EXPECT_EQ(table.Row(2).parameter, 9);
    lines.ApplyValue("", false);
    EXPECT_EQ(table.Row(1).parameter, 0);
    EXPECT_EQ(table.Row(2).parameter, 0);
    EXPECT_EQ(table.Row(3), EmptyRow());
}

} // namespace
