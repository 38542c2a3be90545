#pragma once

// The keys that move the LED Editor's current line by more than one line.
enum class LineKey { Home, End, PageUp, PageDown };

// Where a LineKey takes the selection: every line from anchor to line is
// selected and line becomes the current one.
struct LineMove {
    int anchor;
    int line;

    bool operator==(const LineMove &other) const { return anchor == other.anchor && line == other.line; }
};

// The move for a key on a table of rowCount lines (at least one) of which
// first to last are selected (-1 for none: the top counts as selected), with
// pageLines lines in view. Without extend the target is the only selected
// line; with it the selection grows from its far end, as Shift+Up and
// Shift+Down grow it.
LineMove MoveLine(LineKey key, bool extend, int first, int last, int rowCount, int pageLines);
