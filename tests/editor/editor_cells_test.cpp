// What a cell of the editor shows: command texts and colours.

#include "editor/command_display.h"
#include "editor/editor_colours.h"

#include <gtest/gtest.h>

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

constexpr Rgb GREY { 128, 128, 128 };
constexpr Rgb RED { 255, 64, 64 };
constexpr Rgb BLUE { 0, 0, 255 };

TEST(EditorColours, CheckerboardSelectionTraceAndFrameEdges)
{
    // The checkerboard runs over line and channel.
    EXPECT_EQ(ChannelCellColour(true, false, 3, 1), (Rgb { 224, 224, 224 }));
    EXPECT_EQ(ChannelCellColour(true, false, 3, 2), (Rgb { 208, 208, 208 }));
    EXPECT_EQ(ChannelCellColour(false, true, 7, 7), (Rgb { 144, 80, 80 }));
    // The executing line shows only in the index cell.
    EXPECT_EQ(IndexCellColour(false, false), GREY);
    EXPECT_EQ(IndexCellColour(true, true), BLUE);
    EXPECT_EQ(TimeCellColour(true), RED);
    // Edges an eighth lighter and darker; lightening stops at full intensity.
    EXPECT_EQ(DarkEdgeColour(GREY), (Rgb { 112, 112, 112 }));
    EXPECT_EQ(LightEdgeColour(RED), (Rgb { 255, 73, 73 }));
}

} // namespace
