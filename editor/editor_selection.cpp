#include "editor/editor_selection.h"

#include <algorithm>

namespace
{

bool IsSlot(int row)
{
    return row >= 0 && row < MAX_ROWS;
}

int RowsInUse(int rowCount)
{
    return std::clamp(rowCount, 0, MAX_ROWS);
}

} // namespace

void EditorSelection::Clear()
{
    m_flags.fill(0);
}

void EditorSelection::ClearFrom(int firstRow)
{
    std::fill(m_flags.begin() + RowsInUse(firstRow), m_flags.end(), 0);
}

void EditorSelection::Select(int row)
{
    if (IsSlot(row))
        m_flags[static_cast<std::size_t>(row)] = 1;
}

bool EditorSelection::IsSelected(int row) const
{
    return IsSlot(row) && m_flags[static_cast<std::size_t>(row)] != 0;
}

void EditorSelection::SelectRange(int a, int b)
{
    const int low = std::min(a, b);
    const int high = std::max(a, b);
    for (int row = 0; row < MAX_ROWS; ++row)
        m_flags[static_cast<std::size_t>(row)] = row >= low && row <= high ? 1 : 0;
}

int EditorSelection::Count(int rowCount) const
{
    const auto end = m_flags.begin() + RowsInUse(rowCount);
    return static_cast<int>(std::count_if(m_flags.begin(), end, [](std::uint8_t flag) { return flag != 0; }));
}

int EditorSelection::First(int rowCount) const
{
    for (int row = 0; row < RowsInUse(rowCount); ++row)
        if (IsSelected(row))
            return row;
    return -1;
}

int EditorSelection::Last(int rowCount) const
{
    for (int row = RowsInUse(rowCount) - 1; row >= 0; --row)
        if (IsSelected(row))
            return row;
    return -1;
}
