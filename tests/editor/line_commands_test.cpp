#include "editor/line_commands.h"
#include "editor/value_ranges.h"

#include "test_table.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// Lines 0..5 with pattern = line number and a GOTO 4 in line 5.
TestTable TableWithJump()
{
    TestTable table(6);
    for (int line = 0; line < 5; ++line)
        table.Row(line).pattern = std::uint32_t(line);
    table.Row(5) = { 1, 0, 1, CMD_GOTO, 4 };
    return table;
}

TEST(LineCommands, JumpsFollowTheRowsTheyPointAt)
{
    const struct {
        const char *what;
        int selected;
        std::uint16_t target;
        bool insert;
        int count;
        int jumpLine; // where the GOTO is afterwards
        std::uint16_t jumpTarget;
        std::uint32_t patternOfLine3;
    } cases[] = {
        { "line 1 deleted", 1, 4, false, 5, 4, 3, 4 },
        { "an empty line inserted at 2", 2, 4, true, 7, 6, 5, 2 },
        // A jump at a deleted line keeps its number.
        { "the line jumped at deleted", 2, 2, false, 5, 4, 2, 4 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestTable table = TableWithJump();
        table.Row(5).parameter = c.target;
        table.selection.Select(c.selected);
        LineCommands lines(table.Table());
        EXPECT_EQ(c.insert ? lines.InsertEmpty() : lines.Delete(), c.selected);
        EXPECT_EQ(table.rowCount, c.count);
        EXPECT_EQ(table.Row(c.jumpLine), (SequenceRow { 1, 0, 1, CMD_GOTO, c.jumpTarget }));
        EXPECT_EQ(table.Row(3).pattern, c.patternOfLine3);
        EXPECT_EQ(table.Row(c.count), EmptyRow());
        EXPECT_TRUE(table.selection.IsSelected(c.selected));
        EXPECT_TRUE(table.edited);
    }
}

TEST(LineCommands, DeletingEverythingLeavesOneEmptyLineAndInsertingStopsAtTheLastSlot)
{
    TestTable all(3);
    all.Row(0).pattern = 7;
    all.selection.SelectRange(0, 2);
    EXPECT_EQ(LineCommands(all.Table()).Delete(), 0);
    EXPECT_EQ(all.rowCount, 1);
    EXPECT_EQ(all.Row(0), EmptyRow());

    TestTable table(220);
    table.Row(219).pattern = 0x55;
    table.selection.SelectRange(0, 4);
    EXPECT_EQ(LineCommands(table.Table()).InsertEmpty(), -1);
    EXPECT_EQ(table.rowCount, 220);
    EXPECT_FALSE(table.edited);

    table.selection.SelectRange(0, 3);
    // A stale flag of a spare slot neither counts nor stays.
    table.selection.Select(222);
    LineCommands(table.Table()).InsertEmpty();
    EXPECT_EQ(table.rowCount, MAX_ROWS);
    EXPECT_EQ(table.Row(223).pattern, 0x55u);
    EXPECT_FALSE(table.selection.IsSelected(222));
}

TEST(LineCommands, PatternTransformsReachBeyondTheChannels)
{
    const struct {
        std::uint32_t before;
        void (LineCommands::*transform)();
        std::uint32_t after;
    } cases[] = { { 0x0F, &LineCommands::Invert, 0xFFFFFFF0 },
        { 0xFFFFFFF0, &LineCommands::ShiftLeft, 0x7FFFFFF8 }, { 0x80, &LineCommands::ShiftRight, 0x100 },
        { 0x100, &LineCommands::ShiftLeft, 0x80 }, { 0xF01, &LineCommands::Mirror, 0x80 } };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.before);
        TestTable table(2);
        table.selection.Select(0);
        table.Row(0).pattern = c.before;
        (LineCommands(table.Table()).*c.transform)();
        EXPECT_EQ(table.Row(0).pattern, c.after);
        EXPECT_EQ(table.Row(1).pattern, 0u);
        EXPECT_TRUE(table.edited);
    }
}

TEST(LineCommands, CommandRowsKeepWhatTheyHeld)
{
    TestTable table(3);
    table.Row(0) = { 1, 0x11, 9, CMD_GOTO, 2 };
    table.Row(1) = { 1, 0x22, 9, CMD_DIM, 50 };
    table.Row(2) = { 0, 0x33, 5, 0, 0 };
    table.selection.SelectRange(0, 2);
    LineCommands lines(table.Table());

    EXPECT_EQ(lines.SetCommand(CMD_GOTO), 2);
    EXPECT_EQ(table.Row(0).parameter, 2);
    EXPECT_EQ(table.Row(1), (SequenceRow { 1, 0x22, 9, CMD_GOTO, 0 }));
    EXPECT_EQ(table.Row(2).isCommand, 1);

    lines.Blink();
    EXPECT_EQ(table.Row(1), (SequenceRow { 0, 0x22, 9, CMD_GOTO, 0 }));

    table.Row(0).isCommand = 1;
    lines.ToggleChannel(3);
    EXPECT_EQ(table.Row(0).pattern, 0x11u);
    EXPECT_EQ(table.Row(1).pattern, 0x26u);
    EXPECT_EQ(table.Row(2).pattern, 0x37u);
}

TEST(ValueRanges, TheTextKeepsItsLowSixteenBitsAndEachFieldHasItsRange)
{
    EXPECT_EQ(ParseValueText("65537"), 1);
    EXPECT_EQ(ParseValueText("  42abc"), 42);
    EXPECT_EQ(ParseValueText("-1"), 65535);
    // Only the first 19 characters are read.
    EXPECT_EQ(ParseValueText("00000000000000000127"), 12);

    EXPECT_FALSE(AcceptsTime(0));
    EXPECT_TRUE(AcceptsTime(127));
    EXPECT_FALSE(AcceptsTime(128));
    const struct {
        std::uint8_t command;
        std::uint16_t value;
        bool accepted;
    } parameters[] = { { CMD_DIM, 127, true }, { CMD_DIM, 128, false }, { CMD_GOTO, 223, true },
        { CMD_IF_OFF, 224, false }, { CMD_FADE_OUT, 4095, true }, { CMD_FADE_IN, 4096, false },
        { CMD_MIRROR_ON, 128, false } };
    for (const auto &parameter : parameters) {
        SCOPED_TRACE(std::string(1, char(parameter.command)) + " " + std::to_string(parameter.value));
        EXPECT_EQ(AcceptsParameter(parameter.command, parameter.value), parameter.accepted);
    }
}

TEST(ValueRanges, AValueGoesToEverySelectedLineThatTakesIt)
{
    TestTable table(4);
    table.Row(0).time = 50;
    table.Row(1) = { 1, 0, 7, CMD_FADE_IN, 9 };
    table.Row(2) = { 1, 0, 7, CMD_DIM, 9 };
    table.selection.SelectRange(0, 2);
    LineCommands lines(table.Table());

    EXPECT_FALSE(lines.ApplyValue("65537", true));
    const std::optional<EditRefusal> time = lines.ApplyValue("", true);
    EXPECT_EQ(table.Row(0).time, 1);
    EXPECT_TRUE(table.edited);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->why, EditRefusal::Why::TimeOutOfRange);
    EXPECT_EQ(time->line, 0);

    // The first command line that refuses says why.
    const std::optional<EditRefusal> parameter = lines.ApplyValue("1000", false);
    EXPECT_EQ(table.Row(1).parameter, 1000);
    EXPECT_EQ(table.Row(2).parameter, 9);
    ASSERT_TRUE(parameter);
    EXPECT_EQ(parameter->why, EditRefusal::Why::ParameterOutOfRange);
    EXPECT_EQ(parameter->line, 2);
    EXPECT_EQ(parameter->letter, CMD_DIM);
    lines.ApplyValue("", false);
    EXPECT_EQ(table.Row(1).parameter, 0);
    EXPECT_EQ(table.Row(2).parameter, 0);
    EXPECT_EQ(table.Row(3), EmptyRow());
}

} // namespace
