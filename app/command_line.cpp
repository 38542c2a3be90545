#include "app/command_line.h"

const char PEMBLO_USAGE[]
    = "usage: pemblo [FILE.lsq]\n"
      "       pemblo ?          ask for the language again\n"
      "       pemblo --help | --version\n"
      "Opens FILE.lsq, or the sequence used last, in Pemblo!, the desktop tool for the\n"
      "VELTOR light controller. Qt's own options (-platform, -style, ...) work too.\n";

namespace
{

CommandLine UsageError(std::string error)
{
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.error = std::move(error);
    return line;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string> &arguments)
{
    CommandLine line;
    // The start-up forgets the language for "?" and reads no further.
    if (!arguments.empty() && arguments.front().rfind('?', 0) == 0)
        return line;
    // Answered wherever they stand among the options.
    for (const std::string &argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (argument == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
    }
    bool optionsEnd = false;
    for (const std::string &argument : arguments) {
        if (!optionsEnd && argument == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && !argument.empty() && argument[0] == '-') {
            return UsageError("unknown option " + argument);
        } else if (!line.file.empty()) {
            return UsageError("one file at most");
        } else {
            line.file = argument;
        }
    }
    return line;
}
