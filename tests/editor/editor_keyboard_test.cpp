#include "editor/editor_keyboard.h"

#include <gtest/gtest.h>

TEST(EditorKeyboard, LineKeysMoveOrExtendTheSelectionWithinTheTable)
{
    // Ten lines, four in view.
    const struct {
        LineKey key;
        bool extend;
        int first, last;
        LineMove expected;
    } rows[] = {
        { LineKey::Home, false, 5, 5, { 0, 0 } },
        { LineKey::End, false, 5, 5, { 9, 9 } },
        { LineKey::PageDown, false, 2, 3, { 7, 7 } },
        { LineKey::PageDown, false, 8, 8, { 9, 9 } },
        { LineKey::PageUp, false, 6, 7, { 2, 2 } },
        { LineKey::PageUp, false, 2, 2, { 0, 0 } },
        // Nothing selected: the keys start from the top.
        { LineKey::PageDown, false, -1, -1, { 4, 4 } },
        { LineKey::End, true, -1, -1, { 0, 9 } },
        // Extending keeps the far end of the selection as the anchor.
        { LineKey::Home, true, 4, 6, { 6, 0 } },
        { LineKey::End, true, 4, 6, { 4, 9 } },
        { LineKey::PageUp, true, 5, 6, { 6, 1 } },
        { LineKey::PageDown, true, 5, 6, { 5, 9 } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "key " << int(row.key) << " extend " << row.extend << " from "
                                        << row.first << ".." << row.last);
        const LineMove move = MoveLine(row.key, row.extend, row.first, row.last, 10, 4);
        EXPECT_EQ(move.anchor, row.expected.anchor);
        EXPECT_EQ(move.line, row.expected.line);
    }
}
