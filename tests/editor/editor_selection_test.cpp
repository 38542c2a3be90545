#include "editor/editor_selection.h"

#include <gtest/gtest.h>

namespace
{

TEST(EditorSelection, RangesReplaceTheSelectionAndCountsSeeOnlyTheRowsInUse)
{
    EditorSelection selection;
    selection.Select(0);
    selection.SelectRange(5, 2);
    EXPECT_FALSE(selection.IsSelected(0));
    EXPECT_TRUE(selection.IsSelected(2));
    EXPECT_FALSE(selection.IsSelected(6));
    EXPECT_EQ(selection.Count(MAX_ROWS), 4);
    EXPECT_EQ(selection.First(2), -1);
    EXPECT_EQ(selection.Last(5), 4);

    selection.SelectRange(MAX_ROWS - 2, MAX_ROWS + 10);
    EXPECT_EQ(selection.Count(MAX_ROWS + 1), 2);
    EXPECT_FALSE(selection.IsSelected(MAX_ROWS));

    selection.Clear();
    EXPECT_EQ(selection.Count(MAX_ROWS), 0);
    EXPECT_EQ(selection.Last(MAX_ROWS), -1);
}

} // namespace
