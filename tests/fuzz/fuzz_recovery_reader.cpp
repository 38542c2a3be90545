// Any bytes as a recovery file: the reader must neither crash nor read past
// its buffers, and whatever it accepts must write and read back unchanged.

#include "document/recovery_format.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<RecoveryRecord> record
        = ParseRecovery(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (!record)
        return 0;
    const std::optional<RecoveryRecord> reread = ParseRecovery(FormatRecovery(*record));
    // The time is kept to the second.
    if (!reread || reread->file != record->file || !(reread->rows == record->rows)
        || reread->time.toSecsSinceEpoch() != record->time.toSecsSinceEpoch())
        std::abort();
    return 0;
}
