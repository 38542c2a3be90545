#pragma once

#include "core/constants.h"

#include <array>
#include <cstdint>

// One selection flag per row slot of the editor. Counting and the first and
// last selected line look only at the rows in use; flags of spare slots are
// kept so that the line commands can rely on them.
class EditorSelection
{
public:
    void Clear();
    // Clears the flags of the slots from firstRow on.
    void ClearFrom(int firstRow);
    void Select(int row);
    bool IsSelected(int row) const;
    // Selects every slot from the smaller to the larger of a and b and
    // clears all others.
    void SelectRange(int a, int b);

    int Count(int rowCount) const;
    // The lowest or highest selected row below rowCount, -1 if none.
    int First(int rowCount) const;
    int Last(int rowCount) const;

    bool operator==(const EditorSelection &other) const { return m_flags == other.m_flags; }

private:
    std::array<std::uint8_t, MAX_ROWS> m_flags {};
};
