#include "app/command_line.h"

#include <algorithm>
#include <iterator>

const char PEMBLO_USAGE[]
    = "usage: pemblo [FILE.lsq]\n"
      "       pemblo ?          ask for the language again\n"
      "       pemblo --help | --version\n"
      "Opens FILE.lsq, or the sequence used last, in Pemblo!, the desktop tool for the\n"
      "VELTOR light controller. Qt's own options (-platform, -style, ...) work too.\n";

namespace
{

// The options Qt takes itself (QGuiApplication, QApplication, the X11
// platform), with "-" or "--", a value after them or after "=".
constexpr const char *QT_OPTIONS_WITH_VALUE[] = { "platform", "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "style", "stylesheet",
    "session", "display", "name", "visual", "qmljsdebugger", "fontengine" };
constexpr const char *QT_FLAGS[] = { "reverse", "widgetcount", "testability", "nograb", "dograb", "sync" };

bool Contains(const char *const *first, const char *const *last, const std::string &name)
{
    return std::find(first, last, name) != last;
}

// 0 when the argument is none of Qt's options, else how many arguments it
// takes: 2 with a value that follows it.
int QtOptionLength(const std::string &argument)
{
    const std::size_t dashes = argument.rfind("--", 0) == 0 ? 2 : 1;
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(dashes, equals == std::string::npos ? equals : equals - dashes);
    if (Contains(std::begin(QT_FLAGS), std::end(QT_FLAGS), name))
        return 1;
    if (Contains(std::begin(QT_OPTIONS_WITH_VALUE), std::end(QT_OPTIONS_WITH_VALUE), name))
        return equals == std::string::npos ? 2 : 1;
    return 0;
}

CommandLine UsageError(std::string error)
{
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.error = std::move(error);
    return line;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string> &arguments, bool withQtOptions)
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
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        const int qtOption = withQtOptions && !optionsEnd && argument.size() > 1 && argument[0] == '-'
            ? QtOptionLength(argument)
            : 0;
        if (qtOption > 0) {
            i += static_cast<std::size_t>(qtOption - 1);
        } else if (!optionsEnd && argument == "--") {
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
