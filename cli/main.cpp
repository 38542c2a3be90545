// pemblo-cli: checks, simulates and uploads VELTOR light sequences without a
// window, on the same code as Pemblo! itself.

#include "cli/cli_command.h"
#include "cli/generate_command.h"
#include "cli/render_command.h"
#include "cli/sequence_commands.h"
#include "cli/upload_commands.h"
#include "resources/product.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

std::vector<const CliCommand *> AllCommands()
{
    std::vector<const CliCommand *> all;
    for (const auto *group :
        { &SequenceCommands(), &GenerateCommands(), &UploadCommands(), &RenderCommands() })
        for (const CliCommand &command : *group)
            all.push_back(&command);
    return all;
}

void PrintOverview(std::FILE *stream)
{
    std::fprintf(
        stream, "usage: pemblo-cli COMMAND [ARGUMENTS]\n       pemblo-cli --help | --version\n\ncommands:\n");
    for (const CliCommand *command : AllCommands())
        std::fprintf(stream, "  %s %s\n", command->name, command->usage);
    std::fprintf(stream, "\n'pemblo-cli COMMAND --help' tells more about a command.\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        PrintOverview(stderr);
        return EXIT_USAGE;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        PrintOverview(stdout);
        return CheckStandardOutput(0);
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("pemblo-cli %s\n", PRODUCT_VERSION);
        return 0;
    }
    const std::vector<std::string> words(argv + 2, argv + argc);
    for (const CliCommand *command : AllCommands())
        if (std::strcmp(argv[1], command->name) == 0)
            return CheckStandardOutput(RunCliCommand(*command, words));
    std::fprintf(stderr, "pemblo-cli: unknown command \"%s\"\n", argv[1]);
    PrintOverview(stderr);
    return EXIT_USAGE;
}
