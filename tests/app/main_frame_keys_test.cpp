#include "app/main_frame_keys.h"

#include "platform/command_table.h"
#include "platform/resource_ids.h"

#include <QAction>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace
{

// A main window and an editor window with the program's keys, and a
// command table that counts what runs; Start is disabled.
class MainFrameKeysTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const MainWindowKey &key : MainWindowKeys()) {
            const int id = key.command;
            commands.OnCommand(id, [this, id] { ++runs[id]; });
            commands.OnUpdateCommandUI(id, [id](CCmdUI &ui) { ui.Enable(id != ID_START_SIMULATION); });
        }
        new MainFrameKeys(commands, frame, [this] { return editorOpen ? &editor : nullptr; });
    }

    void Activate(QWidget &window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    CommandTable commands;
    QMainWindow frame;
    QWidget editor { nullptr, Qt::Tool };
    bool editorOpen = true;
    std::map<int, int> runs;
};

} // namespace

// Pressed as the user does, key and modifiers; opening and saving the file
// concern the main window only.
TEST_F(MainFrameKeysTest, EachKeyRunsItsCommandInTheMainWindowAndTheFreeOnesInTheEditor)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int command;
        bool inEditor;
    } presses[] = {
        { Qt::Key_O, Qt::ControlModifier, ID_FILE_OPEN, false },
        { Qt::Key_S, Qt::ControlModifier, ID_FILE_SAVE, false },
        { Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, ID_FILE_SAVE_AS, true },
        { Qt::Key_F5, Qt::ShiftModifier, ID_STOP_SIMULATION, true },
        { Qt::Key_U, Qt::ControlModifier, ID_UPLOAD, true },
        { Qt::Key_F1, Qt::NoModifier, ID_GOTO_SITE, true },
    };
    Activate(editor);
    Activate(frame);
    for (QWidget *window : { static_cast<QWidget *>(&frame), &editor }) {
        Activate(*window);
        for (const auto &press : presses) {
            SCOPED_TRACE(testing::Message() << QKeySequence(press.key | press.modifiers).toString().toStdString()
                                            << (window == &editor ? " in the editor" : ""));
            runs.clear();
            QTest::keyClick(window, press.key, press.modifiers);
            EXPECT_EQ(runs[press.command], window == &frame || press.inEditor ? 1 : 0);
        }
        // A disabled command does not run.
        QTest::keyClick(window, Qt::Key_F5);
        EXPECT_EQ(runs[ID_START_SIMULATION], 0);
    }
    // Ctrl+Q closes the main window, from the editor too.
    QTest::keyClick(&editor, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainFrameKeysTest, F6AndCtrlEMoveTheKeyboardBetweenTheWindows)
{
    Activate(editor);
    Activate(frame);
    QTest::keyClick(&frame, Qt::Key_F6);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
    QTest::keyClick(&editor, Qt::Key_F6);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    // With the editor open, Ctrl+E fetches it; without, it opens one.
    QTest::keyClick(&frame, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
    EXPECT_EQ(runs[ID_OPEN_EDITOR], 0);
    editorOpen = false;
    Activate(frame);
    QTest::keyClick(&frame, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(runs[ID_OPEN_EDITOR], 1);
}

TEST(MainWindowKeys, EveryKeyIsUnique)
{
    std::map<QString, int> seen;
    for (const MainWindowKey &key : MainWindowKeys())
        EXPECT_EQ(++seen[QString::fromLatin1(key.keys)], 1) << key.keys;
}

TEST_F(MainFrameKeysTest, TheMainWindowKeepsTheKeyboardUntilTheUserActs)
{
    struct ActivationSpy : QObject {
        int activations = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            activations += event->type() == QEvent::WindowActivate ? 1 : 0;
            return false;
        }
    } spy;
    editor.installEventFilter(&spy);
    Activate(frame);
    // An editor that takes the keyboard before any key or click hands it
    // back, as one opened with the program would.
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&spy] { return spy.activations == 1; }));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    // Once the user acts, it keeps it.
    QTest::keyClick(&frame, Qt::Key_X);
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&spy] { return spy.activations == 2; }));
    QTest::qWait(20);
    EXPECT_TRUE(editor.isActiveWindow());
}
