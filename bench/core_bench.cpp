// How long a simulation tick, a file load and a check of a full table take.

#include "core/row_table.h"
#include "core/sequence_checker.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "core/text_stream.h"

#include <benchmark/benchmark.h>

namespace
{

// A full table of FADE commands and short pattern rows: the most work a
// tick can bring.
RowTable BusyTable()
{
    RowTable table;
    for (int i = 0; i < MAX_ROWS - 1; ++i) {
        const bool command = i % 3 == 0;
        table.Append({ static_cast<std::uint8_t>(command), static_cast<std::uint32_t>(i * 37),
            static_cast<std::uint16_t>(i % 2), static_cast<std::uint8_t>(command ? 'E' : 'X'),
            static_cast<std::uint16_t>(i) });
    }
    table.Append({ 1, 0, 0, CMD_GOTO, 0 });
    return table;
}

void BM_InterpreterStep(benchmark::State &state)
{
    RowTable table = BusyTable();
    SequenceInterpreter device(table);
    for (auto _ : state) {
        if (!device.Step(0))
            device.Reset();
        benchmark::DoNotOptimize(device.GetOutputs());
    }
}
BENCHMARK(BM_InterpreterStep);

void BM_ReadFullSequenceFile(benchmark::State &state)
{
    RowTable table = BusyTable();
    StringTextOutput file;
    WriteSequenceFile(table, file);
    for (auto _ : state) {
        MemoryTextInput input(file.Text());
        ReadSequenceFile(table, input);
        benchmark::DoNotOptimize(table.GetCount());
    }
}
BENCHMARK(BM_ReadFullSequenceFile);

// A full table of short patterns, jumps both ways and unknown commands that
// move the rows after them: many tick starts, loops and findings to report.
RowTable TroubledTable()
{
    RowTable table;
    for (int i = 0; i < MAX_ROWS; ++i) {
        const std::uint8_t letters[] = { 0, CMD_IF_ON, 'X', CMD_GOTO };
        const std::uint8_t letter = letters[i % 4];
        table.Append({ static_cast<std::uint8_t>(letter != 0), 0xFF, 1, letter,
            static_cast<std::uint16_t>(i * (letter == CMD_GOTO ? 13 : 7) % MAX_ROWS) });
    }
    return table;
}

void BM_CheckSequence(benchmark::State &state)
{
    const RowTable table = state.range(0) ? TroubledTable() : BusyTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckSequence(table));
}
BENCHMARK(BM_CheckSequence)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
