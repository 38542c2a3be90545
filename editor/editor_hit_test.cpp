#include "editor/editor_hit_test.h"

#include <cstdlib>

namespace
{

// Rounds towards minus infinity, as the cell of a point left of or above the
// grid must be.
int FloorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

bool IsCellShown(const GridMetrics &grid, const EditorLayout &layout, int scrollPos, GridCell cell)
{
    if (cell.channel < 0 || cell.channel >= grid.channelCount || cell.line < 0 || cell.line >= grid.rowCount)
        return false;
    const int top = LineTop(grid, layout, cell.line, scrollPos);
    return top < layout.rowsBottom && top + grid.rowHeight > layout.rowsTop;
}

} // namespace

int LineAt(const GridMetrics &grid, const EditorLayout &layout, int scrollPos, int y)
{
    if (y < layout.rowsTop || y >= layout.rowsBottom || grid.rowHeight <= 0)
        return -1;
    const int line = (y - layout.rowsTop + scrollPos) / grid.rowHeight;
    return line < grid.rowCount ? line : -1;
}

int RowColumnAt(
    const GridMetrics &grid, const EditorLayout &layout, int scrollPos, PixelPoint point, GridColumn column)
{
    const int left = column == GridColumn::Time ? layout.timeLeft : layout.indexLeft;
    const int right = column == GridColumn::Time ? layout.channelLeft : layout.timeLeft;
    if (point.x < left || point.x >= right)
        return -1;
    return LineAt(grid, layout, scrollPos, point.y);
}

int ChannelAt(const GridMetrics &grid, const EditorLayout &layout, int x)
{
    if (x < layout.channelLeft || x >= layout.channelRight || grid.cellWidth <= 0)
        return -1;
    return (x - layout.channelLeft) / grid.cellWidth;
}

bool IsParameterColumn(const EditorLayout &layout, int x)
{
    return x >= layout.paramLeft && x < layout.channelRight;
}

PixelPoint LockedDragPoint(PixelPoint anchor, PixelPoint point)
{
    if (std::abs(point.x - anchor.x) > std::abs(point.y - anchor.y))
        return { point.x, anchor.y };
    return { anchor.x, point.y };
}

std::vector<GridCell> CellsAlong(
    const GridMetrics &grid, const EditorLayout &layout, int scrollPos, PixelPoint a, PixelPoint b)
{
    std::vector<GridCell> cells;
    if (grid.cellWidth <= 0 || grid.rowHeight <= 0)
        return cells;
    // In half pixels from the corner of channel 0 on line 0, so that a pixel's
    // centre never lies on a cell edge.
    const int width = 2 * grid.cellWidth;
    const int height = 2 * grid.rowHeight;
    const int x0 = 2 * (a.x - layout.channelLeft) + 1;
    const int y0 = 2 * (a.y - layout.rowsTop + scrollPos) + 1;
    const int dx = 2 * (b.x - a.x);
    const int dy = 2 * (b.y - a.y);
    const int stepX = Sign(dx);
    const int stepY = Sign(dy);
    GridCell cell { FloorDiv(y0, height), FloorDiv(x0, width) };
    const GridCell last { FloorDiv(y0 + dy, height), FloorDiv(x0 + dx, width) };

    const auto visit = [&](GridCell visited) {
        if (IsCellShown(grid, layout, scrollPos, visited))
            cells.push_back(visited);
    };
    visit(cell);
    while (!(cell == last)) {
        // Which edge the line crosses first: compare the distances to the
        // next vertical and horizontal edge, each in units of the line's
        // run along it.
        const int edgeX = (stepX > 0 ? cell.channel + 1 : cell.channel) * width;
        const int edgeY = (stepY > 0 ? cell.line + 1 : cell.line) * height;
        const long acrossX = std::labs(long(edgeX - x0) * dy);
        const long acrossY = std::labs(long(edgeY - y0) * dx);
        const bool crossX = cell.channel != last.channel && (cell.line == last.line || acrossX <= acrossY);
        const bool crossY = cell.line != last.line && (cell.channel == last.channel || acrossY <= acrossX);
        cell.channel += crossX ? stepX : 0;
        cell.line += crossY ? stepY : 0;
        visit(cell);
    }
    return cells;
}
