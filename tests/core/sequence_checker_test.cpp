#include "core/sequence_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{

using Rows = std::vector<SequenceRow>;

SequenceRow P(std::uint32_t pattern, std::uint16_t time)
{
    return { 0, pattern, time, 0, 0 };
}

SequenceRow C(std::uint8_t letter, std::uint16_t parameter = 0)
{
    return { 1, 0, 0, letter, parameter };
}

// A held pattern, then `commands` DIM rows, then a held pattern and GOTO 0:
// the second tick fetches commands + 1 rows.
Rows LongTick(int commands)
{
    Rows rows { P(1, 5) };
    rows.insert(rows.end(), static_cast<std::size_t>(commands), C(CMD_DIM, 9));
    rows.insert(rows.end(), { P(2, 5), C(CMD_GOTO, 0) });
    return rows;
}

struct Expected {
    int row;
    char severity; // 'E' or 'W'
    const char *code;
    const char *text; // a part of the finding's text
};

struct Case {
    const char *what;
    Rows rows;
    std::vector<Expected> findings;
};

// Every rule, each beside a neighbour just inside it that must stay silent.
TEST(SequenceChecker, FindsExactlyWhatTheDeviceAndTheSimulationDo)
{
    const Case cases[] = {
        { "a clean loop", { P(0xFF, 10), C(CMD_GOTO, 0) }, {} },
        { "an unknown row before a jump target", { P(1, 5), C('X'), P(2, 5), C(CMD_GOTO, 2) },
            { { 1, 'E', "unknown-command-moves-rows", "GOTO 2 in row 3 lands on row 3" } } },
        { "an unknown row after every target", { P(1, 5), C('X'), C(CMD_GOTO, 0) },
            { { 1, 'W', "unknown-command", "'X'" } } },
        { "times of 7 bits", { P(1, 200), P(2, 127), C(CMD_GOTO, 0) },
            { { 0, 'E', "time-7-bits", "for 72 ticks" } } },
        { "a jump above 255 onto a slot", { P(1, 5), P(2, 5), C(CMD_GOTO, 257) },
            { { 2, 'E', "jump-8-bits", "jumps to row 1" }, { 2, 'W', "ends", "after 10 ticks" } } },
        { "a jump above 255 past the slots", { P(1, 5), C(CMD_GOTO, 300) },
            { { 1, 'W', "jump-past-end", "GOTO 300" }, { 1, 'W', "ends", "after 5 ticks" } } },
        { "fades above 4095",
            { C(CMD_FADE_IN, 5000), C(CMD_FADE_OUT, 4095), C(CMD_FADE_OUT, 8192), C(CMD_FADE_OUT, 8177),
                P(1, 5), C(CMD_GOTO, 0) },
            { { 0, 'E', "fade-12-bits", "fades as FADE IN 904" } } },
        { "DIM above 127", { C(CMD_DIM, 200), C(CMD_DIM, 127), P(1, 5), C(CMD_GOTO, 0) },
            { { 0, 'W', "dim-7-bits", "dims to 72" } } },
        { "channels above 8", { P(0x100, 5), P(0xFF, 5), C(CMD_GOTO, 0) },
            { { 0, 'W', "channel-above-8", "channel 8" } } },
        { "a loop with the input on",
            { P(1, 5), C(CMD_IF_ON, 3), C(CMD_GOTO, 0), C(CMD_DIM, 5), C(CMD_GOTO, 3) },
            { { 3, 'E', "endless-loop", "rows 3-4 repeat without a pattern row that holds (input on)" } } },
        { "a loop over a pattern of time 0", { P(1, 5), P(2, 0), C(CMD_GOTO, 1) },
            { { 1, 'E', "endless-loop",
                "rows 1-2 repeat without a pattern row that holds (input on or off)" } } },
        { "a row that jumps to itself", { P(1, 5), C(CMD_GOTO, 1) },
            { { 1, 'E', "endless-loop",
                "row 1 repeats without a pattern row that holds (input on or off)" } } },
        { "99 fetches to a hold", LongTick(98), {} },
        { "100 fetches to a hold", LongTick(99),
            { { 1, 'E', "runaway", "rows 1-100 take 100 fetches" },
                { 101, 'W', "unreachable", "row 101 is never reached" } } },
        { "a jump past the end", { P(1, 5), C(CMD_IF_OFF, 3), C(CMD_GOTO, 0) },
            { { 1, 'W', "jump-past-end", "the last row (2)" }, { 1, 'W', "ends", "after 5 ticks" } } },
        { "rows only the input reaches",
            { P(1, 5), C(CMD_IF_ON, 4), C(CMD_GOTO, 0), P(2, 5), P(3, 5), C(CMD_GOTO, 0) },
            { { 3, 'W', "unreachable", "row 3 is never reached" } } },
        { "an end by itself", { P(1, 20), P(0, 20) }, { { 1, 'W', "ends", "after 40 ticks (0.48 s)" } } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RowTable table;
        for (const SequenceRow &row : c.rows)
            table.Append(row);
        const std::vector<Finding> found = CheckSequence(table);
        EXPECT_EQ(found.size(), c.findings.size()) << (found.empty() ? "" : found[0].text);
        for (std::size_t k = 0; k < std::min(found.size(), c.findings.size()); ++k) {
            const Expected &expected = c.findings[k];
            EXPECT_EQ(found[k].row, expected.row);
            EXPECT_EQ(found[k].severity == FindingSeverity::Error ? 'E' : 'W', expected.severity);
            EXPECT_EQ(found[k].code, expected.code);
            EXPECT_NE(found[k].text.find(expected.text), std::string::npos) << found[k].text;
        }
    }
}

TEST(SequenceChecker, WritesSecondsWithTheLanguagesDecimalPoint)
{
    RowTable table;
    table.Append({ 0, 1, 20, 0, 0 });
    table.Append({ 0, 0, 20, 0, 0 });
    FindingTexts texts;
    texts.decimalPoint = ",";
    const std::vector<Finding> found = CheckSequence(table, texts);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].text.find("after 40 ticks (0,48 s)"), std::string::npos) << found[0].text;
}

} // namespace
