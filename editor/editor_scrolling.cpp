#include "editor/editor_scrolling.h"

namespace
{

// EnsureVisible repeats its steps so that the end-of-table clamp of the
// layout can settle.
constexpr int SETTLE_PASSES = 3;

// A line step of the scroll bar, and what a page step leaves out of the
// client height.
constexpr int LINE_STEP = 16;
constexpr int PAGE_OVERLAP = 44;

bool ScrollToShowTop(const GridMetrics &grid, const PixelRect &client, int row, int &scrollPos)
{
    bool moved = false;
    for (int pass = 0; pass < SETTLE_PASSES; ++pass) {
        const EditorLayout layout = ComputeLayout(grid, client, scrollPos);
        if (LineTop(grid, layout, row, scrollPos) >= layout.rowsTop)
            break;
        scrollPos = row * grid.rowHeight;
        moved = true;
    }
    return moved;
}

bool ScrollToShowBottom(const GridMetrics &grid, const PixelRect &client, int row, int &scrollPos)
{
    bool moved = false;
    for (int pass = 0; pass < SETTLE_PASSES; ++pass) {
        const EditorLayout layout = ComputeLayout(grid, client, scrollPos);
        if (LineTop(grid, layout, row, scrollPos) + grid.rowHeight <= layout.rowsBottom)
            break;
        scrollPos = (row + 1) * grid.rowHeight + layout.rowsTop - layout.rowsBottom;
        moved = true;
    }
    return moved;
}

} // namespace

ScrollBarState ComputeScrollBar(const GridMetrics &grid, const EditorLayout &layout, int scrollPos)
{
    ScrollBarState state {};
    state.minimum = 0;
    state.maximum = grid.rowCount * grid.rowHeight;
    // A window shorter than the header has no rows area; its page is empty.
    state.page = layout.rowsBottom > layout.rowsTop ? layout.rowsBottom - layout.rowsTop : 0;
    state.position = scrollPos;
    // A page as large as the range would still leave one step to scroll.
    if (state.position == 0 && state.page >= state.maximum)
        state.page = state.maximum + 1;
    state.enabled = state.page <= state.maximum - state.minimum;
    return state;
}

bool ScrollToShow(const GridMetrics &grid, const PixelRect &client, int row, int &scrollPos)
{
    const bool up = ScrollToShowTop(grid, client, row, scrollPos);
    const bool down = ScrollToShowBottom(grid, client, row, scrollPos);
    return up || down;
}

std::optional<int> ScrollPositionAfter(
    ScrollCode code, int scrollPos, int thumbPos, const GridMetrics &grid, const PixelRect &client)
{
    int page = client.bottom - client.top - PAGE_OVERLAP;
    if (page < 0)
        page = 0;

    switch (code) {
    case ScrollCode::LineUp: return scrollPos - LINE_STEP;
    case ScrollCode::LineDown: return scrollPos + LINE_STEP;
    case ScrollCode::PageUp: return scrollPos - page;
    case ScrollCode::PageDown: return scrollPos + page;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: return thumbPos;
    case ScrollCode::Top: return 0;
    // Past the end: the layout pulls the last line back to the bottom.
    case ScrollCode::Bottom: return grid.rowCount * grid.rowHeight;
    case ScrollCode::EndScroll: break;
    }
    return std::nullopt;
}
