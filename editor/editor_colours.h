#pragma once

#include <cstdint>

// The LED Editor's colours. Every line cell is drawn in a colour that says
// at a glance whether its line is selected or executing and whether its
// channel is on; its 3-D frame is a lighter and a darker shade of it.
struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend bool operator==(const Rgb &a, const Rgb &b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Rgb &a, const Rgb &b) { return !(a == b); }
};

// Around the table, and the separator lines between groups of lines.
Rgb BackgroundColour();
// The title strip, the corner and the margins.
Rgb FrameColour();
// Header cells, and the index and time cells of lines too short for text.
Rgb HeaderColour();
Rgb TextColour();

// The index cell shows the executing line even when it is selected; the
// time cell never shows it.
Rgb IndexCellColour(bool executing, bool selected);
Rgb TimeCellColour(bool selected);
// Channel cells form a checkerboard over line and channel.
Rgb ChannelCellColour(bool on, bool selected, int line, int channel);
Rgb CommandNameColour(bool selected);
Rgb CommandParameterColour(bool selected);

// The top and left edges of a cell's frame, and its bottom and right edges.
Rgb LightEdgeColour(const Rgb &back);
Rgb DarkEdgeColour(const Rgb &back);
