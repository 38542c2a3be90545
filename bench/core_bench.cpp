// How long a simulation tick and a file load take.

#include "core/row_table.h"
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
    SequenceInterpreter device(table);
    StringTextOutput file;
    WriteSequenceFile(device, file);
    for (auto _ : state) {
        MemoryTextInput input(file.Text());
        ReadSequenceFile(device, input);
        benchmark::DoNotOptimize(table.GetCount());
    }
}
BENCHMARK(BM_ReadFullSequenceFile);

} // namespace
