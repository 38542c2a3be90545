#pragma once

#include "editor/edit_refusal.h"
#include "editor/editor_table.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// What the LED Editor does to lines, apart from the value edit and the
// scrolling: deleting, inserting, transforming patterns, turning lines into
// command rows and back. Each acts on the selected lines of the table and
// says which line to bring into view afterwards (-1 for none).
class LineCommands
{
public:
    explicit LineCommands(EditorTable table);

    // Points every GOTO, IF ON THEN and IF OFF THEN aimed at row `from` at
    // row `to` instead, as rows move.
    void RetargetJumps(int from, int to);

    // Deletes the selected lines; the line now at the first of them becomes
    // the only selected one. All lines deleted leave one empty line.
    int Delete();
    // Puts an empty row at each selected index, moving the rows from there
    // on down; the new rows are the selected ones. Does nothing when the
    // table would grow past its slots.
    int InsertEmpty();
    // Inserts rows before line pos; false, and nothing moved, when they do
    // not fit. Their jump targets are taken as they are.
    bool InsertRows(int pos, const std::vector<SequenceRow> &rows);

    // Pattern transforms of every selected slot, command rows included.
    void Invert();
    void Mirror();
    void ShiftLeft();
    void ShiftRight();

    // Makes the selected lines command rows with this letter; a line that
    // has it already keeps its parameter.
    int SetCommand(std::uint8_t letter);
    // Makes the selected lines pattern rows again, with the pattern and time
    // they kept.
    int Blink();
    // Flips the channel (1-based) of the selected pattern rows.
    int ToggleChannel(int channel);

    // Applies the text of the value edit to the selected lines: a hold time,
    // or each line's command parameter. Values out of range change nothing;
    // the first selected line that refused the value says why.
    std::optional<EditRefusal> ApplyValue(std::string_view text, bool time);

private:
    // A transform of a pattern applied to every selected slot.
    template <typename Transform> void TransformPatterns(Transform transform);
    int LastSelected() const;
    void MoveRow(int from, int to);

    EditorTable m_table;
};
