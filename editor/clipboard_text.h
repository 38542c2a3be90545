#pragma once

#include "core/row_table.h"
#include "editor/editor_selection.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The LED Editor's lines as clipboard text, one text line per row:
//   8 lowercase hex digits of (letter << 16) + ((time & 0xFF) << 8) + (parameter & 0xFF),
//     where letter is the command letter of a command row and 0 for a pattern row;
//   one "*" (on) or "." (off) per channel;
//   CR LF.
// Only the low bytes of time and parameter travel, and no pattern bits above
// the channels.

std::string FormatClipboardLine(const SequenceRow &row, int channelCount);
// The selected slots, in order.
std::string FormatClipboardText(
    const RowTable::Records &rows, const EditorSelection &selection, int channelCount);

// The rows of a clipboard text, up to a NUL if it has one, or nullopt when
// any character is out of place: the first 8 characters of a line must be
// hex digits (either case), the rest "." or "*". Control characters and bytes
// from 0x80 up are skipped. A line ends with CR, CR LF or, as text from other
// programs often has it, a lone LF; a last line without an end is not read.
std::optional<std::vector<SequenceRow>> ReadClipboardText(std::string_view text, int channelCount);
