#pragma once

#include "editor/editor_layout.h"

#include <optional>

// The vertical scroll bar's settings in window-system terms: the range
// minimum..maximum, the page that shows at once and the position. A bar that
// cannot scroll is shown disabled.
struct ScrollBarState {
    int minimum;
    int maximum;
    int page;
    int position;
    bool enabled;
};

ScrollBarState ComputeScrollBar(const GridMetrics &grid, const EditorLayout &layout, int scrollPos);

// Scrolls so that line `row` lies wholly inside the rows area, settling with
// the clamp of ComputeLayout. True when the scroll position was set (the
// window then repaints).
bool ScrollToShow(const GridMetrics &grid, const PixelRect &client, int row, int &scrollPos);

// What the user did on the scroll bar.
enum class ScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    EndScroll
};

// The scroll position after a scroll bar action, or nothing for the end of a
// drag. Not clamped: the next layout does that. thumbPos is the thumb's
// position for the thumb actions.
std::optional<int> ScrollPositionAfter(
    ScrollCode code, int scrollPos, int thumbPos, const GridMetrics &grid, const PixelRect &client);
