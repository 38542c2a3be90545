#include "editor/clipboard_text.h"

#include <gtest/gtest.h>

namespace
{

std::vector<SequenceRow> Read(std::string_view text)
{
    const auto rows = ReadClipboardText(text, 8);
    EXPECT_TRUE(rows.has_value()) << text;
    return rows.value_or(std::vector<SequenceRow> {});
}

TEST(ClipboardText, LinesCarryLetterTimeParameterAndChannels)
{
    EXPECT_EQ(FormatClipboardLine({ 0, 0x05, 5, 0, 0 }, 8), "00000500*.*.....\r\n");
    EXPECT_EQ(FormatClipboardLine({ 1, 0x80, 1, CMD_GOTO, 12 }, 8), "0047010c.......*\r\n");
    // Only the low bytes travel, and no bits above the channels; a pattern
    // row's stored command stays behind.
    EXPECT_EQ(FormatClipboardLine({ 0, 0x301, 300, CMD_FADE_IN, 1000 }, 8), "00002ce8*.......\r\n");

    RowTable::Records rows {};
    rows[1] = { 1, 0, 1, CMD_FADE_IN, 1000 };
    rows[3] = { 0, 0x01, 20, 0, 0 };
    EditorSelection selection;
    selection.Select(3);
    selection.Select(1);
    const std::string text = FormatClipboardText(rows, selection, 8);
    EXPECT_EQ(text, "004501e8........\r\n00001400*.......\r\n");
    EXPECT_EQ(
        Read(text), (std::vector<SequenceRow> { { 1, 0, 1, CMD_FADE_IN, 232 }, { 0, 0x01, 20, 0, 0 } }));
}

TEST(ClipboardText, ReadsWhatOtherProgramsWrite)
{
    // Upper-case digits, characters of other programs' line ends and
    // bytes from 0x80 up are taken or skipped; short lines are read as far
    // as they go.
    EXPECT_EQ(Read("0047010C\t.*\r\n"), (std::vector<SequenceRow> { { 1, 0x02, 1, CMD_GOTO, 12 } }));
    EXPECT_EQ(Read(std::string("0000") + '\xe9' + "0500*\r\n"),
        (std::vector<SequenceRow> { { 0, 0x01, 5, 0, 0 } }));
    EXPECT_EQ(Read("14\r\n").front(), (SequenceRow { 0, 0, 0, 0, 0x14 }));
    // Lone LFs end lines as CR LF does; CR LF is one line end.
    EXPECT_EQ(Read("00000100*\n00000200.*\r\n00000300\r").size(), 3u);
    // A last line without its end is not read, nor anything after a NUL.
    EXPECT_EQ(Read("00000100*\r\n00000200").size(), 1u);
    EXPECT_EQ(Read(std::string("00000100*\r\n") + '\0' + "00000200\r\n").size(), 1u);
    // Channels past the eighth are skipped.
    EXPECT_EQ(Read("00000100.........*\r\n").front().pattern, 0u);
}

TEST(ClipboardText, AnyCharacterOutOfPlaceRejectsTheWholeText)
{
    EXPECT_FALSE(ReadClipboardText("00000500*.*.....\r\n000000500*.*.....\r\n", 8));
    EXPECT_FALSE(ReadClipboardText("00000500*x\r\n", 8));
    EXPECT_FALSE(ReadClipboardText("0000g500\r\n", 8));
    EXPECT_FALSE(ReadClipboardText("00000500 *\r\n", 8));
    EXPECT_FALSE(ReadClipboardText("0000050.\r\n", 8));
}

} // namespace
