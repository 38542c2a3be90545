// What a cell of the editor shows: command texts and colours.

#include "editor/command_display.h"
#include "editor/editor_colours.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace
{

TEST(CommandDisplay, NamesParametersAndTimeCellsShowWhatTheDeviceReads)
{
    EXPECT_STREQ(CommandDisplayName('J'), "IF OFF THEN");
    EXPECT_STREQ(CommandDisplayName('O'), "MIRROR TGL");
    EXPECT_STREQ(CommandDisplayName('X'), "???");
    EXPECT_EQ(CommandParameterText('G', 300), "0");
    EXPECT_EQ(CommandParameterText('I', 223), "223");
    EXPECT_EQ(CommandParameterText('D', 200), "72");
    EXPECT_EQ(CommandParameterText('F', 5000), "904");
    EXPECT_EQ(CommandParameterText('M', 5), "");
    EXPECT_EQ(TimeCellText({ 0, 0, 65535, 'G', 0 }), "65535");
    EXPECT_EQ(TimeCellText({ 1, 0, 20, 'G', 0 }), "CMD");
}

TEST(EditorColours, EveryStateOfACellLooksDifferentAndTheBoardAlternates)
{
    std::set<std::tuple<int, int, int>> looks;
    for (const bool on : { false, true })
        for (const bool selected : { false, true })
            for (int line = 0; line < 4; ++line)
                for (int channel = 0; channel < 4; ++channel) {
                    SCOPED_TRACE(std::to_string(on) + std::to_string(selected) + " line "
                        + std::to_string(line) + " channel " + std::to_string(channel));
                    const Rgb cell = ChannelCellColour(on, selected, line, channel);
                    looks.insert({ cell.red, cell.green, cell.blue });
                    // A checkerboard: the same along a diagonal, the other
                    // colour beside and below.
                    EXPECT_EQ(cell, ChannelCellColour(on, selected, line + 1, channel + 1));
                    EXPECT_FALSE(cell == ChannelCellColour(on, selected, line, channel + 1));
                    EXPECT_FALSE(cell == ChannelCellColour(on, selected, line + 1, channel));
                }
    EXPECT_EQ(looks.size(), 8u) << "on, selected and the two squares of the board each tell apart";

    // The executing line shows only in the index cell, whether selected or
    // not; otherwise the index cell is as the time cell.
    EXPECT_EQ(IndexCellColour(true, false), IndexCellColour(true, true));
    for (const bool selected : { false, true }) {
        EXPECT_EQ(IndexCellColour(false, selected), TimeCellColour(selected));
        EXPECT_FALSE(IndexCellColour(true, selected) == TimeCellColour(selected));
    }
    EXPECT_FALSE(TimeCellColour(true) == TimeCellColour(false));
    EXPECT_FALSE(CommandNameColour(true) == CommandNameColour(false));
    EXPECT_FALSE(CommandParameterColour(true) == CommandParameterColour(false));
}

TEST(EditorColours, EdgesAreAnEighthLighterAndDarkerUpToFullIntensity)
{
    const struct {
        Rgb back, light, dark;
    } cases[] = {
        { { 128, 128, 128 }, { 146, 146, 146 }, { 112, 112, 112 } },
        { { 255, 64, 64 }, { 255, 73, 73 }, { 223, 56, 56 } },
        { { 0, 0, 255 }, { 0, 0, 255 }, { 0, 0, 223 } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.back.red) + "," + std::to_string(c.back.green) + ","
            + std::to_string(c.back.blue));
        EXPECT_EQ(LightEdgeColour(c.back), c.light);
        EXPECT_EQ(DarkEdgeColour(c.back), c.dark);
    }
}

} // namespace
