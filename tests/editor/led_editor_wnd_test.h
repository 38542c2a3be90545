#pragma once

#include "editor/editor_accelerators.h"
#include "editor/led_editor_wnd.h"
#include "editor/value_edit.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

// Sees the editor's selection, scroll position and scroll bar, its value
// edit, context menu, undo history and keys.
class LedEditorWndTest : public ::testing::Test
{
public:
    static EditorSelection &Selection(CLedEditorWnd &editor) { return editor.m_selected; }
    static int &ScrollPos(CLedEditorWnd &editor) { return editor.m_scrollPos; }
    static QScrollBar &ScrollBar(CLedEditorWnd &editor) { return *editor.m_scrollBar; }
    static CValueEdit *ValueEdit(CLedEditorWnd &editor) { return editor.m_valueEdit; }
    static EditorContextMenu &ContextMenu(CLedEditorWnd &editor) { return editor.m_contextMenu; }
    static const EditorHistory &History(CLedEditorWnd &editor) { return editor.m_history; }
    // All that an undo step restores.
    static EditorSnapshot State(CLedEditorWnd &editor) { return editor.CaptureState(); }
    static std::optional<int> KeyCommand(CLedEditorWnd &editor, const QKeyEvent &event)
    {
        return editor.m_accel->CommandOf(event);
    }

    // The middle of a line's cells, of its index and time cells, and of a
    // channel cell.
    static constexpr int INDEX_X = 40;
    static constexpr int TIME_X = 80;
    static constexpr int CHANNEL_X = 108; // channel 0; channel j is 16 j further
    static int LineY(int line) { return 24 + 16 * line + 8; }
    static QPoint Cell(int line, int channel) { return { CHANNEL_X + 16 * channel, LineY(line) }; }

    // A move of the mouse with the left button held.
    static void Move(CLedEditorWnd &editor, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent move(
            QEvent::MouseMove, point, editor.mapToGlobal(point), Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(&editor, &move);
    }

    // An editor of `rows` lines with all channels off, at a client size.
    static std::unique_ptr<CLedEditorWnd> Editor(int rows, int width, int height)
    {
        auto editor = std::make_unique<CLedEditorWnd>();
        editor->Configure(8, rows);
        editor->resize(width, height);
        return editor;
    }
};
