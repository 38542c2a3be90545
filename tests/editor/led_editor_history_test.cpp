#include "led_editor_wnd_test.h"

#include "editor/editor_command_ids.h"
#include "editor/sequence_check_wnd.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QTest>

#include <functional>
#include <vector>

namespace
{

// Six lines from a file: patterns 0..5, a GOTO 5 in line 4.
std::unique_ptr<CLedEditorWnd> SixLinesFromAFile()
{
    auto editor = LedEditorWndTest::Editor(6, 232, 200);
    for (int line = 0; line < 6; ++line)
        editor->m_rows[std::size_t(line)] = { 0, std::uint32_t(line), 1, 0, 0 };
    editor->m_rows[4] = { 1, 0, 1, CMD_GOTO, 5 };
    editor->StartHistory(true);
    return editor;
}

// A key pressed where the user would: in the value edit while it is open.
void Key(CLedEditorWnd &wnd, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *edit = LedEditorWndTest::ValueEdit(wnd);
    QTest::keyClick(edit ? edit : &wnd, key, modifiers);
}

} // namespace

TEST_F(LedEditorWndTest, UndoAndRedoWalkAMixedSequenceOfStepsBackAndForth)
{
    auto editor = SixLinesFromAFile();
    CLedEditorWnd &wnd = *editor;
    const auto type = [&](const char *value) {
        ASSERT_NE(ValueEdit(wnd), nullptr);
        ValueEdit(wnd)->setText(value);
        Key(wnd, Qt::Key_Return, Qt::ShiftModifier);
    };
    QApplication::clipboard()->setText("00000300..*\r\n00000400...*\r\n");

    const auto select = [&wnd](int first, int last) { Selection(wnd).SelectRange(first, last); };
    const auto editTime = [&wnd](int line) {
        QTest::mouseDClick(&wnd, Qt::LeftButton, Qt::NoModifier, { TIME_X, LineY(line) });
    };
    // What the user does before an action (selecting lines, opening the
    // value edit) and the action.
    const struct {
        const char *step;
        std::function<void()> prepare;
        std::function<void()> act;
    } actions[] = {
        { "Toggle channel 3", [&] { select(1, 1); }, [&] { Key(wnd, Qt::Key_3, Qt::AltModifier); } },
        { "Paint", [] {},
            [&] {
                // A fast drag across line 2: one move from channel 1 to 8.
                QTest::mousePress(&wnd, Qt::LeftButton, Qt::NoModifier, Cell(2, 0));
                Move(wnd, Cell(2, 7) + QPoint(0, 5));
                QTest::mouseRelease(&wnd, Qt::LeftButton, Qt::NoModifier, Cell(2, 7));
            } },
        { "Invert", [] {}, [&] { Key(wnd, Qt::Key_I, Qt::ControlModifier); } },
        { "Delete 2 lines", [&] { select(0, 1); }, [&] { Key(wnd, Qt::Key_Delete); } },
        { "Insert 1 empty line", [&] { select(0, 0); }, [&] { Key(wnd, Qt::Key_Insert); } },
        { "GOTO", [&] { select(1, 1); }, [&] { Key(wnd, Qt::Key_G, Qt::ShiftModifier); } },
        { "Parameter 2", [&] { QTest::mouseClick(&wnd, Qt::LeftButton, Qt::NoModifier, Cell(1, 6)); },
            [&] { type("2"); } },
        { "Insert 2 lines from the clipboard", [&] { select(2, 2); },
            [&] { Key(wnd, Qt::Key_V, Qt::ControlModifier); } },
        { "Time 44", [&] { editTime(0); }, [&] { type("44"); } },
        { "Blink command", [&] { select(1, 1); }, [&] { Key(wnd, Qt::Key_B, Qt::ControlModifier); } },
        { "Mirror", [&] { select(2, 3); }, [&] { Key(wnd, Qt::Key_S, Qt::ControlModifier); } },
        { "DIM", [&] { select(3, 3); }, [&] { Key(wnd, Qt::Key_D, Qt::ShiftModifier); } },
        { "Cut 1 line", [&] { select(4, 4); }, [&] { Key(wnd, Qt::Key_X, Qt::ControlModifier); } },
        { "Chaser", [&] { select(3, 3); },
            [&] {
                EXPECT_TRUE(wnd.InsertRowsAsStep({ { 0, 1, 2, 0, 0 }, { 0, 2, 2, 0, 0 } }, "Chaser"));
            } },
    };
    std::vector<EditorSnapshot> before;
    for (const auto &action : actions) {
        action.prepare();
        before.push_back(State(wnd));
        action.act();
        EXPECT_EQ(History(wnd).UndoName(), action.step);
    }
    EXPECT_EQ(wnd.m_modified, 1);
    const EditorSnapshot last = State(wnd);

    // Undo goes back to where each action began; redo to where the user was
    // when the next one was undone.
    for (std::size_t step = before.size(); step-- > 0;) {
        Key(wnd, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(State(wnd) == before[step]) << "undo " << actions[step].step;
        EXPECT_EQ(History(wnd).RedoName(), actions[step].step);
    }
    EXPECT_EQ(wnd.m_modified, 0) << "back where the file was";
    EXPECT_EQ(History(wnd).UndoName(), "");
    for (std::size_t step = 0; step < before.size(); ++step) {
        Key(wnd, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_TRUE(State(wnd) == (step + 1 < before.size() ? before[step + 1] : last))
            << "redo " << actions[step].step;
    }
    EXPECT_EQ(wnd.m_modified, 1);

    // Undo in the value edit applies what was typed as a step, then takes it
    // back.
    editTime(0);
    const EditorSnapshot opened = State(wnd);
    ASSERT_NE(ValueEdit(wnd), nullptr);
    ValueEdit(wnd)->setText("7");
    Key(wnd, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ValueEdit(wnd), nullptr);
    EXPECT_TRUE(State(wnd) == opened);
    EXPECT_EQ(History(wnd).RedoName(), "Time 7");
}

// Moving the selection adds no step; the rows last saved are unmodified
// however they are reached (Ctrl+Shift+Z redoes); rows the document held
// unsaved start modified with nothing to undo.
TEST_F(LedEditorWndTest, TheModifiedStateFollowsTheStepsNotTheSelection)
{
    auto editor = SixLinesFromAFile();
    Selection(*editor).Select(2);
    Key(*editor, Qt::Key_I, Qt::ControlModifier);
    Key(*editor, Qt::Key_Up);
    Key(*editor, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(History(*editor).UndoName(), "Invert");
    editor->MarkSaved();
    Key(*editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(History(*editor).UndoName(), "");
    Key(*editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor->m_modified, 0);

    editor->StartHistory(false);
    EXPECT_EQ(editor->m_modified, 1);
    EXPECT_EQ(History(*editor).UndoName(), "");
    EXPECT_EQ(History(*editor).RedoName(), "");
}

TEST_F(LedEditorWndTest, AnOpenCheckWindowFollowsEveryChangeOfTheRows)
{
    auto editor = SixLinesFromAFile();
    ASSERT_TRUE(editor->OnCommand(ID_MENU_CHECK_SEQUENCE));
    const auto findings = [&editor] {
        QStringList lines;
        const auto *list = editor->findChild<CSequenceCheckWnd *>()->findChild<QListWidget *>();
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    };
    const QStringList clean = findings();

    // A GOTO past the last line, typed as its parameter.
    QTest::mouseClick(editor.get(), Qt::LeftButton, Qt::NoModifier, Cell(4, 6));
    ASSERT_NE(ValueEdit(*editor), nullptr);
    ValueEdit(*editor)->setText("9");
    QTest::keyClick(ValueEdit(*editor), Qt::Key_Return, Qt::ShiftModifier);
    const QStringList jumping = findings();
    EXPECT_NE(jumping, clean);
    EXPECT_TRUE(jumping.join('\n').contains("row 4")) << jumping.join('\n').toStdString();

    QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(findings(), clean);
    editor->StartHistory(true);
    EXPECT_EQ(findings(), clean);
}

TEST_F(LedEditorWndTest, ClicksThatChangeNoRowStillMakeTheSavedRowsModified)
{
    const struct {
        const char *what;
        Qt::MouseButton button;
        QPoint point;
    } clicks[] = {
        { "left on a lit cell", Qt::LeftButton, Cell(1, 0) },
        { "right on a dark cell", Qt::RightButton, Cell(1, 1) },
        { "left on a parameter", Qt::LeftButton, Cell(4, 6) },
    };
    for (const auto &click : clicks) {
        SCOPED_TRACE(click.what);
        auto editor = SixLinesFromAFile();
        const EditorSnapshot before = State(*editor);
        QTest::mouseClick(editor.get(), click.button, Qt::NoModifier, click.point);
        EXPECT_TRUE(State(*editor).rows == before.rows);
        EXPECT_EQ(editor->m_modified, 1);
        EXPECT_EQ(History(*editor).UndoName(), "");
    }
}
