#pragma once

#include "cli/arguments.h"

#include <string>
#include <vector>

// One command of pemblo-cli, with what --help says about it.
struct CliCommand {
    const char *name;
    const char *usage; // the words after the command name
    const char *help;
    std::vector<OptionSpec> options;
    std::size_t positionalCount;
    int (*run)(const Arguments &arguments);
};

// Exit codes besides 0 and the load error codes 1..4.
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_USAGE = 64;

// The usage line of a command, "usage: pemblo-cli NAME USAGE".
std::string UsageLine(const CliCommand &command);

// Parses the words after the command name and runs it: --help prints the
// help, a usage error the usage line.
int RunCliCommand(const CliCommand &command, const std::vector<std::string> &words);
