#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "core/text_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const std::string HEADER = "#=QUORBEL\nV=1\nD=VELTOR3\n";

// A table with rows already in it, to see what a failed read leaves.
struct Document {
    Document() { table.LoadDefault(); }

    // Reads text; returns the load error code, or 0.
    int Read(const std::string &text)
    {
        MemoryTextInput input(text);
        try {
            ReadSequenceFile(device, input);
            return 0;
        } catch (const LoadError &error) {
            return error.Code();
        }
    }

    std::string Write() const
    {
        StringTextOutput output;
        WriteSequenceFile(device, output);
        return output.Text();
    }

    RowTable table;
    SequenceInterpreter device { table };
};

std::string ReadOneLine(const std::string &text)
{
    MemoryTextInput input(text);
    char buffer[LINE_BUFFER_SIZE];
    ReadLine(buffer, sizeof buffer, input);
    return buffer;
}

TEST(SequenceFile, DefaultSequenceIsWrittenAsItsFourRowLines)
{
    Document doc;
    EXPECT_EQ(doc.Write(),
        HEADER
            + "0100000000000046000f\n"
              "00000000ff0014580000\n"
              "00000000000014580000\n"
              "01000000000000470000\n");
}

TEST(SequenceFile, RoundTripKeepsEveryFieldOfEveryRow)
{
    Document doc;
    doc.table.Clear();
    doc.table.Append({ 0, 0xABCD12FF, 0xFFFF, 'X', 0x1234 }); // high pattern bits, old letter
    doc.table.Append({ 1, 0x000000FF, 20, 'H', 0xFFFF }); // unknown command, old pattern
    doc.table.Append({ 1, 0x00000005, 7, CMD_GOTO, 5 });
    const RowTable written = doc.table;

    Document reread;
    ASSERT_EQ(reread.Read(doc.Write()), 0);
    ASSERT_EQ(reread.table.GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(*reread.table.GetRow(i), *written.GetRow(i)) << "row " << i;
}

TEST(SequenceFile, HeaderErrorsKeepTheTable)
{
    struct Case {
        std::string text;
        int code;
    } cases[] = {
        { "", LOAD_INVALID },
        { " #=QUORBEL\nV=1\nD=VELTOR3\n", LOAD_INVALID },
        { "#=quorbel\nV=1\nD=VELTOR3\n", LOAD_INVALID },
        { "#=QUORBEL\nV=2\nD=VELTOR3\n", LOAD_VERSION },
        { "#=QUORBEL\nV=1\nD=VELTOR4\n00000000ff0014580000\n", LOAD_OTHER_DEVICE },
        { "#=QUORBEL\nV=1\n", LOAD_OTHER_DEVICE },
    };
    for (const Case &c : cases) {
        Document doc;
        EXPECT_EQ(doc.Read(c.text), c.code) << c.text;
        EXPECT_EQ(doc.table.GetCount(), 4) << c.text;
    }
}

TEST(SequenceFile, MissingFileIsCodeOneAndKeepsTheTable)
{
    Document doc;
    try {
        LoadSequenceFile(doc.device, "/nonexistent/dir/x.lsq");
        FAIL() << "no error";
    } catch (const LoadError &error) {
        EXPECT_EQ(error.Code(), LOAD_CANNOT_OPEN);
        EXPECT_STREQ(error.what(), "file not found");
    }
    EXPECT_THROW(LoadSequenceFile(doc.device, "/tmp"), LoadError);
    EXPECT_EQ(doc.table.GetCount(), 4);
}

TEST(SequenceFile, HeaderAloneIsAnEmptySequence)
{
    Document doc;
    EXPECT_EQ(doc.Read(HEADER), 0);
    EXPECT_EQ(doc.table.GetCount(), 0);
    EXPECT_EQ(doc.Read("#=QUORBEL\r\nV=1\r\nD=VELTOR3"), 0);
    EXPECT_EQ(doc.table.GetCount(), 0);
}

TEST(SequenceFile, LineEndsTrailingBlanksCaseAndBlankLinesDoNotMatter)
{
    Document doc;
    const std::string text = "#=QUORBEL \t\r\nV=1\t\r\nD=VELTOR3  \r\n"
                             "\r\n"
                             "00000000FF0014580000\r\n"
                             "      \n"
                             "\t\n"
                             "01000000000000470000"; // no line end
    ASSERT_EQ(doc.Read(text), 0);
    ASSERT_EQ(doc.table.GetCount(), 2);
    EXPECT_EQ(*doc.table.GetRow(0), (SequenceRow { 0, 0xFF, 20, 'X', 0 }));
    EXPECT_EQ(*doc.table.GetRow(1), (SequenceRow { 1, 0, 0, CMD_GOTO, 0 }));
}

TEST(SequenceFile, ShortRowLineEmptiesTheTable)
{
    Document doc;
    EXPECT_EQ(doc.Read(HEADER + "00000000ff0014580000\n0000000000001458000\n"), LOAD_INVALID);
    EXPECT_EQ(doc.table.GetCount(), 0);
}

TEST(SequenceFile, MoreRowsThanTheDeviceHoldsAreRefused)
{
    std::string rows;
    for (int i = 0; i < MAX_ROWS; ++i)
        rows += "00000000010001580000\n";
    Document full;
    EXPECT_EQ(full.Read(HEADER + rows + "\n"), 0);
    EXPECT_EQ(full.table.GetCount(), MAX_ROWS);

    Document over;
    EXPECT_EQ(over.Read(HEADER + rows + "00000000010001580000\n"), LOAD_INVALID);
    EXPECT_EQ(over.table.GetCount(), 0);
}

TEST(SequenceFile, LongRowLinesGiveTheirRestToTheParameter)
{
    Document doc;
    ASSERT_EQ(doc.Read(HEADER
                  + "010000000000004700051\n" // 21 digits: parameter 0x51
                    "0100000000000047123456\n" // low 16 bits of 0x123456
                    "01000000000000471234567890\n"), // saturated
        0);
    EXPECT_EQ(doc.table.GetRow(0)->parameter, 0x0051);
    EXPECT_EQ(doc.table.GetRow(1)->parameter, 0x3456);
    EXPECT_EQ(doc.table.GetRow(2)->parameter, 0xFFFF);
}

TEST(SequenceFile, LinesOverSeventyEightCharactersAreSplit)
{
    const std::string first78 = "00000000ff0014580000" + std::string(58, '0');
    Document twoRows;
    EXPECT_EQ(twoRows.Read(HEADER + first78 + "01000000000000470003\n"), 0);
    ASSERT_EQ(twoRows.table.GetCount(), 2);
    EXPECT_EQ(twoRows.table.GetRow(1)->parameter, 3);

    Document shortRest;
    EXPECT_EQ(shortRest.Read(HEADER + first78 + "12\n"), LOAD_INVALID);
    EXPECT_EQ(shortRest.table.GetCount(), 0);
}

TEST(SequenceFile, FieldsAreConvertedOneByOneLikeStrtoul)
{
    Document doc;
    // Fields: " 1" | "-0000001" | "  +a" | "zz" | "0x1f"
    ASSERT_EQ(doc.Read(HEADER + " 1-0000001  +azz0x1f\n"), 0);
    const SequenceRow row = *doc.table.GetRow(0);
    EXPECT_EQ(row.isCommand, 1);
    EXPECT_EQ(row.pattern, 0xFFFFFFFFu);
    EXPECT_EQ(row.time, 0x000A);
    EXPECT_EQ(row.command, 0);
    EXPECT_EQ(row.parameter, 0x001F);

    EXPECT_EQ(ParseHex32(""), 0u);
    EXPECT_EQ(ParseHex32("0x"), 0u);
    EXPECT_EQ(ParseHex32("0xg1"), 0u);
    EXPECT_EQ(ParseHex32("\v\f ffffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("100000000"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("-100000000"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("-ffffffff"), 1u);
    EXPECT_EQ(ParseHex32("00000000000000000000012"), 0x12u);
    EXPECT_EQ(ParseHex32("+-1"), 0u);
}

TEST(SequenceFile, ReadLineTrimsAndStaysWithinItsBuffer)
{
    EXPECT_EQ(ReadOneLine("abc \t\r\n"), "abc");
    EXPECT_EQ(ReadOneLine("abc\x80\xff\n"), "abc");
    EXPECT_EQ(ReadOneLine("ab\xe9z\n"), "ab\xe9z");
    EXPECT_EQ(ReadOneLine(std::string("ab\0cd\n", 6)), "ab");
    EXPECT_EQ(ReadOneLine("ab\rcd\n"), "ab\rcd");
    EXPECT_EQ(ReadOneLine(""), "");
    EXPECT_EQ(ReadOneLine(std::string(200, 'x')), std::string(78, 'x'));

    MemoryTextInput input("0123456789\n");
    char small[5];
    ReadLine(small, sizeof small, input);
    EXPECT_STREQ(small, "012");
    ReadLine(small, sizeof small, input);
    EXPECT_STREQ(small, "345");
}

} // namespace
