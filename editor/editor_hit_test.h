#pragma once

#include "editor/editor_layout.h"

#include <vector>

// Where a point of the LED Editor's client area lies in its grid.

struct PixelPoint {
    int x;
    int y;
};

// The line under y, or -1 outside the rows area.
int LineAt(const GridMetrics &grid, const EditorLayout &layout, int scrollPos, int y);

enum class GridColumn { Index, Time };
// The line whose index or time cell is at point, or -1.
int RowColumnAt(
    const GridMetrics &grid, const EditorLayout &layout, int scrollPos, PixelPoint point, GridColumn column);

// The channel whose cell column is at x, or -1 outside the channel cells.
int ChannelAt(const GridMetrics &grid, const EditorLayout &layout, int x);
// True when x lies on the parameter cell of a command line.
bool IsParameterColumn(const EditorLayout &layout, int x);

// A drag locked with Shift follows the pointer along the anchor's line when
// it has moved farther horizontally than vertically, else along the anchor's
// channel column.
PixelPoint LockedDragPoint(PixelPoint anchor, PixelPoint point);

struct GridCell {
    int line;
    int channel;

    friend bool operator==(const GridCell &a, const GridCell &b)
    {
        return a.line == b.line && a.channel == b.channel;
    }
};

// Every channel cell that the straight line from a to b passes through, in
// order from a's cell to b's, as far as it lies on lines in use and inside
// the rows area. A fast drag reports positions far apart; the cells between
// them are painted too. A line through a corner of four cells takes the two
// it passes between as untouched.
std::vector<GridCell> CellsAlong(
    const GridMetrics &grid, const EditorLayout &layout, int scrollPos, PixelPoint a, PixelPoint b);
