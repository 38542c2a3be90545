#include "editor/editor_colours.h"

#include <gtest/gtest.h>

namespace
{

constexpr Rgb GREY { 128, 128, 128 };
constexpr Rgb RED { 255, 64, 64 };
constexpr Rgb BLUE { 0, 0, 255 };

TEST(EditorColours, ChannelCellsFormACheckerboardPerState)
{
    EXPECT_EQ(ChannelCellColour(true, false, 0, 0), (Rgb { 224, 224, 224 }));
    EXPECT_EQ(ChannelCellColour(true, false, 0, 1), (Rgb { 208, 208, 208 }));
    EXPECT_EQ(ChannelCellColour(true, false, 3, 1), (Rgb { 224, 224, 224 }));
    EXPECT_EQ(ChannelCellColour(false, false, 1, 0), (Rgb { 64, 64, 64 }));
    EXPECT_EQ(ChannelCellColour(false, false, 2, 0), (Rgb { 80, 80, 80 }));
    EXPECT_EQ(ChannelCellColour(true, true, 1, 0), (Rgb { 255, 128, 128 }));
    EXPECT_EQ(ChannelCellColour(true, true, 1, 1), (Rgb { 255, 144, 144 }));
    EXPECT_EQ(ChannelCellColour(false, true, 0, 7), (Rgb { 128, 64, 64 }));
    EXPECT_EQ(ChannelCellColour(false, true, 7, 7), (Rgb { 144, 80, 80 }));
}

TEST(EditorColours, TheExecutingLineShowsOnlyInTheIndexCell)
{
    EXPECT_EQ(IndexCellColour(false, false), GREY);
    EXPECT_EQ(IndexCellColour(false, true), RED);
    EXPECT_EQ(IndexCellColour(true, true), BLUE);
    EXPECT_EQ(IndexCellColour(true, false), BLUE);
    EXPECT_EQ(TimeCellColour(true), RED);
    EXPECT_EQ(TimeCellColour(false), GREY);
    EXPECT_EQ(CommandNameColour(false), (Rgb { 16, 64, 16 }));
    EXPECT_EQ(CommandNameColour(true), (Rgb { 64, 16, 16 }));
    EXPECT_EQ(CommandParameterColour(false), (Rgb { 8, 48, 8 }));
    EXPECT_EQ(CommandParameterColour(true), (Rgb { 32, 8, 8 }));
}

TEST(EditorColours, FrameEdgesAreAnEighthLighterAndDarker)
{
    EXPECT_EQ(LightEdgeColour(GREY), (Rgb { 146, 146, 146 }));
    EXPECT_EQ(DarkEdgeColour(GREY), (Rgb { 112, 112, 112 }));
    // Lightening stops at full intensity.
    EXPECT_EQ(LightEdgeColour(RED), (Rgb { 255, 73, 73 }));
    EXPECT_EQ(DarkEdgeColour(RED), (Rgb { 223, 56, 56 }));
    EXPECT_EQ(LightEdgeColour(Rgb { 230, 0, 7 }), (Rgb { 255, 0, 8 }));
}

} // namespace
