#include "editor/editor_drag.h"

#include <utility>

void EditorDrag::StartPaint(bool set, PixelPoint point)
{
    m_mode = Mode::Paint;
    m_set = set;
    m_last = point;
}

void EditorDrag::StartSelect(int anchorLine)
{
    m_mode = Mode::Select;
    m_selectAnchor = anchorLine;
}

EditorDrag::Stroke EditorDrag::MovePaint(PixelPoint point, bool shift)
{
    if (m_mode == Mode::Paint) {
        const Stroke stroke { std::exchange(m_last, point), point };
        if (shift) {
            m_mode = Mode::PaintLocked;
            m_anchor = point;
        }
        return stroke;
    }
    const PixelPoint locked = LockedDragPoint(m_anchor, point);
    const Stroke stroke { m_anchor, locked };
    m_last = point;
    if (!shift) {
        m_mode = Mode::Paint;
        m_anchor = locked;
    }
    return stroke;
}
