#pragma once

#include "core/row_table.h"
#include "editor/editor_selection.h"

// Told of an action of the user that counts as an edit even where it leaves
// the rows as they were: a click on a cell already lit, a value typed again,
// a paste that does not fit. The editor is modified after it all the same.
// The undo history is the one that listens in the editor.
class EditRecorder
{
public:
    virtual void MarkEdited() = 0;

protected:
    ~EditRecorder() = default;
};

// The parts of the LED Editor's state that its line commands change: the
// rows, the count in use and the selection, and where to tell of an edit.
// The editor window holds them; this refers to them so that the commands can
// run on any such set, also without a window.
struct EditorTable {
    RowTable::Records &rows;
    int &rowCount;
    EditorSelection &selection;
    EditRecorder &edits;
    int channelCount;

    SequenceRow &Row(int line) { return rows[static_cast<std::size_t>(line)]; }
    const SequenceRow &Row(int line) const { return rows[static_cast<std::size_t>(line)]; }
    // The count clamped to the slots there are.
    int Count() const;
    bool IsCommandRow(int line) const { return Row(line).isCommand != 0; }
};
