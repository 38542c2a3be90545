// The LED Editor's keyboard beyond its accelerators: the current line and
// its focus frame, Home, End, Page Up and Page Down, the context menu and the
// value edit by key, and what a screen reader is told of the lines.

#include "editor/led_editor_wnd.h"

#include "editor/editor_keyboard.h"
#include "editor/editor_layout.h"
#include "editor/led_editor_accessible.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

#include <algorithm>
#include <optional>
#include <utility>

namespace
{

std::optional<LineKey> LineKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Home: return LineKey::Home;
    case Qt::Key_End: return LineKey::End;
    case Qt::Key_PageUp: return LineKey::PageUp;
    case Qt::Key_PageDown: return LineKey::PageDown;
    default: return std::nullopt;
    }
}

} // namespace

void CLedEditorWnd::ShowContextMenuAtCurrentLine()
{
    const int line = CurrentLine();
    if (line < 0)
        return;
    EnsureVisible(line);
    const QRect index = CellsRect(line, 0, 0);
    ShowContextMenu(line, { index.left(), index.bottom() });
}

int CLedEditorWnd::CurrentLine() const
{
    const int count = Metrics().rowCount;
    if (m_currentLine >= 0 && m_currentLine < count && m_selected.IsSelected(m_currentLine))
        return m_currentLine;
    return m_selected.First(count);
}

QRect CLedEditorWnd::CellsRect(int line, int first, int last)
{
    if (line < 0)
        return {};
    const EditorLayout layout = ComputeLayout();
    const int edges[] = { layout.indexLeft, layout.timeLeft, layout.channelLeft };
    const auto leftOf = [&](int column) {
        return column < 2 ? edges[column] : layout.channelLeft + (column - 2) * m_cellWidth;
    };
    const int left = leftOf(first);
    const int right = last + 1 < 3 ? edges[last + 1] : leftOf(last + 1);
    return { left, LineTop(Metrics(), layout, line, m_scrollPos), right - left, m_rowHeight };
}

void CLedEditorWnd::keyPressEvent(QKeyEvent *event)
{
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const std::optional<LineKey> lineKey = LineKeyOf(event->key());
    if (lineKey && (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) {
        OnLineKey(*lineKey, shift);
    } else if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && shift)) {
        ShowContextMenuAtCurrentLine();
    } else if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        const int line = CurrentLine();
        if (line >= 0)
            OpenValueEdit(line, !m_rows[static_cast<std::size_t>(line)].isCommand);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CLedEditorWnd::OnLineKey(LineKey key, bool extend)
{
    const int count = Metrics().rowCount;
    if (count == 0)
        return;
    const EditorLayout layout = ComputeLayout();
    const LineMove move = MoveLine(key, extend, m_selected.First(count), m_selected.Last(count), count,
        (layout.marginBottom - layout.rowsTop) / std::max(1, m_rowHeight));
    // Without Shift the value edit goes along, as with Up and Down.
    if (!extend && IsValueEditOpen()) {
        CloseValueEdit(true);
        OpenValueEdit(move.line, !m_rows[static_cast<std::size_t>(move.line)].isCommand);
    } else {
        CloseValueEdit(true);
    }
    SelectRange(move.anchor, move.line);
    EnsureVisible(move.line);
    ReportCurrentLine();
}

void CLedEditorWnd::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // The keyboard needs a line to act on. The view stays where it is: a
    // click that brought the focus must hit the line under the mouse.
    if (m_selected.First(Metrics().rowCount) < 0 && Metrics().rowCount > 0) {
        SelectRange(0, 0);
        MakeCurrent(0);
    }
    update();
    // After Qt has told a screen reader that the grid has the focus: the
    // line is what it should read.
    m_reportedLine = -1;
    QMetaObject::invokeMethod(this, &CLedEditorWnd::ReportCurrentLine, Qt::QueuedConnection);
}

void CLedEditorWnd::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void CLedEditorWnd::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Keyboard)
        ShowContextMenuAtCurrentLine();
    event->accept();
}

void CLedEditorWnd::ReportCurrentLine()
{
    const int line = CurrentLine();
    if (line == m_reportedLine || !hasFocus())
        return;
    m_reportedLine = line;
    ReportFocusedLine(*this, line);
}

void CLedEditorWnd::ReportRowCount()
{
    const int count = Metrics().rowCount;
    const int before = std::exchange(m_reportedRowCount, count);
    if (count != before)
        ReportRowCountChange(*this, std::clamp(CurrentLine(), 0, std::min(count, before)), before, count);
}
