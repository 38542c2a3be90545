#include "editor/editor_hit_test.h"

#include <cstdlib>

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
