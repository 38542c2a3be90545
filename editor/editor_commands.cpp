#include "editor/editor_commands.h"

#include "core/sequence_row.h"
#include "editor/clipboard_text.h"
#include "editor/editor_command_ids.h"
#include "editor/line_commands.h"

std::optional<std::uint8_t> CommandLetterOf(int id)
{
    switch (id) {
    case ID_COMMAND_GOTO: return CMD_GOTO;
    case ID_COMMAND_IF_ON: return CMD_IF_ON;
    case ID_COMMAND_IF_OFF: return CMD_IF_OFF;
    case ID_COMMAND_DIM: return CMD_DIM;
    case ID_COMMAND_FADE_OUT: return CMD_FADE_OUT;
    case ID_COMMAND_FADE_IN: return CMD_FADE_IN;
    case ID_COMMAND_MIRROR_OFF: return CMD_MIRROR_OFF;
    case ID_COMMAND_MIRROR_TOGGLE: return CMD_MIRROR_TOGGLE;
    case ID_COMMAND_MIRROR_ON: return CMD_MIRROR_ON;
    default: return std::nullopt;
    }
}

int MenuItemCommand(int id)
{
    switch (id) {
    case ID_MENU_CUT: return ID_EDIT_CUT;
    case ID_MENU_COPY: return ID_EDIT_COPY;
    case ID_MENU_PASTE: return ID_EDIT_PASTE;
    case ID_MENU_DELETE: return ID_EDIT_DELETE;
    case ID_MENU_INSERT_EMPTY: return ID_EDIT_INSERT_EMPTY;
    case ID_MENU_MIRROR: return ID_EDIT_MIRROR;
    case ID_MENU_INVERT: return ID_EDIT_INVERT;
    case ID_MENU_SHIFT_LEFT: return ID_EDIT_SHIFT_LEFT;
    case ID_MENU_SHIFT_RIGHT: return ID_EDIT_SHIFT_RIGHT;
    case ID_MENU_BLINK: return ID_BLINK_COMMAND;
    case ID_MENU_GOTO: return ID_COMMAND_GOTO;
    case ID_MENU_IF_ON: return ID_COMMAND_IF_ON;
    case ID_MENU_IF_OFF: return ID_COMMAND_IF_OFF;
    case ID_MENU_DIM: return ID_COMMAND_DIM;
    case ID_MENU_FADE_IN: return ID_COMMAND_FADE_IN;
    case ID_MENU_FADE_OUT: return ID_COMMAND_FADE_OUT;
    case ID_MENU_MIRROR_ON: return ID_COMMAND_MIRROR_ON;
    case ID_MENU_MIRROR_OFF: return ID_COMMAND_MIRROR_OFF;
    case ID_MENU_UNDO: return ID_EDIT_UNDO;
    case ID_MENU_REDO: return ID_EDIT_REDO;
    case ID_MENU_GENERATE: return ID_GENERATE;
    case ID_MENU_EXPORT_ANIMATION: return ID_EXPORT_ANIMATION;
    default: return id;
    }
}

EditorCommands::EditorCommands(EditorTable table, EditorHost &host)
    : m_table(table)
    , m_host(host)
{
}

bool EditorCommands::Execute(int id)
{
    struct Entry {
        int id;
        void (EditorCommands::*handler)();
        // The keys of the value edit itself and the moves of the line decide
        // for themselves what happens to an open edit; all else closes it
        // first, applying its value.
        bool closesEdit;
    };
    static constexpr Entry COMMANDS[] = {
        { ID_EDIT_CUT, &EditorCommands::Cut, true },
        { ID_EDIT_COPY, &EditorCommands::Copy, true },
        { ID_EDIT_PASTE, &EditorCommands::Paste, true },
        { ID_EDIT_DELETE, &EditorCommands::Delete, true },
        { ID_EDIT_INSERT_EMPTY, &EditorCommands::InsertEmpty, true },
        { ID_EDIT_INVERT, &EditorCommands::Invert, true },
        { ID_EDIT_MIRROR, &EditorCommands::Mirror, true },
        { ID_EDIT_SHIFT_LEFT, &EditorCommands::ShiftLeft, true },
        { ID_EDIT_SHIFT_RIGHT, &EditorCommands::ShiftRight, true },
        { ID_BLINK_COMMAND, &EditorCommands::Blink, true },
        { ID_EXTEND_UP, &EditorCommands::ExtendUp, true },
        { ID_EXTEND_DOWN, &EditorCommands::ExtendDown, true },
        { ID_LINE_DOWN, &EditorCommands::Down, false },
        { ID_LINE_UP, &EditorCommands::Up, false },
        { ID_ENTER, &EditorCommands::Enter, false },
        { ID_DISCARD_VALUE, &EditorCommands::DiscardValue, false },
        { ID_APPLY_VALUE, &EditorCommands::ApplyValue, false },
    };

    if (const std::optional<std::uint8_t> letter = CommandLetterOf(id)) {
        m_host.CloseValueEdit(true);
        Show(Lines().SetCommand(*letter));
        return true;
    }
    if (id >= ID_TOGGLE_CHANNEL_1 && id <= ID_TOGGLE_CHANNEL_8) {
        m_host.CloseValueEdit(true);
        Show(Lines().ToggleChannel(id - ID_TOGGLE_CHANNEL_1 + 1));
        return true;
    }
    for (const Entry &entry : COMMANDS) {
        if (entry.id != id)
            continue;
        if (entry.closesEdit)
            m_host.CloseValueEdit(true);
        (this->*entry.handler)();
        return true;
    }
    return false;
}

LineCommands EditorCommands::Lines()
{
    return LineCommands(m_table);
}

int EditorCommands::Count() const
{
    return m_table.Count();
}

void EditorCommands::Show(int line)
{
    if (line >= 0)
        m_host.EnsureVisible(line);
}

void EditorCommands::Cut()
{
    Copy();
    Delete();
}

void EditorCommands::Copy()
{
    // Nothing to copy leaves what the clipboard holds.
    if (m_table.selection.Count(Count()) == 0)
        return;
    m_host.SetClipboardText(FormatClipboardText(m_table.rows, m_table.selection, m_table.channelCount));
}

void EditorCommands::Paste()
{
    const int pos = m_table.selection.First(Count());
    if (pos < 0)
        return;
    if (const std::optional<std::string> text = m_host.ClipboardText())
        InsertBeforeSelection(ReadClipboardText(*text, m_table.channelCount));
    else
        m_host.Refused({ EditRefusal::Why::NoLines, pos });
}

bool EditorCommands::InsertBeforeSelection(const std::optional<std::vector<SequenceRow>> &rows)
{
    const int pos = m_table.selection.First(Count());
    if (pos < 0)
        return false;
    const int freeRows = MAX_ROWS - Count();
    const bool inserted = rows && Lines().InsertRows(pos, *rows);
    m_table.edits.MarkEdited();
    m_table.selection.Clear();
    m_table.selection.Select(pos);
    m_host.EnsureVisible(pos);
    if (!rows)
        m_host.Refused({ EditRefusal::Why::NoLines, pos });
    else if (!inserted)
        m_host.Refused({ EditRefusal::Why::LinesDoNotFit, pos, 0, static_cast<int>(rows->size()), freeRows });
    return inserted;
}

void EditorCommands::Delete()
{
    Show(Lines().Delete());
}

void EditorCommands::InsertEmpty()
{
    Show(Lines().InsertEmpty());
}

void EditorCommands::Invert()
{
    Lines().Invert();
}

void EditorCommands::Mirror()
{
    Lines().Mirror();
}

void EditorCommands::ShiftLeft()
{
    Lines().ShiftLeft();
}

void EditorCommands::ShiftRight()
{
    Lines().ShiftRight();
}

void EditorCommands::Blink()
{
    Show(Lines().Blink());
}

void EditorCommands::Down()
{
    const int last = m_table.selection.Last(Count());
    if (last >= 0 && last + 1 < Count())
        MoveTo(last + 1);
}

void EditorCommands::Up()
{
    const int first = m_table.selection.First(Count());
    if (first >= 1)
        MoveTo(first - 1);
}

void EditorCommands::MoveTo(int line)
{
    if (m_host.IsValueEditOpen()) {
        m_host.CloseValueEdit(true);
        OpenEditOn(line);
    }
    m_table.selection.Clear();
    m_table.selection.Select(line);
    m_host.EnsureVisible(line);
}

void EditorCommands::ExtendDown()
{
    const int last = m_table.selection.Last(Count());
    if (last >= 0 && last + 1 < Count()) {
        m_table.selection.Select(last + 1);
        m_host.EnsureVisible(last + 1);
    }
}

void EditorCommands::ExtendUp()
{
    const int first = m_table.selection.First(Count());
    if (first >= 1) {
        m_table.selection.Select(first - 1);
        m_host.EnsureVisible(first - 1);
    }
}

void EditorCommands::Enter()
{
    const int last = m_table.selection.Last(Count());
    if (last < 0)
        return;
    int target = last;
    if (m_host.IsValueEditOpen()) {
        target = last + 1;
        if (target >= Count())
            return;
        m_host.CloseValueEdit(true);
        m_table.selection.Clear();
    }
    OpenEditOn(target);
    // A parameter belongs to one command; a time may go to many lines.
    if (m_table.IsCommandRow(target))
        m_table.selection.Clear();
    m_table.selection.Select(target);
    m_host.EnsureVisible(target);
}

void EditorCommands::OpenEditOn(int line)
{
    m_host.OpenValueEdit(line, !m_table.IsCommandRow(line));
}

void EditorCommands::DiscardValue()
{
    m_host.CloseValueEdit(false);
}

void EditorCommands::ApplyValue()
{
    m_host.CloseValueEdit(true);
}
