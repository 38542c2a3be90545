#include "editor/editor_layout.h"
#include "editor/editor_scrolling.h"
#include "editor/editor_window_fit.h"

#include <gtest/gtest.h>

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

TEST(EditorLayout, ThreeRowsFitTheirContentAndEndRightBelowTheLastLine)
{
    const PixelSize content = EditorContentSize(Grid(3), 0);
    EXPECT_EQ(content.width, 232);
    EXPECT_EQ(content.height, 76);

    // No frame (offscreen) and a thick one; a tall view limits nothing.
    PixelSize outer = FitEditorWindow({ 0, 0 }, content, { 1000, 800 });
    EXPECT_EQ(outer.width, 232);
    EXPECT_EQ(outer.height, 76);
    outer = FitEditorWindow({ 8, 30 }, content, { 1000, 800 });
    EXPECT_EQ(outer.width, 240);
    EXPECT_EQ(outer.height, 106);

    int scrollPos = 0;
    const EditorLayout layout = ComputeLayout(Grid(3), Client(76), scrollPos);
    EXPECT_EQ(layout.rowsTop, 24);
    EXPECT_EQ(layout.rowsBottom, 24 + 3 * 16);
    EXPECT_EQ(layout.marginBottom, 76);
    EXPECT_EQ(scrollPos, 0);

    const int edges[] = { layout.leftEdge, layout.scrollLeft, layout.indexLeft, layout.timeLeft,
        layout.channelLeft, layout.paramLeft, layout.channelRight, layout.rightEdge };
    const int expected[] = { 0, 4, 20, 60, 100, 188, 228, 232 };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(edges[i], expected[i]) << "edge " << i;

    // In a taller window the table still ends below its last line.
    EXPECT_EQ(ComputeLayout(Grid(3), Client(500), scrollPos).rowsBottom, 72);

    EXPECT_FALSE(ComputeScrollBar(Grid(3), layout, scrollPos).enabled);
}

TEST(EditorLayout, AFullTableIsLimitedToNineTenthsOfTheViewAndScrolls)
{
    const PixelSize content = EditorContentSize(Grid(224), 0);
    EXPECT_EQ(content.height, 224 * 16 + 28);
    const PixelSize outer = FitEditorWindow({ 8, 30 }, content, { 1001, 705 });
    EXPECT_EQ(outer.width, 240);
    EXPECT_EQ(outer.height, 634);

    int scrollPos = 0;
    const EditorLayout layout = ComputeLayout(Grid(224), Client(outer.height - 30), scrollPos);
    EXPECT_EQ(layout.rowsBottom, 600);
    const ScrollBarState bar = ComputeScrollBar(Grid(224), layout, scrollPos);
    EXPECT_TRUE(bar.enabled);
    EXPECT_EQ(bar.maximum, 224 * 16);
    EXPECT_EQ(bar.page, 576);

    // A window too small for the width limits that too.
    EXPECT_EQ(FitEditorWindow({ 8, 30 }, content, { 200, 705 }).width, 180);
}

TEST(EditorLayout, EnlargingAtTheEndPullsTheScrollPositionBack)
{
    // 30 lines of 16 pixels, scrolled so that the last one ends the rows area.
    int scrollPos = 30 * 16 + 28 - 200;
    EXPECT_EQ(ComputeLayout(Grid(30), Client(200), scrollPos).rowsBottom, 196);
    EXPECT_EQ(scrollPos, 308);

    ComputeLayout(Grid(30), Client(300), scrollPos);
    EXPECT_EQ(scrollPos, 208);
    const EditorLayout tall = ComputeLayout(Grid(30), Client(800), scrollPos);
    EXPECT_EQ(scrollPos, 0);
    EXPECT_EQ(tall.rowsBottom, 504);

    scrollPos = -5;
    ComputeLayout(Grid(30), Client(200), scrollPos);
    EXPECT_EQ(scrollPos, 0);
}

TEST(EditorLayout, EnsureVisibleScrollsALineJustIntoView)
{
    // The rows area is 24..196: ten and a bit lines.
    int scrollPos = 0;
    EXPECT_FALSE(ScrollToShow(Grid(30), Client(200), 9, scrollPos));
    EXPECT_EQ(scrollPos, 0);

    EXPECT_TRUE(ScrollToShow(Grid(30), Client(200), 20, scrollPos));
    EXPECT_EQ(scrollPos, 21 * 16 + 24 - 196);

    EXPECT_TRUE(ScrollToShow(Grid(30), Client(200), 3, scrollPos));
    EXPECT_EQ(scrollPos, 48);

    // The last line ends the rows area.
    EXPECT_TRUE(ScrollToShow(Grid(30), Client(200), 29, scrollPos));
    EXPECT_EQ(scrollPos, 30 * 16 + 28 - 200);
}

TEST(EditorLayout, ScrollBarActionsMoveByLinesAndPages)
{
    const PixelRect client = Client(200);
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::LineDown, 32, 0, Grid(30), client), 48);
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::LineUp, 0, 0, Grid(30), client), -16);
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::PageDown, 32, 0, Grid(30), client), 32 + 156);
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::PageUp, 32, 0, Grid(30), Client(40)), 32);
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::ThumbTrack, 32, 77, Grid(30), client), 77);
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::Top, 32, 0, Grid(30), client), 0);
    EXPECT_EQ(ScrollPositionAfter(ScrollCode::EndScroll, 32, 0, Grid(30), client), std::nullopt);

    int scrollPos = *ScrollPositionAfter(ScrollCode::Bottom, 0, 0, Grid(30), client);
    ComputeLayout(Grid(30), client, scrollPos);
    EXPECT_EQ(scrollPos, 308);
}

} // namespace
