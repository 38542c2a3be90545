#include "app/command_line.h"

#include <gtest/gtest.h>

namespace
{

using Action = CommandLine::Action;

// Before Qt has taken its options out (the check that needs no display),
// they and their values are passed over; after, anything else with a dash is
// a usage error either way.
TEST(CommandLine, HelpVersionAFileAndTheQuestionMarkAreTakenAndAnythingElseIsAUsageError)
{
    struct Row {
        std::vector<std::string> arguments;
        bool beforeQt;
        Action action;
        std::string file;
    };
    const Row rows[] = {
        { {}, false, Action::Run, "" },
        { { "mine.lsq" }, false, Action::Run, "mine.lsq" },
        { { "--help" }, false, Action::Help, "" },
        { { "-h" }, false, Action::Help, "" },
        { { "-style", "fusion", "-h" }, false, Action::Help, "" },
        { { "--version" }, false, Action::Version, "" },
        { { "--bogus" }, false, Action::UsageError, "" },
        { { "-x", "mine.lsq" }, false, Action::UsageError, "" },
        { { "a.lsq", "b.lsq" }, false, Action::UsageError, "" },
        { { "--", "-odd.lsq" }, false, Action::Run, "-odd.lsq" },
        { { "--", "--help" }, false, Action::Run, "--help" },
        { { "-" }, false, Action::UsageError, "" },
        // "?" asks for the language and the start-up reads no further.
        { { "?" }, false, Action::Run, "" },
        { { "?x", "mine.lsq", "--bogus" }, false, Action::Run, "" },
        { { "-platform", "offscreen", "mine.lsq" }, true, Action::Run, "mine.lsq" },
        { { "--platform=wayland", "-reverse", "mine.lsq" }, true, Action::Run, "mine.lsq" },
        { { "-style", "fusion", "-session", "x1", "-qwindowgeometry", "10x10" }, true, Action::Run, "" },
        { { "-platform", "offscreen", "--bogus" }, true, Action::UsageError, "" },
        { { "--bogus", "-platform", "offscreen" }, true, Action::UsageError, "" },
        { { "-platforms" }, true, Action::UsageError, "" },
    };
    for (const Row &row : rows) {
        std::string joined = row.beforeQt ? "before Qt: " : "";
        for (const std::string &argument : row.arguments)
            joined += argument + ' ';
        SCOPED_TRACE(joined);
        const CommandLine line = ParseCommandLine(row.arguments, row.beforeQt);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.file, row.file);
        EXPECT_EQ(line.error.empty(), row.action != Action::UsageError);
    }
}

} // namespace
