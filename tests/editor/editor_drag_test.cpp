#include "editor/editor_drag.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

bool operator==(PixelPoint a, PixelPoint b)
{
    return a.x == b.x && a.y == b.y;
}

// A paint drag from (0, 0): each move paints from where the last one ended,
// Shift locks it to the line or column where it took effect, and letting go
// of Shift frees it from where the lock left it.
TEST(EditorDrag, StrokesFollowTheMouseAndShiftLocksThem)
{
    const struct {
        PixelPoint to;
        bool shift;
        PixelPoint from, painted;
        EditorDrag::Mode after;
    } moves[] = {
        { { 10, 0 }, false, { 0, 0 }, { 10, 0 }, EditorDrag::Mode::Paint },
        { { 20, 5 }, true, { 10, 0 }, { 20, 5 }, EditorDrag::Mode::PaintLocked },
        { { 40, 9 }, true, { 20, 5 }, { 40, 5 }, EditorDrag::Mode::PaintLocked },
        { { 42, 30 }, true, { 20, 5 }, { 20, 30 }, EditorDrag::Mode::PaintLocked },
        { { 50, 50 }, false, { 20, 5 }, { 20, 50 }, EditorDrag::Mode::Paint },
        { { 60, 50 }, false, { 50, 50 }, { 60, 50 }, EditorDrag::Mode::Paint },
    };
    EditorDrag drag;
    drag.StartPaint(false, { 0, 0 });
    for (const auto &move : moves) {
        SCOPED_TRACE("to " + std::to_string(move.to.x) + "," + std::to_string(move.to.y));
        const EditorDrag::Stroke stroke = drag.MovePaint(move.to, move.shift);
        EXPECT_TRUE(stroke.from == move.from) << stroke.from.x << "," << stroke.from.y;
        EXPECT_TRUE(stroke.to == move.painted) << stroke.to.x << "," << stroke.to.y;
        EXPECT_EQ(drag.GetMode(), move.after);
        EXPECT_FALSE(drag.Sets());
    }
    drag.StartSelect(7);
    EXPECT_FALSE(drag.IsPainting());
    EXPECT_EQ(drag.SelectAnchor(), 7);
}

} // namespace
