#pragma once

#include "editor/editor_rows.h"
#include "editor/editor_table.h"

// The state an editor's commands work on, held by a test: `count` empty rows
// of 8 channels; edited tells whether a command counted as an edit.
struct TestTable : EditRecorder {
    explicit TestTable(int count)
        : rowCount(count)
    {
        rows.fill(EmptyRow());
    }

    EditorTable Table() { return { rows, rowCount, selection, *this, 8 }; }
    void MarkEdited() override { edited = true; }
    SequenceRow &Row(int line) { return rows[static_cast<std::size_t>(line)]; }

    RowTable::Records rows {};
    int rowCount;
    EditorSelection selection;
    bool edited = false;
};
