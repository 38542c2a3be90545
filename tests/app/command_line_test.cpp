#include "app/command_line.h"

#include <gtest/gtest.h>

namespace
{

using Action = CommandLine::Action;

TEST(CommandLine, HelpVersionAFileAndTheQuestionMarkAreTakenAndAnythingElseIsAUsageError)
{
    struct Row {
        std::vector<std::string> arguments;
        Action action;
        std::string file;
    };
    const Row rows[] = {
        { {}, Action::Run, "" },
        { { "mine.lsq" }, Action::Run, "mine.lsq" },
        { { "--help" }, Action::Help, "" },
        { { "-h" }, Action::Help, "" },
        // Answered before Qt has taken its options out.
        { { "-style", "fusion", "-h" }, Action::Help, "" },
        { { "--version" }, Action::Version, "" },
        { { "--bogus" }, Action::UsageError, "" },
        { { "-x", "mine.lsq" }, Action::UsageError, "" },
        { { "a.lsq", "b.lsq" }, Action::UsageError, "" },
        { { "--", "-odd.lsq" }, Action::Run, "-odd.lsq" },
        { { "--", "--help" }, Action::Run, "--help" },
        { { "-" }, Action::UsageError, "" },
        // "?" asks for the language and the start-up reads no further.
        { { "?" }, Action::Run, "" },
        { { "?x", "mine.lsq", "--bogus" }, Action::Run, "" },
    };
    for (const Row &row : rows) {
        std::string joined;
        for (const std::string &argument : row.arguments)
            joined += argument + ' ';
        SCOPED_TRACE(joined);
        const CommandLine line = ParseCommandLine(row.arguments);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.file, row.file);
        EXPECT_EQ(line.error.empty(), row.action != Action::UsageError);
    }
}

TEST(CommandLine, BeforeQtHasTakenItsOptionsOutTheyAndTheirValuesArePassedOver)
{
    struct Row {
        std::vector<std::string> arguments;
        Action action;
        std::string file;
    };
    const Row rows[] = {
        { { "-platform", "offscreen", "mine.lsq" }, Action::Run, "mine.lsq" },
        { { "--platform=wayland", "-reverse", "mine.lsq" }, Action::Run, "mine.lsq" },
        { { "-style", "fusion", "-session", "x1", "-qwindowgeometry", "10x10" }, Action::Run, "" },
        { { "-platform", "offscreen", "--bogus" }, Action::UsageError, "" },
        { { "--bogus", "-platform", "offscreen" }, Action::UsageError, "" },
        { { "-platforms" }, Action::UsageError, "" },
    };
    for (const Row &row : rows) {
        std::string joined;
        for (const std::string &argument : row.arguments)
            joined += argument + ' ';
        SCOPED_TRACE(joined);
        const CommandLine line = ParseCommandLine(row.arguments, true);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.file, row.file);
    }
}

} // namespace
