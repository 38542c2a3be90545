#include "cli/sequence_commands.h"

#include "cli/input_schedule.h"

#include "core/row_table.h"
#include "core/sequence_checker.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace
{

// A sequence file read into its own table.
struct LoadedSequence {
    RowTable table;
    SequenceInterpreter device { table };
};

// One line per file, "N rows", and with several files the file's name
// first; the exit code is that of the first file that fails to load.
int RunCheck(const Arguments &arguments)
{
    const std::vector<std::string> &paths = arguments.Positionals();
    int exitCode = 0;
    for (const std::string &path : paths) {
        LoadedSequence sequence;
        if (const int code = LoadOrReport(sequence.table, path)) {
            exitCode = exitCode ? exitCode : code;
            continue;
        }
        if (paths.size() > 1)
            std::printf("%s: ", path.c_str());
        std::printf("%d rows\n", sequence.table.GetCount());
    }
    return exitCode;
}

int RunDump(const Arguments &arguments)
{
    LoadedSequence sequence;
    if (const int code = LoadOrReport(sequence.table, arguments.Positionals()[0]))
        return code;
    for (int i = 0; i < sequence.table.GetCount(); ++i) {
        const SequenceRow &row = *sequence.table.GetRow(i);
        std::printf("%d\t%s\t%s\n", i, FormatRowLine(row).c_str(), DescribeRow(row).c_str());
    }
    return 0;
}

void PrintTick(std::uint64_t tick, int row, const SequenceInterpreter::Outputs &levels)
{
    std::printf("%llu,%d", static_cast<unsigned long long>(tick), row);
    for (const std::int32_t level : levels)
        std::printf(",%d", static_cast<int>(level));
    std::putchar('\n');
}

int RunSimulate(const Arguments &arguments)
{
    const std::uint64_t ticks = arguments.Number("--ticks", DEFAULT_SIMULATION_TICKS, 0, MAX_TICKS);
    const InputSchedule input(arguments.Value("--input"));
    LoadedSequence sequence;
    if (const int code = LoadOrReport(sequence.table, arguments.Positionals()[0]))
        return code;

    std::printf("tick,row");
    for (int k = 0; k < LED_COUNT; ++k)
        std::printf(",led%d", k);
    std::putchar('\n');

    SequenceInterpreter &device = sequence.device;
    device.Reset();
    // Output that cannot be written ends the run; main says so.
    for (std::uint64_t tick = 1; tick <= ticks && !std::ferror(stdout); ++tick) {
        if (!device.Step(input.IsOn(tick) ? 1 : 0)) {
            const bool ended = sequence.table.GetRow(device.GetCurrentRow()) == nullptr;
            std::printf(
                "stopped,%llu,%s\n", static_cast<unsigned long long>(tick), ended ? "end" : "runaway");
            break;
        }
        PrintTick(tick, device.GetCurrentRow(), device.GetOutputs());
    }
    return 0;
}

int LintFile(const std::string &path, bool strict)
{
    LoadedSequence sequence;
    if (LoadOrReport(sequence.table, path))
        return EXIT_NOT_LOADED;
    int exitCode = 0;
    for (const Finding &finding : CheckSequence(sequence.table)) {
        std::printf("%s: row %d: %s: %s\n", path.c_str(), finding.row, SeverityName(finding.severity),
            finding.text.c_str());
        if (finding.severity == FindingSeverity::Error || strict)
            exitCode = EXIT_FAILED;
    }
    return exitCode;
}

// The worst exit code of the files: a file not loaded before one with errors.
int RunLint(const Arguments &arguments)
{
    int exitCode = 0;
    for (const std::string &path : arguments.Positionals())
        exitCode = std::max(exitCode, LintFile(path, arguments.Has("--strict")));
    return exitCode;
}

} // namespace

int LoadOrReport(RowTable &rows, const std::string &path)
{
    try {
        LoadSequenceFile(rows, path);
        return 0;
    } catch (const LoadError &error) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.what());
        return error.Code();
    }
}

const std::vector<CliCommand> &SequenceCommands()
{
    static const std::vector<CliCommand> commands = {
        { "check", "FILE...",
            "Loads each sequence file and prints its row count as \"N rows\", after\n"
            "the file's name when there are several files. On a load error it names\n"
            "the file and the error on stderr and exits with the load error code of\n"
            "the first file that fails: 1 cannot open, 2 invalid, 3 other version,\n"
            "4 other device.",
            {}, ONE_OR_MORE, RunCheck },
        { "dump", "FILE",
            "Prints one line per row: its index, a tab, its 20-digit line as a saved\n"
            "file holds it, a tab and what the row does.",
            {}, 1, RunDump },
        { "simulate", "FILE [--ticks N] [--input TICKS]",
            "Runs the sequence from its start for at most N ticks of 12 ms (default\n"
            "1000) and prints, after a header line, one CSV line per tick: the tick\n"
            "number, the row fetched last and the levels 0..127 of LEDs 0..9. A\n"
            "sequence that stops ends with \"stopped,T,end\" or \"stopped,T,runaway\".\n"
            "--input lists the ticks in which the input switch is on, as tick numbers\n"
            "and inclusive ranges: --input 3,50-80.",
            { { "--ticks", true }, { "--input", true } }, 1, RunSimulate },
        { "lint", "FILE... [--strict]",
            "Checks each sequence for where the device would do something other than\n"
            "the simulation shows, for what stops the simulation, and for what is\n"
            "stored without effect. Prints one line per finding, in row order:\n"
            "\"FILE: row N: error: text\" or \"FILE: row N: warning: text\". Exits 0\n"
            "without errors, 1 with one (with --strict also with a warning), 2 when\n"
            "a file cannot be loaded: the worst of all files.",
            { { "--strict", false } }, ONE_OR_MORE, RunLint },
    };
    return commands;
}
