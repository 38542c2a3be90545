#pragma once

// The LED Editor's grid: pixel height of a line, pixel width of a channel
// cell, and the lines per group that a separator line marks off.
inline constexpr int EDITOR_ROW_HEIGHT = 16;
inline constexpr int EDITOR_CELL_WIDTH = 16;
inline constexpr int EDITOR_GROUP_SIZE = 4;

// Geometry of the LED Editor's grid, in client pixels, from the top-left
// corner of the client area: a title strip, a header row, one line per row,
// margins in the frame colour. The scroll bar sits in the column left of the
// index cells.

// What the layout is made of: the rows in use and the size of the cells.
struct GridMetrics {
    int rowCount;
    int rowHeight;
    int cellWidth;
    int channelCount;
};

// A rectangle as a window system gives it: right and bottom are exclusive.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct EditorLayout {
    // Vertical edges.
    int titleTop;
    int headerTop;
    int rowsTop;
    int rowsBottom;
    int marginBottom;
    // Horizontal edges.
    int leftEdge;
    int scrollLeft;
    int indexLeft;
    int timeLeft;
    int channelLeft;
    int paramLeft;
    int channelRight;
    int rightEdge;
};

// The layout for a client rectangle. First clamps scrollPos: never below 0,
// and never so far that the grid would scroll past its last line while the
// client area has room for more, so a short table ends right below its last
// line.
EditorLayout ComputeLayout(const GridMetrics &grid, const PixelRect &client, int &scrollPos);

// The top of line `line`, in client pixels; lines above the view lie above
// rowsTop.
int LineTop(const GridMetrics &grid, const EditorLayout &layout, int line, int scrollPos);

struct PixelSize {
    int width;
    int height;
};

// The client size that shows every line from scrollPos down to the last one
// with the title, header and margins around them.
PixelSize EditorContentSize(const GridMetrics &grid, int scrollPos);
