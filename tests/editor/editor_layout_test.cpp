#include "editor/editor_hit_test.h"
#include "editor/editor_layout.h"
#include "editor/editor_scrolling.h"
#include "editor/editor_window_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

GridMetrics Grid(int rows)
{
    return { rows, 16, 16, 8 };
}

PixelRect Client(int height)
{
    return { 0, 0, 232, height };
}

TEST(EditorLayout, AShortTableEndsRightBelowItsLastLineAndDoesNotScroll)
{
    const PixelSize content = EditorContentSize(Grid(3), 0);
    const PixelSize outer = FitEditorWindow({ 8, 30 }, content, { 1000, 800 });
    EXPECT_EQ(outer.width, 240);
    EXPECT_EQ(outer.height, 106);

    int scrollPos = 0;
    const EditorLayout layout = ComputeLayout(Grid(3), Client(500), scrollPos);
    EXPECT_EQ(layout.rowsTop, 24);
    EXPECT_EQ(layout.rowsBottom, 72);
    EXPECT_EQ(layout.channelLeft, 100);
    EXPECT_EQ(layout.paramLeft, 188);
    EXPECT_FALSE(ComputeScrollBar(Grid(3), layout, scrollPos).enabled);
}

TEST(EditorLayout, AFullTableIsLimitedToNineTenthsOfTheViewAndScrolls)
{
    const PixelSize content = EditorContentSize(Grid(224), 0);
    const PixelSize outer = FitEditorWindow({ 8, 30 }, content, { 1001, 705 });
    EXPECT_EQ(outer.height, 634);
    // A window too small for the width limits that too.
    EXPECT_EQ(FitEditorWindow({ 8, 30 }, content, { 200, 705 }).width, 180);

    int scrollPos = 0;
    const EditorLayout layout = ComputeLayout(Grid(224), Client(outer.height - 30), scrollPos);
    EXPECT_EQ(layout.rowsBottom, 600);
    const ScrollBarState bar = ComputeScrollBar(Grid(224), layout, scrollPos);
    EXPECT_TRUE(bar.enabled);
    EXPECT_EQ(bar.maximum, 224 * 16);
    EXPECT_EQ(bar.page, 576);
}

TEST(EditorLayout, ScrollingStaysInsideTheTable)
{
    // 30 lines of 16 pixels; the rows area of a 200-pixel client is 24..196.
    int scrollPos = -5;
    ComputeLayout(Grid(30), Client(200), scrollPos);
    EXPECT_EQ(scrollPos, 0);

    // Showing a line scrolls it just into view, the last one to the end.
    EXPECT_FALSE(ScrollToShow(Grid(30), Client(200), 9, scrollPos));
    EXPECT_TRUE(ScrollToShow(Grid(30), Client(200), 20, scrollPos));
    EXPECT_EQ(scrollPos, 21 * 16 + 24 - 196);
    EXPECT_TRUE(ScrollToShow(Grid(30), Client(200), 3, scrollPos));
    EXPECT_EQ(scrollPos, 48);
    EXPECT_TRUE(ScrollToShow(Grid(30), Client(200), 29, scrollPos));
    EXPECT_EQ(scrollPos, 30 * 16 + 28 - 200);
    // A page is the rows area less a line.
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::PageDown, 32, 0, Grid(30), Client(200)), 32 + 156);
}

TEST(EditorHitTest, ADragPassesEveryCellOnTheLineBetweenTwoPositions)
{
    using Cells = std::vector<GridCell>;
    int scrollPos = 0;
    const EditorLayout layout = ComputeLayout(Grid(4), Client(500), scrollPos);
    const struct {
        PixelPoint from, to;
        Cells cells;
    } cases[] = {
        // Across all eight channels of line 0 in one move.
        { { 108, 32 }, { 220, 38 },
            { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 0, 3 }, { 0, 4 }, { 0, 5 }, { 0, 6 }, { 0, 7 } } },
        // Through the corners of cells: the two beside a corner are not touched.
        { { 108, 32 }, { 140, 64 }, { { 0, 0 }, { 1, 1 }, { 2, 2 } } },
        { { 100, 39 }, { 163, 40 }, { { 0, 0 }, { 0, 1 }, { 1, 2 }, { 1, 3 } } },
        // Backwards, out of the channel cells and past the last line.
        { { 140, 38 }, { 60, 38 }, { { 0, 2 }, { 0, 1 }, { 0, 0 } } },
        { { 110, 32 }, { 108, 300 }, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } } },
        { { 108, 10 }, { 108, 10 }, {} },
    };
    for (const auto &c : cases)
        EXPECT_EQ(CellsAlong(Grid(4), layout, scrollPos, c.from, c.to), c.cells)
            << c.from.x << "," << c.from.y;
}

} // namespace
