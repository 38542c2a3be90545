#pragma once

#include "core/constants.h"
#include "core/sequence_row.h"

#include <array>

// A light sequence: MAX_ROWS row records, of which the first GetCount() are
// in use. The records at and above the count are spare storage that keeps
// whatever it last held, so a table copied record for record carries them
// along.
class RowTable
{
public:
    using Records = std::array<SequenceRow, MAX_ROWS>;

    RowTable() = default;
    // All records, the first count (clamped to 0..MAX_ROWS) of them in use.
    RowTable(const Records &records, int count);

    void Clear() { m_count = 0; }
    int GetCount() const { return m_count; }
    // The count clamped to 0..MAX_ROWS; the records are not touched.
    void SetCount(int count);

    // The row at index, or nullptr when index is not below the count.
    SequenceRow *GetRow(int index);
    const SequenceRow *GetRow(int index) const;

    // Appends a row; false when the table is full.
    bool Append(const SequenceRow &row);

    // All MAX_ROWS records, in use or spare.
    Records &GetRecords() { return m_records; }
    const Records &GetRecords() const { return m_records; }

    // Replaces the rows with the built-in default sequence: FADE OUT 15, all
    // channels lit for 20 ticks, all dark for 20 ticks, GOTO 0.
    void LoadDefault();

    // The same sequence: the same count and the same rows in use; spare
    // records do not count.
    friend bool operator==(const RowTable &a, const RowTable &b);

private:
    Records m_records {};
    int m_count = 0;
};
