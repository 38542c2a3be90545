// The LED Editor's mouse: painting channel cells, selecting lines, the
// parameter click, the context menu and the wheel.

#include "editor/led_editor_wnd.h"

#include "editor/editor_scrolling.h"
#include "editor/step_names.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>
#include <utility>

namespace
{

// One notch of a mouse wheel, in the units of QWheelEvent::angleDelta.
constexpr int WHEEL_NOTCH = 120;

PixelPoint ToPixelPoint(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    return { point.x(), point.y() };
}

} // namespace

std::optional<GridCell> CLedEditorWnd::ChannelCellAt(PixelPoint point, bool paramMode)
{
    const GridMetrics grid = Metrics();
    const EditorLayout layout = ComputeLayout();
    const GridCell cell { LineAt(grid, layout, m_scrollPos, point.y), ChannelAt(grid, layout, point.x) };
    if (cell.channel < 0 || cell.line < 0)
        return std::nullopt;
    const bool commandLine = m_rows[static_cast<std::size_t>(cell.line)].isCommand != 0;
    if (paramMode != commandLine || (paramMode && !IsParameterColumn(layout, point.x)))
        return std::nullopt;
    return cell;
}

int CLedEditorWnd::PaintCellAt(PixelPoint point, bool set)
{
    const std::optional<GridCell> cell = ChannelCellAt(point, false);
    if (!cell)
        return -1;
    PaintCell(*cell, set);
    EnsureVisible(cell->line);
    // A cell that was lit already counts as an edit all the same.
    m_history.MarkEdited();
    update();
    return cell->line;
}

void CLedEditorWnd::PaintAlong(PixelPoint from, PixelPoint to, bool set)
{
    for (const GridCell &cell : CellsAlong(Metrics(), ComputeLayout(), m_scrollPos, from, to)) {
        if (m_rows[static_cast<std::size_t>(cell.line)].isCommand)
            continue;
        PaintCell(cell, set);
        m_history.MarkEdited();
    }
    update();
}

void CLedEditorWnd::PaintCell(GridCell cell, bool set)
{
    SequenceRow &row = m_rows[static_cast<std::size_t>(cell.line)];
    const std::uint32_t bit = 1U << cell.channel;
    row.pattern = set ? row.pattern | bit : row.pattern & ~bit;
}

bool CLedEditorWnd::OpenParameterEditAt(PixelPoint point)
{
    const std::optional<GridCell> cell = ChannelCellAt(point, true);
    if (!cell)
        return false;
    const int line = cell->line;
    EnsureVisible(line);
    // A click on a parameter counts as an edit, whatever is typed.
    m_history.MarkEdited();
    OpenValueEdit(line, false);
    SelectRange(line, line);
    EnsureVisible(line);
    m_drag.Stop();
    return true;
}

int CLedEditorWnd::HitRowColumn(int x, int y, bool timeColumn)
{
    return RowColumnAt(
        Metrics(), ComputeLayout(), m_scrollPos, { x, y }, timeColumn ? GridColumn::Time : GridColumn::Index);
}

int CLedEditorWnd::LineHit(int x, int y)
{
    const int line = HitRowColumn(x, y, true);
    return line >= 0 ? line : HitRowColumn(x, y, false);
}

void CLedEditorWnd::SelectOnly(int line)
{
    m_selected.Clear();
    m_selected.Select(line);
    update();
}

void CLedEditorWnd::SelectRange(int a, int b)
{
    m_selected.SelectRange(a, b);
    update();
}

void CLedEditorWnd::OnLButtonDown(Qt::KeyboardModifiers, PixelPoint point)
{
    if (BeginPaintDrag(true, point) || OpenParameterEditAt(point))
        return;
    const int line = LineHit(point.x, point.y);
    if (line >= 0) {
        CloseValueEdit(true);
        m_drag.StartSelect(line);
        EnsureVisible(line);
        SelectRange(line, line);
    }
}

void CLedEditorWnd::OnLButtonDblClk(Qt::KeyboardModifiers flags, PixelPoint point)
{
    const int line = HitRowColumn(point.x, point.y, true);
    if (line < 0) {
        OnLButtonDown(flags, point);
        return;
    }
    if (!m_rows[static_cast<std::size_t>(line)].isCommand)
        OpenValueEdit(line, true);
    if (!m_selected.IsSelected(line))
        SelectRange(line, line);
    EnsureVisible(line);
    m_drag.Stop();
}

void CLedEditorWnd::OnRButtonDown(Qt::KeyboardModifiers, PixelPoint point)
{
    if (BeginPaintDrag(false, point))
        return;
    const int line = LineHit(point.x, point.y);
    if (line >= 0)
        ShowContextMenu(line, point);
}

void CLedEditorWnd::ShowContextMenu(int line, PixelPoint point)
{
    CloseValueEdit(true);
    int selectedLines = 1;
    if (m_selected.IsSelected(line))
        selectedLines = m_selected.Count(Metrics().rowCount);
    else
        SelectRange(line, line);
    m_contextMenu.SetHistory(m_history.UndoName(), m_history.RedoName());
    const std::optional<int> chosen
        = m_contextMenu.Track(selectedLines >= 2, mapToGlobal(QPoint(point.x, point.y)));
    if (chosen)
        OnCommand(*chosen);
}

void CLedEditorWnd::OnMouseMove(Qt::KeyboardModifiers flags, PixelPoint point)
{
    if (m_drag.IsPainting()) {
        const bool set = m_drag.Sets();
        const EditorDrag::Stroke stroke = m_drag.MovePaint(point, flags.testFlag(Qt::ShiftModifier));
        PaintAlong(stroke.from, stroke.to, set);
        const int line = PaintCellAt(stroke.to, set);
        if (line >= 0)
            SelectOnly(line);
    } else if (m_drag.GetMode() == EditorDrag::Mode::Select) {
        const int line = LineHit(point.x, point.y);
        if (line >= 0) {
            SelectRange(m_drag.SelectAnchor(), line);
            EnsureVisible(line);
        }
    }
}

bool CLedEditorWnd::BeginPaintDrag(bool set, PixelPoint point)
{
    FinishDrag();
    if (!ChannelCellAt(point, false))
        return false;
    // What was typed is applied before the first cell changes: it is a step
    // of its own.
    CloseValueEdit(true);
    m_history.Begin([set](const EditorSnapshot &) { return DragStepName(set); });
    m_dragStep = true;
    m_drag.StartPaint(set, point);
    SelectOnly(PaintCellAt(point, set));
    return true;
}

void CLedEditorWnd::FinishDrag()
{
    if (std::exchange(m_dragStep, false))
        m_history.End();
}

void CLedEditorWnd::OnButtonUp()
{
    m_drag.Stop();
    FinishDrag();
}

void CLedEditorWnd::mousePressEvent(QMouseEvent *event)
{
    // The window keeps the mouse while a button is down, as a captured
    // mouse does.
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->modifiers(), ToPixelPoint(*event));
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(event->modifiers(), ToPixelPoint(*event));
}

void CLedEditorWnd::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(event->modifiers(), ToPixelPoint(*event));
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(event->modifiers(), ToPixelPoint(*event));
}

void CLedEditorWnd::mouseMoveEvent(QMouseEvent *event)
{
    OnMouseMove(event->modifiers(), ToPixelPoint(*event));
}

void CLedEditorWnd::mouseReleaseEvent(QMouseEvent *)
{
    OnButtonUp();
}

void CLedEditorWnd::wheelEvent(QWheelEvent *event)
{
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / WHEEL_NOTCH;
    m_wheelRemainder -= notches * WHEEL_NOTCH;
    const ScrollCode code = notches > 0 ? ScrollCode::LineUp : ScrollCode::LineDown;
    for (int step = 0; step < std::abs(notches) * QApplication::wheelScrollLines(); ++step)
        OnVScroll(code, 0, m_scrollBar);
    event->accept();
}
