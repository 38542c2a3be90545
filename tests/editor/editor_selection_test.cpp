#include "editor/editor_selection.h"

#include <gtest/gtest.h>

namespace
{

TEST(EditorSelection, SelectRangeReplacesTheSelectionEitherWayRound)
{
    EditorSelection selection;
    selection.Select(0);
    selection.SelectRange(5, 2);
    EXPECT_FALSE(selection.IsSelected(0));
    EXPECT_FALSE(selection.IsSelected(1));
    EXPECT_TRUE(selection.IsSelected(2));
    EXPECT_TRUE(selection.IsSelected(5));
    EXPECT_FALSE(selection.IsSelected(6));
    EXPECT_EQ(selection.Count(MAX_ROWS), 4);

    selection.SelectRange(MAX_ROWS - 2, MAX_ROWS + 10);
    EXPECT_EQ(selection.Count(MAX_ROWS), 2);
    EXPECT_FALSE(selection.IsSelected(MAX_ROWS));

    selection.Clear();
    EXPECT_EQ(selection.Count(MAX_ROWS), 0);
    EXPECT_EQ(selection.First(MAX_ROWS), -1);
    EXPECT_EQ(selection.Last(MAX_ROWS), -1);
}

TEST(EditorSelection, CountFirstAndLastSeeOnlyTheRowsInUse)
{
    EditorSelection selection;
    selection.Select(3);
    selection.Select(6);
    selection.Select(9);
    EXPECT_EQ(selection.Count(8), 2);
    EXPECT_EQ(selection.First(8), 3);
    EXPECT_EQ(selection.Last(8), 6);
    EXPECT_EQ(selection.Last(10), 9);
    EXPECT_EQ(selection.First(3), -1);
    EXPECT_EQ(selection.Count(MAX_ROWS + 1), 3);
}

} // namespace
