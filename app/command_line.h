#pragma once

#include <string>
#include <vector>

// What the command line of pemblo asks for. Qt takes its own options
// (-platform, -style, -session, ...) out of it first; what starts with "-"
// after that is no option of Pemblo!'s.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };

    Action action = Action::Run;
    // The sequence file to open, as given; empty for none. A first argument
    // that starts with "?" asks for the language again and opens nothing.
    std::string file;
    // For a usage error: what was wrong.
    std::string error;
};

// arguments without the program name. Before Qt has taken its options out,
// withQtOptions passes over them (and their values), so that a command line
// can be refused before anything needs a screen.
CommandLine ParseCommandLine(const std::vector<std::string> &arguments, bool withQtOptions = false);

// The exit code of a usage error, as sysexits.h has it.
inline constexpr int EXIT_USAGE = 64;

// The usage, for --help on stdout and after a usage error on stderr.
extern const char PEMBLO_USAGE[];
