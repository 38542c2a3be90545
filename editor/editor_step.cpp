#include "editor/editor_step.h"

#include <utility>

EditorSnapshot TakeSnapshot(const EditorTable &table, int currentLine)
{
    return { table.rows, table.rowCount, table.selection, currentLine };
}

EditorStep::EditorStep(const EditorSnapshot &before, const EditorSnapshot &after)
    : m_rowCount(before.rowCount)
    , m_countChanged(before.rowCount != after.rowCount)
    , m_selection(before.selection)
    , m_currentLine(before.currentLine)
{
    static_assert(MAX_ROWS <= 256, "a slot number fits a byte");
    // Spare slots count too: the document copies all of them.
    for (int slot = 0; slot < MAX_ROWS; ++slot) {
        const SequenceRow &row = before.rows[static_cast<std::size_t>(slot)];
        if (row != after.rows[static_cast<std::size_t>(slot)])
            m_slots.push_back({ static_cast<std::uint8_t>(slot), row });
    }
    m_slots.shrink_to_fit();
}

int EditorStep::FirstChangedSlot() const
{
    return m_slots.empty() ? -1 : m_slots.front().slot;
}

void EditorStep::Exchange(EditorTable &table, int &currentLine)
{
    for (SlotChange &change : m_slots)
        std::swap(table.Row(change.slot), change.row);
    std::swap(table.rowCount, m_rowCount);
    std::swap(table.selection, m_selection);
    std::swap(currentLine, m_currentLine);
}
