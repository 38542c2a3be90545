#include "core/row_table.h"
#include "upload/upload_command.h"
#include "upload/upload_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace
{

SequenceRow Pattern(std::uint32_t pattern, std::uint16_t time)
{
    return { 0, pattern, time, 'X', 0 };
}

SequenceRow Command(std::uint8_t letter, std::uint16_t parameter)
{
    return { 1, 0x5A, 77, letter, parameter };
}

bool AllFF(UploadImage::const_iterator from, UploadImage::const_iterator to)
{
    return std::all_of(from, to, [](std::uint8_t b) { return b == 0xFF; });
}

// Patterns go through the port table and keep seven time bits; commands
// carry their codes, parameters and the fades' twelve-bit step.
TEST(UploadImage, EachRowBecomesItsTwoBytes)
{
    const std::pair<SequenceRow, std::pair<int, int>> cases[] = {
        { Pattern(0x01, 5), { 0x80, 0x05 } },
        { Pattern(0x03, 1), { 0x81, 0x01 } },
        { Pattern(0x80, 1), { 0x08, 0x01 } },
        { Pattern(0xFFFFFF00, 200), { 0x00, 0x48 } },
        { Pattern(0x54, 0xFFFF), { 0x70, 0x7F } },
        { Command(CMD_GOTO, 300), { 0x2C, 0x80 } },
        { Command(CMD_IF_ON, 17), { 17, 0x81 } },
        { Command(CMD_IF_OFF, 223), { 223, 0x82 } },
        { Command(CMD_DIM, 200), { 0x48, 0x83 } },
        { Command(CMD_MIRROR_ON, 99), { 0x00, 0x87 } },
        { Command(CMD_MIRROR_OFF, 99), { 0x01, 0x87 } },
        { Command(CMD_MIRROR_TOGGLE, 99), { 0x02, 0x86 } },
        { Command(CMD_FADE_OUT, 0), { 0xFF, 0xFC } },
        { Command(CMD_FADE_OUT, 2), { 0x7F, 0xC4 } },
        { Command(CMD_FADE_OUT, 5000), { 0x00, 0x84 } },
        { Command(CMD_FADE_IN, 1), { 0xFF, 0x85 } },
        { Command(CMD_FADE_IN, 16), { 0x0F, 0xFD } },
    };
    for (const auto &[row, bytes] : cases) {
        RowTable table;
        table.Append(row);
        const UploadImage image = EncodeUploadImage(table);
        EXPECT_EQ(std::make_pair(int(image[0]), int(image[1])), bytes) << row.command << " " << row.parameter;
    }
}

TEST(UploadImage, UnknownLettersAreDroppedAndLaterRowsMoveUp)
{
    RowTable table;
    const UploadImage empty = EncodeUploadImage(table);
    EXPECT_TRUE(AllFF(empty.begin(), empty.end()));
    table.Append(Pattern(0x01, 1));
    table.Append(Command('H', 3));
    table.Append(Command('X', 3));
    table.Append(Command(CMD_GOTO, 2));
    const UploadImage image = EncodeUploadImage(table);
    EXPECT_EQ(image[0], 0x80);
    EXPECT_EQ(image[2], 2);
    EXPECT_EQ(image[3], 0x80);
    EXPECT_TRUE(AllFF(image.begin() + 4, image.end()));
}

TEST(UploadImage, AFullTableFillsTheImage)
{
    RowTable table;
    for (int i = 0; i < MAX_ROWS; ++i)
        table.Append(Pattern(0, static_cast<std::uint16_t>(i % 128)));
    const UploadImage image = EncodeUploadImage(table);
    EXPECT_EQ(image[UPLOAD_IMAGE_SIZE - 2], 0x00);
    EXPECT_EQ(image[UPLOAD_IMAGE_SIZE - 1], (MAX_ROWS - 1) % 128);
    EXPECT_EQ(std::count(image.begin(), image.end(), 0xFF), 0);
}

TEST(UploadCommand, SendingFlagFollowsTheTransmission)
{
    RowTable table;
    table.Append(Pattern(0x01, 5));
    bool sending = false;
    int blocks = 0;
    std::uint8_t first = 0;
    auto transmit = [&](int blockCount, const std::uint8_t *image) {
        EXPECT_TRUE(sending);
        blocks = blockCount;
        first = image[0];
        return true;
    };
    EXPECT_TRUE(StartUpload(table, sending, transmit));
    EXPECT_TRUE(sending);
    EXPECT_EQ(blocks, UPLOAD_BLOCK_COUNT);
    EXPECT_EQ(first, 0x80);

    bool released = false;
    FinishUpload(sending, [&] { released = true; });
    EXPECT_TRUE(released);
    EXPECT_FALSE(sending);

    EXPECT_FALSE(StartUpload(table, sending, [](int, const std::uint8_t *) { return false; }));
    EXPECT_FALSE(sending);
}

} // namespace
