#include "cli/sequence_commands.h"

#include "core/row_table.h"
#include "core/sequence_checker.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"

#include <cstdio>
#include <string>
#include <utility>

namespace
{

constexpr std::uint64_t DEFAULT_TICKS = 1000;
// lint's exit code for a file that cannot be loaded, whatever the load error.
constexpr int EXIT_NOT_LOADED = 2;

// A sequence file read into its own table.
struct LoadedSequence {
    RowTable table;
    SequenceInterpreter device { table };
};

// The ticks in which the input switch is on: "3,5-10" is ticks 3 and 5..10.
class InputSchedule
{
public:
    explicit InputSchedule(const std::string &text)
    {
        if (text.empty())
            return;
        std::size_t begin = 0;
        while (true) {
            const std::size_t end = std::min(text.find(',', begin), text.size());
            m_ranges.push_back(ParseRange(text.substr(begin, end - begin)));
            if (end == text.size())
                break;
            begin = end + 1;
        }
    }

    bool IsOn(std::uint64_t tick) const
    {
        for (const auto &[first, last] : m_ranges)
            if (tick >= first && tick <= last)
                return true;
        return false;
    }

private:
    static std::pair<std::uint64_t, std::uint64_t> ParseRange(const std::string &item)
    {
        const std::size_t dash = item.find('-');
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        const bool valid = dash == std::string::npos
            ? ParseNumber(item, MAX_TICKS, first) && ParseNumber(item, MAX_TICKS, last)
            : ParseNumber(item.substr(0, dash), MAX_TICKS, first)
                && ParseNumber(item.substr(dash + 1), MAX_TICKS, last) && first <= last;
        if (!valid)
            throw UsageError("--input takes tick numbers and ranges such as 3,5-10, not \"" + item + "\"");
        return { first, last };
    }

    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_ranges;
};

int RunCheck(const Arguments &arguments)
{
    LoadedSequence sequence;
    if (const int code = LoadOrReport(sequence.device, arguments.Positionals()[0]))
        return code;
    std::printf("%d rows\n", sequence.table.GetCount());
    return 0;
}

int RunDump(const Arguments &arguments)
{
    LoadedSequence sequence;
    if (const int code = LoadOrReport(sequence.device, arguments.Positionals()[0]))
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
    const std::uint64_t ticks = arguments.Number("--ticks", DEFAULT_TICKS, MAX_TICKS);
    const InputSchedule input(arguments.Value("--input"));
    LoadedSequence sequence;
    if (const int code = LoadOrReport(sequence.device, arguments.Positionals()[0]))
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

int RunLint(const Arguments &arguments)
{
    const std::string &path = arguments.Positionals()[0];
    LoadedSequence sequence;
    if (LoadOrReport(sequence.device, path))
        return EXIT_NOT_LOADED;
    const bool strict = arguments.Has("--strict");
    int exitCode = 0;
    for (const Finding &finding : CheckSequence(sequence.table)) {
        std::printf("%s: row %d: %s: %s\n", path.c_str(), finding.row, SeverityName(finding.severity),
            finding.text.c_str());
        if (finding.severity == FindingSeverity::Error || strict)
            exitCode = EXIT_FAILED;
    }
    return exitCode;
}

} // namespace

int LoadOrReport(SequenceInterpreter &device, const std::string &path)
{
    try {
        LoadSequenceFile(device, path);
        return 0;
    } catch (const LoadError &error) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.what());
        return error.Code();
    }
}

const std::vector<CliCommand> &SequenceCommands()
{
    static const std::vector<CliCommand> commands = {
        { "check", "FILE",
            "Loads the sequence file and prints its row count as \"N rows\". On a load\n"
            "error it names the file and the error on stderr and exits with the load\n"
            "error code: 1 cannot open, 2 invalid, 3 other version, 4 other device.",
            {}, 1, RunCheck },
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
        { "lint", "FILE [--strict]",
            "Checks the sequence for what the device would do otherwise than the\n"
            "simulation shows, for what stops the simulation, and for what is stored\n"
            "without effect. Prints one line per finding, in row order:\n"
            "\"FILE: row N: error: text\" or \"FILE: row N: warning: text\". Exits 0\n"
            "without errors, 1 with one (with --strict also with a warning), 2 when\n"
            "the file cannot be loaded.",
            { { "--strict", false } }, 1, RunLint },
    };
    return commands;
}
