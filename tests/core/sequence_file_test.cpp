#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "core/text_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const std::string HEADER = "#=QUORBEL\nV=1\nD=VELTOR3\n";

// A table with the four default rows in it, to see what a failed read leaves.
struct Document {
    Document() { table.LoadDefault(); }

    // Reads text; returns the load error code, or 0.
    int Read(const std::string &text)
    {
        MemoryTextInput input(text);
        try {
            ReadSequenceFile(table, input);
            return 0;
        } catch (const LoadError &error) {
            return error.Code();
        }
    }

    std::string Write() const
    {
        StringTextOutput output;
        WriteSequenceFile(table, output);
        return output.Text();
    }

    RowTable table;
};

std::string ReadOneLine(const std::string &text)
{
    MemoryTextInput input(text);
    char buffer[LINE_BUFFER_SIZE];
    ReadLine(buffer, sizeof buffer, input);
    return buffer;
}

TEST(SequenceFile, DefaultSequenceIsWrittenAndEveryFieldReadsBack)
{
    Document doc;
    EXPECT_EQ(doc.Write(),
        HEADER
            + "0100000000000046000f\n"
              "00000000ff0014580000\n"
              "00000000000014580000\n"
              "01000000000000470000\n");

    doc.table.Clear();
    doc.table.Append({ 0, 0xABCD12FF, 0xFFFF, 'X', 0x1234 }); // high pattern bits, old letter
    doc.table.Append({ 1, 0x000000FF, 20, 'H', 0xFFFF }); // unknown command, old pattern
    doc.table.Append({ 1, 0x00000005, 7, CMD_GOTO, 5 });
    Document reread;
    ASSERT_EQ(reread.Read(doc.Write()), 0);
    EXPECT_EQ(reread.table, doc.table);
}

TEST(SequenceFile, ErrorsGiveTheirCodeAndHeaderErrorsKeepTheTable)
{
    std::string maxRows;
    for (int i = 0; i < MAX_ROWS; ++i)
        maxRows += "00000000010001580000\n";
    const std::string first78 = "00000000ff0014580000" + std::string(58, '0');
    const struct {
        std::string text;
        int code;
        int rowsLeft;
    } cases[] = {
        { "", LOAD_INVALID, 4 },
        { " #=QUORBEL\nV=1\nD=VELTOR3\n", LOAD_INVALID, 4 },
        { "#=quorbel\nV=1\nD=VELTOR3\n", LOAD_INVALID, 4 },
        { "#=QUORBEL\nV=2\nD=VELTOR3\n", LOAD_VERSION, 4 },
        { "#=QUORBEL\nV=1\nD=VELTOR4\n00000000ff0014580000\n", LOAD_OTHER_DEVICE, 4 },
        { "#=QUORBEL\nV=1\n", LOAD_OTHER_DEVICE, 4 },
        { HEADER + "00000000ff0014580000\n0000000000001458000\n", LOAD_INVALID, 0 }, // short row
        { HEADER + maxRows + "00000000010001580000\n", LOAD_INVALID, 0 }, // one row too many
        { HEADER + first78 + "12\n", LOAD_INVALID, 0 }, // the rest of a split line is short
        { HEADER + maxRows + "\n", 0, MAX_ROWS },
        { HEADER, 0, 0 },
        { "#=QUORBEL\r\nV=1\r\nD=VELTOR3", 0, 0 },
    };
    for (const auto &c : cases) {
        Document doc;
        EXPECT_EQ(doc.Read(c.text), c.code) << c.text;
        EXPECT_EQ(doc.table.GetCount(), c.rowsLeft) << c.text;
    }

    Document doc;
    try {
        LoadSequenceFile(doc.table, "/nonexistent/dir/x.lsq");
        FAIL() << "no error";
    } catch (const LoadError &error) {
        EXPECT_EQ(error.Code(), LOAD_CANNOT_OPEN);
        EXPECT_STREQ(error.what(), "file not found");
    }
    EXPECT_THROW(LoadSequenceFile(doc.table, "/tmp"), LoadError);
    EXPECT_EQ(doc.table.GetCount(), 4);
}

TEST(SequenceFile, LineEndsBlanksCaseLongAndSplitLines)
{
    Document doc;
    const std::string text = "#=QUORBEL \t\r\nV=1\t\r\nD=VELTOR3  \r\n"
                             "\r\n"
                             "00000000FF0014580000\r\n"
                             "      \n\t\n"
                             "010000000000004700051\n" // 21 digits: parameter 0x51
                             "0100000000000047123456\n" // low 16 bits of 0x123456
                             "01000000000000471234567890\n" // saturated
                             "00000000ff0014580000"
        + std::string(58, '0') + "01000000000000470003"; // split at 78 characters, no line end
    ASSERT_EQ(doc.Read(text), 0);
    ASSERT_EQ(doc.table.GetCount(), 6);
    EXPECT_EQ(*doc.table.GetRow(0), (SequenceRow { 0, 0xFF, 20, 'X', 0 }));
    EXPECT_EQ(*doc.table.GetRow(1), (SequenceRow { 1, 0, 0, CMD_GOTO, 0x51 }));
    EXPECT_EQ(doc.table.GetRow(2)->parameter, 0x3456);
    EXPECT_EQ(doc.table.GetRow(3)->parameter, 0xFFFF);
    EXPECT_EQ(*doc.table.GetRow(5), (SequenceRow { 1, 0, 0, CMD_GOTO, 3 }));
}

TEST(SequenceFile, FieldsAreConvertedOneByOneLikeStrtoul)
{
    Document doc;
    // Fields: " 1" | "-0000001" | "  +a" | "zz" | "0x1f"
    ASSERT_EQ(doc.Read(HEADER + " 1-0000001  +azz0x1f\n"), 0);
    EXPECT_EQ(*doc.table.GetRow(0), (SequenceRow { 1, 0xFFFFFFFFu, 0x000A, 0, 0x001F }));

    const std::pair<const char *, std::uint32_t> cases[] = { { "", 0 }, { "0x", 0 }, { "0xg1", 0 },
        { "\v\f ffffffff", 0xFFFFFFFF }, { "100000000", 0xFFFFFFFF }, { "-100000000", 0xFFFFFFFF },
        { "-ffffffff", 1 }, { "00000000000000000000012", 0x12 }, { "+-1", 0 } };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(ParseHex32(text), value) << text;
}

TEST(SequenceFile, ReadLineTrimsAndStaysWithinItsBuffer)
{
    const std::pair<std::string, std::string> lines[] = { { "abc \t\r\n", "abc" }, { "abc\x80\xff\n", "abc" },
        { "ab\xe9z\n", "ab\xe9z" }, { std::string("ab\0cd\n", 6), "ab" }, { "ab\rcd\n", "ab\rcd" },
        { std::string(200, 'x'), std::string(78, 'x') } };
    for (const auto &[text, line] : lines)
        EXPECT_EQ(ReadOneLine(text), line) << text;

    MemoryTextInput input("0123456789\n");
    char small[5];
    ReadLine(small, sizeof small, input);
    EXPECT_STREQ(small, "012");
    ReadLine(small, sizeof small, input);
    EXPECT_STREQ(small, "345");
}

} // namespace
