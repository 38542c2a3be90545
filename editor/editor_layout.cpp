#include "editor/editor_layout.h"

namespace
{

// Vertical edges: a 4-pixel title strip, a 20-pixel header row, a 4-pixel
// bottom margin.
constexpr int TITLE_TOP = 0;
constexpr int HEADER_TOP = 4;
constexpr int ROWS_TOP = 24;
constexpr int BOTTOM_MARGIN = 4;

// Horizontal edges: a 4-pixel frame, the 16-pixel scroll bar, 40-pixel index
// and time columns, the channel cells and a 4-pixel right margin. The
// parameter cell of a command line takes the last 40 pixels of the channel
// cells.
constexpr int LEFT_EDGE = 0;
constexpr int SCROLL_LEFT = 4;
constexpr int INDEX_LEFT = 20;
constexpr int TIME_LEFT = 60;
constexpr int CHANNEL_LEFT = 100;
constexpr int PARAM_WIDTH = 40;
constexpr int RIGHT_MARGIN = 4;

int ContentBottom(const GridMetrics &grid, int scrollPos)
{
    return grid.rowCount * grid.rowHeight - scrollPos + ROWS_TOP;
}

} // namespace

EditorLayout ComputeLayout(const GridMetrics &grid, const PixelRect &client, int &scrollPos)
{
    if (scrollPos < 0)
        scrollPos = 0;

    int rowsBottom = client.bottom - client.top - BOTTOM_MARGIN;
    const int contentBottom = ContentBottom(grid, scrollPos);
    if (contentBottom < rowsBottom) {
        scrollPos += contentBottom - rowsBottom;
        if (scrollPos < 0)
            scrollPos = 0;
        rowsBottom = ContentBottom(grid, scrollPos);
    }

    const int channelRight = CHANNEL_LEFT + grid.channelCount * grid.cellWidth;
    EditorLayout layout {};
    layout.titleTop = TITLE_TOP;
    layout.headerTop = HEADER_TOP;
    layout.rowsTop = ROWS_TOP;
    layout.rowsBottom = rowsBottom;
    layout.marginBottom = rowsBottom + BOTTOM_MARGIN;
    layout.leftEdge = LEFT_EDGE;
    layout.scrollLeft = SCROLL_LEFT;
    layout.indexLeft = INDEX_LEFT;
    layout.timeLeft = TIME_LEFT;
    layout.channelLeft = CHANNEL_LEFT;
    layout.paramLeft = channelRight - PARAM_WIDTH;
    layout.channelRight = channelRight;
    layout.rightEdge = channelRight + RIGHT_MARGIN;
    return layout;
}

int LineTop(const GridMetrics &grid, const EditorLayout &layout, int line, int scrollPos)
{
    return line * grid.rowHeight - scrollPos + layout.rowsTop;
}

PixelSize EditorContentSize(const GridMetrics &grid, int scrollPos)
{
    return { CHANNEL_LEFT + grid.channelCount * grid.cellWidth + RIGHT_MARGIN,
        ContentBottom(grid, scrollPos) + BOTTOM_MARGIN };
}
