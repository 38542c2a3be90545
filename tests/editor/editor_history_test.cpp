#include "editor/editor_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

// What the user does, as the history sees it.
enum class Op {
    Paint, // an action that changes a row, named "Paint"
    Invert, // another, named "Invert"
    Touch, // an action that changes nothing but counts as an edit
    Look, // an action that changes and marks nothing
    MarkOutside, // an edit marked with no action open
    OpenTouch, // an action that marks an edit and is still open
    TimeInDrag, // a drag that paints, with a typed value applied within it
    Undo,
    Redo,
    Save,
    LoadUnsaved, // rows the document held unsaved copied in
};

void Do(FakeEditor &e, Op op)
{
    switch (op) {
    case Op::Paint: e.Act("Paint", [&] { e.Flip(0); }); break;
    case Op::Invert: e.Act("Invert", [&] { e.Flip(1); }); break;
    case Op::Touch: e.Act("Paint", [&] { e.history.MarkEdited(); }); break;
    case Op::Look: e.Act("Paint", [] {}); break;
    case Op::MarkOutside: e.history.MarkEdited(); break;
    case Op::OpenTouch:
        e.history.Begin([](const EditorSnapshot &) { return QString("Paint"); });
        e.history.MarkEdited();
        break;
    case Op::TimeInDrag:
        e.Act("Drag", [&] {
            e.Flip(0);
            e.Act("Time", [&] { e.Flip(1); });
        });
        break;
    case Op::Undo: e.history.Undo(); break;
    case Op::Redo: e.history.Redo(); break;
    case Op::Save: e.history.MarkSaved(); break;
    case Op::LoadUnsaved: e.history.Start(false); break;
    }
}

TEST(EditorHistory, IsTheOneSourceOfTheModifiedState)
{
    const struct {
        std::vector<Op> ops;
        bool modified;
        const char *undoName;
    } cases[] = {
        { { Op::Paint }, true, "Paint" },
        { { Op::Paint, Op::Undo }, false, "" },
        { { Op::Look }, false, "" },
        { { Op::Touch }, true, "" },
        { { Op::Touch, Op::Invert, Op::Undo }, true, "" },
        { { Op::Invert, Op::Touch, Op::Undo }, false, "" },
        { { Op::MarkOutside }, true, "" },
        { { Op::OpenTouch }, true, "" },
        { { Op::Paint, Op::Save, Op::Undo }, true, "" },
        { { Op::Paint, Op::Save, Op::Undo, Op::Redo }, false, "Paint" },
        { { Op::LoadUnsaved, Op::Paint, Op::Undo }, true, "" },
        { { Op::TimeInDrag }, true, "Time" },
        { { Op::TimeInDrag, Op::Undo }, true, "Drag" },
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        FakeEditor editor;
        editor.history.Start(true);
        for (const Op op : cases[row].ops)
            Do(editor, op);
        EXPECT_EQ(editor.modified, cases[row].modified);
        EXPECT_EQ(editor.history.UndoName().toStdString(), cases[row].undoName);
    }
}

} // namespace
