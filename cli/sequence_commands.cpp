#include "cli/sequence_commands.h"

#include "cli/input_schedule.h"

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"

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
    const std::uint64_t ticks = arguments.Number("--ticks", DEFAULT_SIMULATION_TICKS, MAX_TICKS);
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
    for (std::uint64_t tick = 1; tick <= ticks; ++tick) {
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
