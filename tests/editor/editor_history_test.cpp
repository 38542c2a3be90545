#include "editor/editor_history.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

// An editor of one row slot in use, whose state the history captures and
// restores, and that records what the history tells it.
struct FakeEditor : EditorHistoryHost {
    EditorSnapshot state { {}, 1, {}, 0 };
    bool modified = false;
    EditorHistory history { *this };

    EditorSnapshot CaptureState() override { return state; }
    void RestoreStep(EditorStep &step) override
    {
        EditorTable table { state.rows, state.rowCount, state.selection, history, 8 };
        step.Exchange(table, state.currentLine);
    }
    void SetModified(bool isModified) override { modified = isModified; }
    void RowsChanged() override { }

    void Flip(int slot) { state.rows[static_cast<std::size_t>(slot)].pattern ^= 1; }
    // One action of the user under this name.
    void Act(const char *name, const std::function<void()> &change)
    {
        const EditorHistory::Action action(history, [name](const EditorSnapshot &) { return QString(name); });
        change();
    }
};

TEST(EditorHistory, IsTheOneSourceOfTheModifiedState)
{
    const struct {
        const char *what;
        std::function<void(FakeEditor &)> script;
        bool modified;
        const char *undoName;
    } cases[] = {
        { "a change", [](FakeEditor &e) { e.Act("Paint", [&] { e.Flip(0); }); }, true, "Paint" },
        { "a change undone",
            [](FakeEditor &e) {
                e.Act("Paint", [&] { e.Flip(0); });
                e.history.Undo();
            },
            false, "" },
        { "an action that changes nothing", [](FakeEditor &e) { e.Act("Paint", [] {}); }, false, "" },
        { "an edit that changes nothing",
            [](FakeEditor &e) { e.Act("Paint", [&] { e.history.MarkEdited(); }); }, true, "" },
        { "an edit that changes nothing, and a later step undone",
            [](FakeEditor &e) {
                e.Act("Paint", [&] { e.history.MarkEdited(); });
                e.Act("Invert", [&] { e.Flip(0); });
                e.history.Undo();
            },
            true, "" },
        { "a step, an edit that changes nothing, the step undone",
            [](FakeEditor &e) {
                e.Act("Invert", [&] { e.Flip(0); });
                e.Act("Paint", [&] { e.history.MarkEdited(); });
                e.history.Undo();
            },
            false, "" },
        { "an edit outside any action", [](FakeEditor &e) { e.history.MarkEdited(); }, true, "" },
        { "an edit while the action is still open",
            [](FakeEditor &e) {
                e.history.Begin([](const EditorSnapshot &) { return QString("Paint"); });
                e.history.MarkEdited();
            },
            true, "" },
        { "saved, then a step undone",
            [](FakeEditor &e) {
                e.Act("Paint", [&] { e.Flip(0); });
                e.history.MarkSaved();
                e.history.Undo();
            },
            true, "" },
        { "saved, then a step undone and redone",
            [](FakeEditor &e) {
                e.Act("Paint", [&] { e.Flip(0); });
                e.history.MarkSaved();
                e.history.Undo();
                e.history.Redo();
            },
            false, "Paint" },
        { "rows never saved, every step undone",
            [](FakeEditor &e) {
                e.history.Start(false);
                e.Act("Paint", [&] { e.Flip(0); });
                e.history.Undo();
            },
            true, "" },
        { "an action begun inside another splits it",
            [](FakeEditor &e) {
                e.Act("Drag", [&] {
                    e.Flip(0);
                    e.Act("Time", [&] { e.Flip(1); });
                });
                e.history.Undo();
            },
            true, "Drag" },
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.what);
        FakeEditor editor;
        editor.history.Start(true);
        row.script(editor);
        EXPECT_EQ(editor.modified, row.modified);
        EXPECT_EQ(editor.history.UndoName().toStdString(), row.undoName);
    }
}

TEST(EditorHistory, UndoAndRedoExchangeTheRowsOfAStep)
{
    FakeEditor editor;
    editor.history.Start(true);
    editor.Act("Paint", [&] {
        editor.Flip(3);
        editor.state.rowCount = 4;
        editor.state.currentLine = 3;
    });
    const EditorSnapshot after = editor.state;
    editor.history.Undo();
    EXPECT_TRUE(editor.state == (EditorSnapshot { {}, 1, {}, 0 }));
    EXPECT_EQ(editor.history.RedoName().toStdString(), "Paint");
    editor.history.Redo();
    EXPECT_TRUE(editor.state == after);
}

} // namespace
