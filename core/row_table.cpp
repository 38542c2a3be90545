#include "core/row_table.h"

#include <algorithm>

namespace
{

// The built-in default sequence. The list ends with an all-zero entry, and
// the copy stops at the first entry whose command byte is 0; that is why the
// two pattern rows carry the letter 'X'.
constexpr SequenceRow DEFAULT_SEQUENCE[] = {
    { 1, 0x00, 0, CMD_FADE_OUT, 15 },
    { 0, 0xFF, 20, 'X', 0 },
    { 0, 0x00, 20, 'X', 0 },
    { 1, 0x00, 0, CMD_GOTO, 0 },
    { 0, 0, 0, 0, 0 },
};

} // namespace

RowTable::RowTable(const Records &records, int count)
    : m_records(records)
{
    SetCount(count);
}

void RowTable::SetCount(int count)
{
    m_count = std::clamp(count, 0, MAX_ROWS);
}

SequenceRow *RowTable::GetRow(int index)
{
    return index >= 0 && index < m_count ? &m_records[static_cast<std::size_t>(index)] : nullptr;
}

const SequenceRow *RowTable::GetRow(int index) const
{
    return const_cast<RowTable *>(this)->GetRow(index);
}

bool RowTable::Append(const SequenceRow &row)
{
    if (m_count == MAX_ROWS)
        return false;
    m_records[static_cast<std::size_t>(m_count++)] = row;
    return true;
}

void RowTable::LoadDefault()
{
    m_count = 0;
    for (const SequenceRow &row : DEFAULT_SEQUENCE) {
        if (row.command == 0)
            break;
        Append(row);
    }
}

bool operator==(const RowTable &a, const RowTable &b)
{
    return a.m_count == b.m_count
        && std::equal(a.m_records.begin(), a.m_records.begin() + a.m_count, b.m_records.begin());
}
