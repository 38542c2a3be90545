#include "cli/cli_command.h"

#include "platform/module_loader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{

int RunInModule(const CliCommand &command, const Arguments &arguments)
{
    std::string error;
    RunFunction *run
        = ResolveModuleFunction<RunFunction>(command.module.name, command.module.function, error);
    if (!run) {
        std::fprintf(stderr, "pemblo-cli %s: %s\n", command.name, error.c_str());
        return EXIT_FAILED;
    }
    return run(arguments);
}

void CheckPositionalCount(const CliCommand &command, std::size_t given)
{
    if (command.positionalCount == ONE_OR_MORE) {
        if (given == 0)
            throw UsageError(std::string("expected one or more ") + command.positionalName + "s");
        return;
    }
    if (given != command.positionalCount)
        throw UsageError(command.positionalCount == 1 ? std::string("expected one ") + command.positionalName
                                                      : std::string("wrong number of arguments"));
}

} // namespace

std::string UsageLine(const CliCommand &command)
{
    return std::string("usage: pemblo-cli ") + command.name + " " + command.usage;
}

int RunCliCommand(const CliCommand &command, const std::vector<std::string> &words)
{
    if (std::find(words.begin(), words.end(), "--help") != words.end()) {
        std::printf("%s\n\n%s\n", UsageLine(command).c_str(), command.help);
        return 0;
    }
    try {
        const Arguments arguments(words, command.options);
        CheckPositionalCount(command, arguments.Positionals().size());
        return command.run ? command.run(arguments) : RunInModule(command, arguments);
    } catch (const UsageError &error) {
        std::fprintf(
            stderr, "pemblo-cli %s: %s\n%s\n", command.name, error.what(), UsageLine(command).c_str());
        return EXIT_USAGE;
    }
}

int CheckStandardOutput(int exitCode)
{
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout))
        return exitCode;
    std::fprintf(stderr, "pemblo-cli: cannot write the output%s%s\n", flushed ? "" : ": ",
        flushed ? "" : std::strerror(error));
    return exitCode == 0 ? EXIT_FAILED : exitCode;
}
