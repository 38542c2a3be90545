#pragma once

#include "editor/editor_rows.h"
#include "editor/editor_table.h"

// The state an editor's commands work on, held by a test: `count` empty rows
// of 8 channels.
struct TestTable {
    explicit TestTable(int count)
        : rowCount(count)
    {
        rows.fill(EmptyRow());
    }

    EditorTable Table() { return { rows, rowCount, selection, modified, 8 }; }
    SequenceRow &Row(int line) { return rows[static_cast<std::size_t>(line)]; }

    RowTable::Records rows {};
    int rowCount;
    EditorSelection selection;
    std::uint8_t modified = 0;
};
