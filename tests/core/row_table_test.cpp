#include "core/row_table.h"

#include <gtest/gtest.h>

namespace
{

SequenceRow PatternRow(std::uint32_t pattern, std::uint16_t time)
{
    return { 0, pattern, time, 'X', 0 };
}

RowTable FullTable()
{
    RowTable table;
    for (int i = 0; i < MAX_ROWS; ++i)
        table.Append(PatternRow(static_cast<std::uint32_t>(i), 1));
    return table;
}

TEST(RowTable, StaysWithinTheCapacityAndLoadDefaultKeepsTheOtherRecords)
{
    RowTable table = FullTable();
    EXPECT_FALSE(table.Append(PatternRow(0, 0)));
    EXPECT_EQ(table.GetRow(-1), nullptr);
    EXPECT_EQ(table.GetRow(MAX_ROWS), nullptr);
    table.GetRow(1)->time = 99;
    EXPECT_EQ(table.GetRecords()[1].time, 99);

    // Clear keeps the records, and a copy carries them.
    table.Clear();
    EXPECT_EQ(table.GetRow(0), nullptr);
    RowTable copy = table;
    copy.SetCount(MAX_ROWS + 5);
    EXPECT_EQ(copy.GetCount(), MAX_ROWS);
    EXPECT_EQ(copy.GetRow(MAX_ROWS - 1)->pattern, static_cast<std::uint32_t>(MAX_ROWS - 1));
    copy.SetCount(-1);
    EXPECT_EQ(copy.GetCount(), 0);

    // LoadDefault replaces only the first four records, of a cleared table too.
    table.LoadDefault();
    ASSERT_EQ(table.GetCount(), 4);
    EXPECT_EQ(*table.GetRow(0), (SequenceRow { 1, 0, 0, CMD_FADE_OUT, 15 }));
    EXPECT_EQ(*table.GetRow(3), (SequenceRow { 1, 0, 0, CMD_GOTO, 0 }));
    for (int i = 4; i < MAX_ROWS; ++i)
        EXPECT_EQ(
            table.GetRecords()[static_cast<std::size_t>(i)], PatternRow(static_cast<std::uint32_t>(i), 1));
}

} // namespace
