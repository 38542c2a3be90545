#include "cli/generate_command.h"

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "core/text_stream.h"
#include "editor/pattern_generators.h"
#include "platform/output_file.h"

#include <cstdio>
#include <string>

namespace
{

// The generated rows end in this, so that the sequence loops.
constexpr SequenceRow LOOP_TO_START = { 1, 0, 0, CMD_GOTO, 0 };

PatternKind PatternArgument(const Arguments &arguments)
{
    const std::optional<PatternKind> kind = PatternByName(arguments.Positionals()[0]);
    if (!kind)
        throw UsageError("unknown pattern \"" + arguments.Positionals()[0] + "\"; --help lists them");
    return *kind;
}

// "A-B" or "A", channels 1..CHANNEL_COUNT.
void ReadChannels(const std::string &text, PatternParameters &parameters)
{
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    if (!ParseRange(text, CHANNEL_COUNT, first, last) || first < 1)
        throw UsageError("--channels takes channels from 1 to " + std::to_string(CHANNEL_COUNT)
            + ": one, or a range A-B with A <= B such as 3-6");
    parameters.firstChannel = static_cast<int>(first);
    parameters.lastChannel = static_cast<int>(last);
}

// An option that means nothing to the pattern is a mistake, not a no-op.
void RejectUnless(const Arguments &arguments, const char *option, bool applies)
{
    if (arguments.Has(option) && !applies)
        throw UsageError(std::string(option) + " does not apply to this pattern");
}

PatternParameters ReadParameters(const Arguments &arguments)
{
    PatternParameters parameters;
    parameters.kind = PatternArgument(arguments);
    const bool twinkle = parameters.kind == PatternKind::Twinkle;
    RejectUnless(arguments, "--reverse", !twinkle);
    RejectUnless(arguments, "--shrink", parameters.kind == PatternKind::Fill);
    RejectUnless(arguments, "--share", twinkle);
    RejectUnless(arguments, "--seed", twinkle);

    if (arguments.Has("--channels"))
        ReadChannels(arguments.Value("--channels"), parameters);
    parameters.time = static_cast<int>(arguments.Number("--time", parameters.time, 1, MAX_ROW_TIME));
    parameters.repeat = static_cast<int>(arguments.Number("--repeat", 1, 1, MAX_ROWS));
    parameters.reverse = arguments.Has("--reverse");
    parameters.shrink = arguments.Has("--shrink");
    parameters.share = static_cast<int>(arguments.Number("--share", parameters.share, 1, 100));
    parameters.seed = static_cast<std::uint32_t>(arguments.Number("--seed", parameters.seed, 0, UINT32_MAX));
    if (arguments.Has("--fade"))
        parameters.fade = static_cast<std::uint16_t>(arguments.Number("--fade", 0, 0, MAX_FADE_PARAMETER));
    return parameters;
}

std::string SequenceFileText(const std::vector<SequenceRow> &rows)
{
    RowTable table;
    for (const SequenceRow &row : rows)
        table.Append(row);
    table.Append(LOOP_TO_START);
    StringTextOutput text;
    WriteSequenceFile(table, text);
    return text.Text();
}

int RunGenerate(const Arguments &arguments)
{
    const PatternParameters parameters = ReadParameters(arguments);
    // The GOTO at the end takes a row of its own.
    const GeneratedRows generated = GeneratePattern(parameters, MAX_ROWS - 1);
    if (!generated.refusal.empty()) {
        std::fprintf(stderr, "pemblo-cli generate: %s\n", generated.refusal.c_str());
        return EXIT_FAILED;
    }
    const std::string text = SequenceFileText(generated.rows);
    if (!arguments.Has("-o")) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    const std::string error = WriteOutputFile(arguments.Value("-o"), text.data(), text.size());
    if (error.empty())
        return 0;
    std::fprintf(stderr, "pemblo-cli generate: %s\n", error.c_str());
    return EXIT_FAILED;
}

} // namespace

const std::vector<CliCommand> &GenerateCommands()
{
    static const std::vector<CliCommand> commands = {
        { "generate",
            "PATTERN [--channels A-B] [--time T] [--repeat N] [--reverse] [--shrink] [--share P] [--seed S] "
            "[--fade T] [-o OUT.lsq]",
            "Writes a sequence file of a light pattern: the header lines, the pattern\n"
            "rows and a GOTO 0 at the end, so that it loops; on stdout without -o.\n"
            "\n"
            "patterns:\n"
            "  chase      one lit channel moving across the range\n"
            "  bounce     one lit channel moving there and back\n"
            "  fill       a bar growing across the range (--shrink: and back again)\n"
            "  alternate  the odd and the even channels in turn\n"
            "  count      the channels of the range as a binary counter\n"
            "  twinkle    a random share of the channels lit in each row\n"
            "\n"
            "--channels  the range of channels, 1-8 (default); 3 is 3-3\n"
            "--time      ticks of 12 ms each row holds, 1..127 (default 6)\n"
            "--repeat    cycles of the pattern one after the other (default 1)\n"
            "--reverse   start at the last channel; alternate starts with the even\n"
            "            channels, count counts down\n"
            "--share     twinkle: percentage of the channels lit, 1..100 (default 50)\n"
            "--seed      twinkle: where the random choice starts (default 1); the same\n"
            "            seed gives the same rows\n"
            "--fade      soft edges: FADE IN T and FADE OUT T rows before the pattern\n"
            "\n"
            "A pattern that does not fit into the sequence's 224 rows is refused with\n"
            "exit code 1, and so is a fade so slow that a channel of the pattern never\n"
            "shows a brightness step on the device; the refusal names the slowest fade\n"
            "that lights them all.",
            { { "--channels", true }, { "--time", true }, { "--repeat", true }, { "--reverse", false },
                { "--shrink", false }, { "--share", true }, { "--seed", true }, { "--fade", true },
                { "-o", true } },
            1, RunGenerate, {}, "pattern" },
    };
    return commands;
}
