#include "editor/command_display.h"

#include <gtest/gtest.h>

namespace
{

TEST(CommandDisplay, NamesFitTheirCellAndUnknownLettersShowQuestionMarks)
{
    EXPECT_STREQ(CommandDisplayName('D'), "DIM");
    EXPECT_STREQ(CommandDisplayName('J'), "IF OFF THEN");
    EXPECT_STREQ(CommandDisplayName('O'), "MIRROR TGL");
    EXPECT_STREQ(CommandDisplayName('X'), "???");
    EXPECT_STREQ(CommandDisplayName(0), "???");
}

TEST(CommandDisplay, ParametersShowWhatTheDeviceReads)
{
    EXPECT_EQ(CommandParameterText('G', 300), "0");
    EXPECT_EQ(CommandParameterText('I', 223), "223");
    EXPECT_EQ(CommandParameterText('J', 224), "0");
    EXPECT_EQ(CommandParameterText('D', 200), "72");
    EXPECT_EQ(CommandParameterText('E', 4095), "4095");
    EXPECT_EQ(CommandParameterText('F', 5000), "904");
    EXPECT_EQ(CommandParameterText('M', 5), "");
    EXPECT_EQ(CommandParameterText('X', 5), "");
}

TEST(CommandDisplay, TimeCellShowsTheTimeOrCmd)
{
    EXPECT_EQ(TimeCellText({ 0, 0, 65535, 'G', 0 }), "65535");
    EXPECT_EQ(TimeCellText({ 1, 0, 20, 'G', 0 }), "CMD");
}

} // namespace
