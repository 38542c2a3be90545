#pragma once

#include "editor/editor_hit_test.h"

// A drag of the mouse in the LED Editor, from button press to release, as a
// state machine: painting channel cells, locked with Shift to one line or one
// channel column, or selecting lines. The window hit-tests and paints; this
// decides which stretch of the grid a move covers.
class EditorDrag
{
public:
    enum class Mode { Idle, Paint, PaintLocked, Select };

    // A move paints the channel cells along from..to; `to` is the cell under
    // the mouse as the drag sees it.
    struct Stroke {
        PixelPoint from;
        PixelPoint to;
    };

    // A paint drag from a channel cell: set switches channels on, else off.
    void StartPaint(bool set, PixelPoint point);
    // A drag in the index or time column from this line.
    void StartSelect(int anchorLine);
    void Stop() { m_mode = Mode::Idle; }

    Mode GetMode() const { return m_mode; }
    bool IsPainting() const { return m_mode == Mode::Paint || m_mode == Mode::PaintLocked; }
    bool Sets() const { return m_set; }
    int SelectAnchor() const { return m_selectAnchor; }

    // The stretch a paint drag covers as the mouse moves to point. A free
    // drag paints from where the mouse was at the last event, so that a fast
    // move leaves no gaps; with Shift held it locks to the line or column
    // where Shift took effect and paints all of it from there; letting go of
    // Shift frees it again from where the lock left it.
    Stroke MovePaint(PixelPoint point, bool shift);

private:
    Mode m_mode = Mode::Idle;
    bool m_set = true;
    // Where the lock took effect, or where it was let go.
    PixelPoint m_anchor {};
    // Where the mouse was at the last event.
    PixelPoint m_last {};
    int m_selectAnchor = 0;
};
