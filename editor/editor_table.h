#pragma once

#include "core/row_table.h"
#include "editor/editor_selection.h"

#include <cstdint>

// The parts of the LED Editor's state that its line commands change: the
// rows, the count in use, the selection and the modified flag. The editor
// window holds them; this refers to them so that the commands can run on
// any such set, also without a window.
struct EditorTable {
    RowTable::Records &rows;
    int &rowCount;
    EditorSelection &selection;
    std::uint8_t &modified;
    int channelCount;

    SequenceRow &Row(int line) const { return rows[static_cast<std::size_t>(line)]; }
    // The count clamped to the slots there are.
    int Count() const;
    bool IsCommandRow(int line) const { return Row(line).isCommand != 0; }
};
