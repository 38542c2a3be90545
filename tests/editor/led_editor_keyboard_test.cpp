#include "led_editor_wnd_test.h"

#include "core/sequence_row.h"

#include <QMenu>
#include <QTest>

TEST_F(LedEditorWndTest, TheKeyboardFindsALineMovesItEditsItAndOpensItsPopup)
{
    // Twenty lines in a window that shows nine of them; line 0 has a pattern
    // of its own and line 4 is a command.
    auto editor = Editor(20, 232, 180);
    editor->m_rows[0].pattern = 0x05;
    editor->m_rows[4] = { 1, 0, 0, CMD_GOTO, 2 };
    editor->show();
    editor->activateWindow();
    editor->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    // Getting the keyboard selects line 0, and its pattern shows.
    EXPECT_TRUE(Selection(*editor).IsSelected(0));
    EXPECT_EQ(editor->CurrentLine(), 0);
    EXPECT_EQ(editor->GetCurrentPattern(), 0x05u);

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int current, first, last;
    } rows[] = {
        { Qt::Key_End, Qt::NoModifier, 19, 19, 19 },
        { Qt::Key_Home, Qt::NoModifier, 0, 0, 0 },
        { Qt::Key_Down, Qt::NoModifier, 1, 1, 1 },
        { Qt::Key_PageDown, Qt::NoModifier, 10, 10, 10 },
        { Qt::Key_Up, Qt::ShiftModifier, 9, 9, 10 },
        { Qt::Key_PageUp, Qt::ShiftModifier, 0, 0, 10 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(QKeySequence(row.key | row.modifiers).toString().toStdString());
        QTest::keyClick(editor.get(), row.key, row.modifiers);
        EXPECT_EQ(editor->CurrentLine(), row.current);
        EXPECT_EQ(Selection(*editor).First(20), row.first);
        EXPECT_EQ(Selection(*editor).Last(20), row.last);
    }

    // F2 edits the current line; the menu keys open its popup.
    int popups = 0;
    ContextMenu(*editor).SetExecHook([&popups](QMenu &, const QPoint &) {
        ++popups;
        return nullptr;
    });

    // The time of a pattern line, the parameter of a command; Home and End
    // then belong to the edit.
    for (const int line : { 3, 4 }) {
        SCOPED_TRACE(line);
        QTest::keyClick(editor.get(), Qt::Key_Home);
        for (int step = 0; step < line; ++step)
            QTest::keyClick(editor.get(), Qt::Key_Down);
        QTest::keyClick(editor.get(), Qt::Key_F2);
        ASSERT_NE(ValueEdit(*editor), nullptr);
        const SequenceRow &row = editor->m_rows[static_cast<std::size_t>(line)];
        EXPECT_EQ(ValueEdit(*editor)->text(), QString::number(line == 4 ? row.parameter : row.time));
        EXPECT_EQ(ValueEdit(*editor)->accessibleName(), line == 4 ? "parameter" : "time");
        QTest::keyClick(ValueEdit(*editor), Qt::Key_End);
        EXPECT_EQ(editor->CurrentLine(), line);
        QTest::keyClick(ValueEdit(*editor), Qt::Key_Escape);
        EXPECT_EQ(ValueEdit(*editor), nullptr);
    }

    QTest::keyClick(editor.get(), Qt::Key_Menu);
    QTest::keyClick(editor.get(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(editor->CurrentLine(), 4);
}
