#include "editor/line_commands.h"

#include "core/constants.h"
#include "editor/editor_rows.h"
#include "editor/value_ranges.h"

#include <algorithm>

namespace
{

constexpr std::uint16_t LAST_ROW_INDEX = MAX_ROWS - 1;

std::uint32_t Mirrored(std::uint32_t pattern, int channelCount)
{
    std::uint32_t mirrored = 0;
    for (int channel = 0; channel < channelCount; ++channel)
        if ((pattern >> channel & 1U) != 0)
            mirrored |= 1U << (channelCount - 1 - channel);
    return mirrored;
}

} // namespace

int EditorTable::Count() const
{
    return std::clamp(rowCount, 0, MAX_ROWS);
}

LineCommands::LineCommands(EditorTable table)
    : m_table(table)
{
}

void LineCommands::RetargetJumps(int from, int to)
{
    if (from == to)
        return;
    for (int line = 0; line < m_table.Count(); ++line) {
        SequenceRow &row = m_table.Row(line);
        if (row.isCommand && IsJumpCommand(row.command) && row.parameter == from) {
            row.parameter = static_cast<std::uint16_t>(std::min(to, int(LAST_ROW_INDEX)));
        }
    }
}

void LineCommands::MoveRow(int from, int to)
{
    m_table.Row(to) = m_table.Row(from);
    RetargetJumps(from, to);
}

int LineCommands::Delete()
{
    EditorSelection &selection = m_table.selection;
    const int count = m_table.Count();
    const int first = selection.First(count);
    int out = 0;
    for (int line = 0; line < count; ++line)
        if (!selection.IsSelected(line))
            MoveRow(line, out++);
    for (int line = out; line < count; ++line)
        m_table.Row(line) = EmptyRow();
    selection.Clear();
    m_table.rowCount = out;
    m_table.edits.MarkEdited();

    if (out < 1) {
        m_table.rowCount = 1;
        m_table.Row(0) = EmptyRow();
        selection.Select(0);
        return 0;
    }
    if (first < 0)
        return -1;
    const int shown = std::min(first, out - 1);
    selection.Select(shown);
    return shown;
}

int LineCommands::InsertEmpty()
{
    EditorSelection &selection = m_table.selection;
    const int count = m_table.Count();
    const int first = selection.First(count);
    const int added = selection.Count(count);
    selection.ClearFrom(count);
    if (count + added > MAX_ROWS)
        return -1;

    // The moved rows lie beyond the old count; jumps among them must follow
    // too, so the table is grown first.
    const int grown = count + added;
    m_table.rowCount = grown;
    int source = count - 1;
    for (int slot = grown - 1; slot >= 0; --slot) {
        if (selection.IsSelected(slot))
            m_table.Row(slot) = EmptyRow();
        else
            MoveRow(source--, slot);
    }
    m_table.edits.MarkEdited();
    return first;
}

bool LineCommands::InsertRows(int pos, const std::vector<SequenceRow> &rows)
{
    const int count = m_table.Count();
    const int added = static_cast<int>(rows.size());
    if (pos < 0 || pos > count || added > MAX_ROWS - count)
        return false;
    const int grown = count + added;
    m_table.rowCount = grown;
    for (int slot = grown - 1; slot >= pos + added; --slot)
        MoveRow(slot - added, slot);
    std::copy(rows.begin(), rows.end(), m_table.rows.begin() + pos);
    return true;
}

template <typename Transform> void LineCommands::TransformPatterns(Transform transform)
{
    for (int slot = 0; slot < MAX_ROWS; ++slot)
        if (m_table.selection.IsSelected(slot))
            m_table.Row(slot).pattern = transform(m_table.Row(slot).pattern);
    m_table.edits.MarkEdited();
}

void LineCommands::Invert()
{
    TransformPatterns([](std::uint32_t pattern) { return ~pattern; });
}

void LineCommands::Mirror()
{
    const int channels = m_table.channelCount;
    TransformPatterns([channels](std::uint32_t pattern) { return Mirrored(pattern, channels); });
}

void LineCommands::ShiftLeft()
{
    // Towards channel 1: the lowest bit drops out, the bit above the last
    // channel comes into view.
    TransformPatterns([](std::uint32_t pattern) { return pattern >> 1; });
}

void LineCommands::ShiftRight()
{
    TransformPatterns([](std::uint32_t pattern) { return pattern << 1; });
}

int LineCommands::SetCommand(std::uint8_t letter)
{
    for (int line = 0; line < m_table.Count(); ++line) {
        if (!m_table.selection.IsSelected(line))
            continue;
        SequenceRow &row = m_table.Row(line);
        row.isCommand = 1;
        if (row.command != letter) {
            row.command = letter;
            row.parameter = 0;
        }
        m_table.edits.MarkEdited();
    }
    return LastSelected();
}

int LineCommands::Blink()
{
    for (int line = 0; line < m_table.Count(); ++line) {
        if (m_table.selection.IsSelected(line)) {
            m_table.Row(line).isCommand = 0;
            m_table.edits.MarkEdited();
        }
    }
    return LastSelected();
}

int LineCommands::ToggleChannel(int channel)
{
    if (channel < 1 || channel > m_table.channelCount)
        return LastSelected();
    for (int line = 0; line < m_table.Count(); ++line) {
        if (m_table.selection.IsSelected(line) && !m_table.IsCommandRow(line))
            m_table.Row(line).pattern ^= 1U << (channel - 1);
    }
    return LastSelected();
}

std::optional<EditRefusal> LineCommands::ApplyValue(std::string_view text, bool time)
{
    const std::uint16_t value = ParseValueText(text);
    std::optional<EditRefusal> refusal;
    for (int line = 0; line < m_table.Count(); ++line) {
        if (!m_table.selection.IsSelected(line))
            continue;
        SequenceRow &row = m_table.Row(line);
        if (time && AcceptsTime(value)) {
            row.time = value;
            m_table.edits.MarkEdited();
        } else if (!time && AcceptsParameter(row.command, value)) {
            row.parameter = value;
            m_table.edits.MarkEdited();
        } else if (!refusal && (time || row.isCommand)) {
            using Why = EditRefusal::Why;
            refusal
                = EditRefusal { time ? Why::TimeOutOfRange : Why::ParameterOutOfRange, line, row.command };
        }
    }
    return refusal;
}

int LineCommands::LastSelected() const
{
    return m_table.selection.Last(m_table.Count());
}
