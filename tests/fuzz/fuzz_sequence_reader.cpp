// Any bytes as a sequence file: the reader must neither crash nor read past
// its buffers, and whatever it accepts must save and read back unchanged.

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "core/text_stream.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    RowTable table;
    MemoryTextInput input(std::string_view(reinterpret_cast<const char *>(data), size));
    try {
        ReadSequenceFile(table, input);
    } catch (const LoadError &) {
        return 0;
    }

    StringTextOutput saved;
    WriteSequenceFile(table, saved);
    RowTable reread;
    MemoryTextInput savedInput(saved.Text());
    ReadSequenceFile(reread, savedInput);
    if (reread.GetCount() != table.GetCount())
        std::abort();
    for (int i = 0; i < table.GetCount(); ++i)
        if (*reread.GetRow(i) != *table.GetRow(i))
            std::abort();
    return 0;
}
