#pragma once

#include "cli/arguments.h"

#include <cstdint>
#include <string>
#include <vector>

using RunFunction = int(const Arguments &arguments);

// Where the run of a command is kept that needs libraries the others do not
// (Qt's pictures, the sound output): a module (see platform/module_loader.h)
// and the function in it, of type RunFunction. pemblo-cli loads it only to
// run the command, so that the other commands start without Qt.
struct CommandModule {
    const char *name;
    const char *function;
};

// The positionalCount of a command that takes one or more files.
inline constexpr std::size_t ONE_OR_MORE = SIZE_MAX;

// One command of pemblo-cli, with what --help says about it.
struct CliCommand {
    const char *name;
    const char *usage; // the words after the command name
    const char *help;
    std::vector<OptionSpec> options;
    std::size_t positionalCount; // or ONE_OR_MORE
    RunFunction *run; // null for a command kept in a module
    CommandModule module {};
    // What a positional argument is, for the usage error "expected one file".
    const char *positionalName = "file";
};

// The modules of the commands that draw and of the one that plays sound.
inline constexpr char PICTURES_MODULE[] = "pemblo_cli_pictures";
inline constexpr char PLAY_MODULE[] = "pemblo_cli_play";

// Exit codes besides 0 and the load error codes 1..4.
inline constexpr int EXIT_FAILED = 1;
// What lint and decode --expect exit with when a sequence file cannot be
// loaded, whatever the load error, apart from the 1 of a finding or a
// difference.
inline constexpr int EXIT_NOT_LOADED = 2;
inline constexpr int EXIT_USAGE = 64;

// The usage line of a command, "usage: pemblo-cli NAME USAGE".
std::string UsageLine(const CliCommand &command);

// Parses the words after the command name and runs it: --help prints the
// help, a usage error the usage line.
int RunCliCommand(const CliCommand &command, const std::vector<std::string> &words);

// Ends a command: when its standard output could not be written, says so
// and turns success into exit code 1.
int CheckStandardOutput(int exitCode);
