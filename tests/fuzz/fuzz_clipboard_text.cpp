// Clipboard text from any program, read as the LED Editor's lines and pasted
// into a table. Every row read must come back the same through the text form.
#include "editor/clipboard_text.h"
#include "editor/editor_rows.h"
#include "editor/line_commands.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{

// The edits a paste makes are not what is checked here.
struct IgnoredEdits final : EditRecorder {
    void MarkEdited() override { }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto rows = ReadClipboardText(text, CHANNEL_COUNT);
    if (!rows)
        return 0;
    for (const SequenceRow &row : *rows) {
        const auto again = ReadClipboardText(FormatClipboardLine(row, CHANNEL_COUNT), CHANNEL_COUNT);
        if (!again || again->size() != 1 || again->front() != row)
            std::abort();
    }

    RowTable::Records records {};
    records.fill(EmptyRow());
    int rowCount = 3;
    EditorSelection selection;
    IgnoredEdits edits;
    LineCommands lines({ records, rowCount, selection, edits, CHANNEL_COUNT });
    const bool fits = rows->size() <= std::size_t(MAX_ROWS - 3);
    if (lines.InsertRows(1, *rows) != fits || rowCount > MAX_ROWS)
        std::abort();
    return 0;
}
