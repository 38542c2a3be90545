#include "editor/editor_colours.h"

#include <gtest/gtest.h>

namespace
{

constexpr Rgb GREY { 128, 128, 128 };
constexpr Rgb RED { 255, 64, 64 };
constexpr Rgb BLUE { 0, 0, 255 };

TEST(EditorColours, ChannelCellsFormACheckerboardOverLineAndChannel)
{
    EXPECT_EQ(ChannelCellColour(true, false, 3, 1), (Rgb { 224, 224, 224 }));
    EXPECT_EQ(ChannelCellColour(true, false, 3, 2), (Rgb { 208, 208, 208 }));
    EXPECT_EQ(ChannelCellColour(false, true, 0, 7), (Rgb { 128, 64, 64 }));
    EXPECT_EQ(ChannelCellColour(false, true, 7, 7), (Rgb { 144, 80, 80 }));
}

TEST(EditorColours, TheExecutingLineShowsOnlyInTheIndexCell)
{
    EXPECT_EQ(IndexCellColour(false, false), GREY);
    EXPECT_EQ(IndexCellColour(false, true), RED);
    EXPECT_EQ(IndexCellColour(true, true), BLUE);
    EXPECT_EQ(TimeCellColour(true), RED);
}

TEST(EditorColours, FrameEdgesAreAnEighthLighterAndDarker)
{
    EXPECT_EQ(LightEdgeColour(GREY), (Rgb { 146, 146, 146 }));
    EXPECT_EQ(DarkEdgeColour(GREY), (Rgb { 112, 112, 112 }));
    // Lightening stops at full intensity.
    EXPECT_EQ(LightEdgeColour(RED), (Rgb { 255, 73, 73 }));
    EXPECT_EQ(DarkEdgeColour(RED), (Rgb { 223, 56, 56 }));
}

} // namespace
