#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The ticks in which the input switch is on: "3,5-10" is ticks 3 and 5..10.
// Throws UsageError for text of another form.
class InputSchedule
{
public:
    explicit InputSchedule(const std::string &text);

    bool IsOn(std::uint64_t tick) const;

private:
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_ranges;
};
