#include "cli/sequence_commands.h"

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"

#include <cstdio>
#include <string>
#include <utility>

namespace
{

constexpr std::uint64_t DEFAULT_TICKS = 1000;

// A sequence file read into its own table.
struct LoadedSequence {
    RowTable table;
    SequenceInterpreter device { table };
};

std::string PatternText(std::uint32_t pattern)
{
    std::string text(CHANNEL_COUNT, '.');
    for (int j = 0; j < CHANNEL_COUNT; ++j)
        if (pattern & (1u << j))
            text[static_cast<std::size_t>(j)] = '*';
    return text;
}

std::string LetterText(std::uint8_t letter)
{
    char text[8];
    if (letter > ' ' && letter < 0x7F)
        std::snprintf(text, sizeof text, "'%c'", letter);
    else
        std::snprintf(text, sizeof text, "0x%02x", letter);
    return text;
}

bool CommandTakesParameter(std::uint8_t letter)
{
    return letter != CMD_MIRROR_ON && letter != CMD_MIRROR_OFF && letter != CMD_MIRROR_TOGGLE;
}

std::string DescribeRow(const SequenceRow &row)
{
    if (!row.isCommand)
        return "pattern " + PatternText(row.pattern) + " for " + std::to_string(row.time) + " ticks";
    const char *name = CommandName(row.command);
    if (!name)
        return "unknown command " + LetterText(row.command) + " " + std::to_string(row.parameter);
    if (!CommandTakesParameter(row.command))
        return name;
    return std::string(name) + " " + std::to_string(row.parameter);
}

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
    };
    return commands;
}
