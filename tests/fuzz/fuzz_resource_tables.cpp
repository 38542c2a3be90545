// The string and menu tables of a language bundle, read from any bytes.
#include "platform/resource_tables.h"

#include <cstddef>
#include <cstdint>

namespace
{

std::size_t CountItems(const std::vector<MenuItem> &items)
{
    std::size_t count = items.size();
    for (const MenuItem &item : items)
        count += CountItems(item.items) + std::size_t(item.text.size() + item.key.size());
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QJsonObject table
        = ResourceTables::Parse(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    volatile std::size_t seen = 0;
    for (const QString &key : table.keys()) {
        const int id = key.toInt();
        if (auto text = ResourceTables::String(table, id))
            seen = seen + std::size_t(text->size());
        if (auto menu = ResourceTables::Menu(table, id))
            seen = seen + CountItems(*menu);
    }
    return 0;
}
