#include "cli/input_schedule.h"

#include "cli/arguments.h"
#include "cli/sequence_commands.h"

#include <algorithm>

InputSchedule::InputSchedule(const std::string &text)
{
    if (text.empty())
        return;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = std::min(text.find(',', begin), text.size());
        const std::string item = text.substr(begin, end - begin);
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        if (!ParseRange(item, MAX_TICKS, first, last))
            throw UsageError("--input takes tick numbers and ranges such as 3,5-10, not \"" + item + "\"");
        m_ranges.emplace_back(first, last);
        if (end == text.size())
            break;
        begin = end + 1;
    }
}

bool InputSchedule::IsOn(std::uint64_t tick) const
{
    for (const auto &[first, last] : m_ranges)
        if (tick >= first && tick <= last)
            return true;
    return false;
}
