#include "editor/editor_commands.h"

#include "editor/editor_command_ids.h"

#include "test_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// A window that records what the commands ask of it; its value edit is a
// flag with the line and field it was opened for.
struct FakeHost : EditorHost {
    bool IsValueEditOpen() const override { return editLine >= 0; }
    void OpenValueEdit(int line, bool time) override
    {
        editLine = line;
        editTime = time;
    }
    void CloseValueEdit(bool apply) override
    {
        if (editLine >= 0)
            closes.push_back(apply);
        editLine = -1;
    }
    void EnsureVisible(int line) override { shown = line; }
    void SetClipboardText(const std::string &text) override { clipboard = text; }
    std::optional<std::string> ClipboardText() override { return clipboard; }
    void Refused(const EditRefusal &refusal) override { refusals.push_back(refusal); }

    int editLine = -1;
    bool editTime = false;
    std::vector<bool> closes;
    int shown = -1;
    std::optional<std::string> clipboard;
    std::vector<EditRefusal> refusals;
};

struct Editor {
    explicit Editor(int rows)
        : table(rows)
    {
    }
    bool Run(int id) { return EditorCommands(table.Table(), host).Execute(id); }

    TestTable table;
    FakeHost host;
};

TEST(EditorSelection, RangesGoEitherWayRoundAndStopAtTheLastSlot)
{
    EditorSelection selection;
    selection.Select(0);
    selection.SelectRange(5, 2);
    EXPECT_FALSE(selection.IsSelected(0));
    EXPECT_EQ(selection.First(MAX_ROWS), 2);
    EXPECT_EQ(selection.Last(5), 4);
    selection.SelectRange(MAX_ROWS - 2, MAX_ROWS + 10);
    EXPECT_EQ(selection.Count(MAX_ROWS + 1), 2);
    EXPECT_FALSE(selection.IsSelected(MAX_ROWS));
}

TEST(EditorCommands, UpDownAndEnterMoveTheLineAndAnOpenEdit)
{
    Editor editor(4);
    editor.table.Row(3) = { 1, 0, 1, CMD_DIM, 5 };
    editor.table.selection.SelectRange(0, 1);

    // A time typed now goes to both selected lines.
    editor.Run(ID_ENTER);
    EXPECT_EQ(editor.host.editLine, 1);
    EXPECT_TRUE(editor.host.editTime);
    EXPECT_EQ(editor.table.selection.Count(4), 2);

    editor.Run(ID_LINE_DOWN);
    editor.Run(ID_ENTER);
    EXPECT_EQ(editor.host.closes, (std::vector<bool> { true, true }));
    EXPECT_EQ(editor.host.editLine, 3);
    EXPECT_FALSE(editor.host.editTime);
    EXPECT_EQ(editor.host.shown, 3);
    EXPECT_EQ(editor.table.selection.Count(4), 1);

    // At the last line nothing happens and the edit stays open.
    editor.Run(ID_LINE_DOWN);
    editor.Run(ID_ENTER);
    EXPECT_EQ(editor.host.editLine, 3);
    EXPECT_EQ(editor.host.closes.size(), 2u);

    editor.Run(ID_LINE_UP);
    EXPECT_EQ(editor.host.editLine, 2);
    EXPECT_TRUE(editor.table.selection.IsSelected(2));
    editor.Run(ID_DISCARD_VALUE);
    EXPECT_EQ(editor.host.closes.back(), false);
    editor.Run(ID_LINE_UP);
    EXPECT_EQ(editor.host.editLine, -1);
    editor.Run(ID_EXTEND_DOWN);
    editor.Run(ID_EXTEND_DOWN);
    editor.Run(ID_EXTEND_DOWN);
    EXPECT_EQ(editor.table.selection.Count(4), 3);

    editor.table.selection.Clear();
    editor.Run(ID_ENTER);
    EXPECT_EQ(editor.host.editLine, -1);
}

TEST(EditorCommands, InsertingFromTheClipboardFitsOrChangesNothing)
{
    const std::string threeLines = "00000100*\r\n00000200.*\r\n00000300..*\r\n";
    for (const int rows : { 221, 222 }) {
        Editor editor(rows);
        editor.table.Row(rows - 1).pattern = 0xAA;
        editor.table.Row(rows - 2) = { 1, 0, 1, CMD_GOTO, std::uint16_t(rows - 1) };
        editor.table.selection.SelectRange(5, 6);
        editor.host.clipboard = threeLines;
        editor.Run(ID_EDIT_PASTE);

        const bool fits = rows == 221;
        EXPECT_EQ(editor.table.rowCount, fits ? MAX_ROWS : rows);
        EXPECT_EQ(editor.table.Row(MAX_ROWS - 1).pattern, fits ? 0xAAu : 0u);
        EXPECT_EQ(editor.table.Row(MAX_ROWS - 2).parameter, fits ? MAX_ROWS - 1 : 0);
        EXPECT_EQ(editor.table.Row(6).pattern, fits ? 0x02u : 0u);
        EXPECT_TRUE(editor.table.edited);
        EXPECT_EQ(editor.table.selection.Count(MAX_ROWS), 1);
        EXPECT_TRUE(editor.table.selection.IsSelected(5));
        ASSERT_EQ(editor.host.refusals.size(), fits ? 0u : 1u);
        if (!fits) {
            const EditRefusal &refusal = editor.host.refusals[0];
            EXPECT_EQ(refusal.why, EditRefusal::Why::LinesDoNotFit);
            EXPECT_EQ(refusal.line, 5);
            EXPECT_EQ(refusal.lines, 3);
            EXPECT_EQ(refusal.freeRows, 2);
        }
    }

    for (const bool hasText : { true, false }) {
        Editor refused(3);
        refused.table.selection.Select(0);
        if (hasText)
            refused.host.clipboard = "00000100*\r\n000000100*\r\n";
        refused.Run(ID_EDIT_PASTE);
        EXPECT_EQ(refused.table.rowCount, 3);
        EXPECT_EQ(refused.table.Row(0), EmptyRow());
        if (!hasText) {
            EXPECT_FALSE(refused.table.edited);
        }
        ASSERT_EQ(refused.host.refusals.size(), 1u);
        EXPECT_EQ(refused.host.refusals[0].why, EditRefusal::Why::NoLines);
    }
}

TEST(EditorCommands, CutCopiesThenDeletes)
{
    Editor editor(3);
    editor.table.Row(1) = { 1, 0, 1, CMD_FADE_IN, 1000 };
    editor.table.selection.Select(1);
    editor.host.OpenValueEdit(1, false);
    editor.Run(ID_EDIT_CUT);
    EXPECT_EQ(editor.host.closes, std::vector<bool> { true });
    EXPECT_EQ(editor.host.clipboard, "004501e8........\r\n");
    EXPECT_EQ(editor.table.rowCount, 2);

    editor.table.selection.Clear();
    editor.Run(ID_EDIT_CUT);
    EXPECT_EQ(editor.host.clipboard, "004501e8........\r\n");
    EXPECT_EQ(editor.table.rowCount, 2);
}

TEST(EditorCommands, EveryMappedMenuItemIsACommandAndOtherIdsAreNone)
{
    for (int item = ID_MENU_CUT; item <= ID_MENU_MIRROR_OFF; ++item) {
        if (item == ID_MENU_TRACE)
            continue;
        SCOPED_TRACE(item);
        Editor editor(2);
        editor.table.selection.Select(0);
        EXPECT_TRUE(editor.Run(MenuItemCommand(item)));
    }
    EXPECT_FALSE(Editor(1).Run(142));
}

} // namespace
