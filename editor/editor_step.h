#pragma once

#include "core/row_table.h"
#include "editor/editor_selection.h"
#include "editor/editor_table.h"

#include <cstdint>
#include <vector>

// The LED Editor's state as an undo step restores it: all row slots, the
// count in use, the selection and the current line (the one whose pattern the
// device picture shows while the simulation is stopped).
struct EditorSnapshot {
    RowTable::Records rows;
    int rowCount;
    EditorSelection selection;
    int currentLine;

    friend bool operator==(const EditorSnapshot &a, const EditorSnapshot &b)
    {
        return a.rows == b.rows && a.rowCount == b.rowCount && a.selection == b.selection
            && a.currentLine == b.currentLine;
    }
};

EditorSnapshot TakeSnapshot(const EditorTable &table, int currentLine);

// One undoable change of the editor: the row slots that differ between two
// states, with the count, selection and current line. It holds the state
// that is not in the editor at the moment, so undoing and redoing are the
// same exchange. Only the slots that changed are kept, so a step costs a few
// hundred bytes plus 20 bytes per changed slot.
class EditorStep
{
public:
    EditorStep(const EditorSnapshot &before, const EditorSnapshot &after);

    // False when not one row slot nor the count changed.
    bool ChangesRows() const { return m_countChanged || !m_slots.empty(); }
    // The lowest row slot that changed, -1 for none.
    int FirstChangedSlot() const;

    // Puts the state the step holds into the editor and keeps the editor's.
    void Exchange(EditorTable &table, int &currentLine);

private:
    struct SlotChange {
        std::uint8_t slot;
        SequenceRow row;
    };

    std::vector<SlotChange> m_slots;
    int m_rowCount;
    bool m_countChanged;
    EditorSelection m_selection;
    int m_currentLine;
};
