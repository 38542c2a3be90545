#include "editor/step_names.h"

#include "core/sequence_row.h"
#include "editor/editor_command_ids.h"
#include "editor/editor_commands.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

namespace
{

QString Text(int id)
{
    return ResourceModule::LoadString(id);
}

QString Text(int id, int number)
{
    return Text(id).arg(number);
}

QString Text(int id, const QString &argument)
{
    return Text(id).arg(argument);
}

QString Lines(int count)
{
    return count == 1 ? Text(IDS_ONE_LINE) : Text(IDS_LINES, count);
}

int SelectedLines(const EditorSnapshot &before)
{
    return before.selection.Count(before.rowCount);
}

} // namespace

QString CommandStepName(int command, const EditorSnapshot &before, int rowCountAfter)
{
    if (const std::optional<std::uint8_t> letter = CommandLetterOf(command))
        return QString::fromLatin1(CommandName(*letter));
    if (command >= ID_TOGGLE_CHANNEL_1 && command <= ID_TOGGLE_CHANNEL_8)
        return Text(IDS_STEP_TOGGLE_CHANNEL, command - ID_TOGGLE_CHANNEL_1 + 1);
    const int added = rowCountAfter - before.rowCount;
    switch (command) {
    case ID_EDIT_CUT: return Text(IDS_STEP_CUT, Lines(SelectedLines(before)));
    case ID_EDIT_PASTE: return Text(IDS_STEP_PASTE, Lines(added));
    case ID_EDIT_DELETE: return Text(IDS_STEP_DELETE, Lines(SelectedLines(before)));
    case ID_EDIT_INSERT_EMPTY:
        return added == 1 ? Text(IDS_STEP_INSERT_EMPTY_LINE) : Text(IDS_STEP_INSERT_EMPTY_LINES, added);
    case ID_EDIT_INVERT: return Text(IDS_STEP_INVERT);
    case ID_EDIT_MIRROR: return Text(IDS_STEP_MIRROR);
    case ID_EDIT_SHIFT_LEFT: return Text(IDS_STEP_SHIFT_LEFT);
    case ID_EDIT_SHIFT_RIGHT: return Text(IDS_STEP_SHIFT_RIGHT);
    case ID_BLINK_COMMAND: return Text(IDS_STEP_BLINK);
    default: return {};
    }
}

QString ValueStepName(bool time, std::uint16_t value)
{
    return Text(time ? IDS_STEP_TIME : IDS_STEP_PARAMETER, value);
}

QString DragStepName(bool set)
{
    return Text(set ? IDS_STEP_PAINT : IDS_STEP_ERASE);
}

QString UndoItemText(const QString &step)
{
    return Text(IDS_UNDO_ITEM, step);
}

QString RedoItemText(const QString &step)
{
    return Text(IDS_REDO_ITEM, step);
}
