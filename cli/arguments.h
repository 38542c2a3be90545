#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// A command line that does not fit the command's usage; pemblo-cli answers
// it with the usage line and exit code 64.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct OptionSpec {
    const char *name; // "--ticks", "-o"
    bool takesValue;
};

// The words after a command's name: its positional arguments and options.
class Arguments
{
public:
    Arguments(const std::vector<std::string> &words, const std::vector<OptionSpec> &options);

    const std::vector<std::string> &Positionals() const { return m_positionals; }
    bool Has(const std::string &option) const { return m_values.count(option) != 0; }
    // The option's value, or fallback when it was not given.
    std::string Value(const std::string &option, const std::string &fallback = {}) const;
    // The option's value as a whole number min..max; throws UsageError,
    // naming that range, when it is something else.
    std::uint64_t Number(
        const std::string &option, std::uint64_t fallback, std::uint64_t min, std::uint64_t max) const;

private:
    std::vector<std::string> m_positionals;
    std::map<std::string, std::string> m_values;
};

// Reads a whole decimal number 0..max; false for anything else.
bool ParseNumber(const std::string &text, std::uint64_t max, std::uint64_t &value);
// Reads "A" (A to A) or "A-B" with A <= B, numbers 0..max; false for anything
// else.
bool ParseRange(const std::string &text, std::uint64_t max, std::uint64_t &first, std::uint64_t &last);
// Reads seconds with at most three decimals ("5", "2.5"), more than 0 and at
// most maxSeconds, as milliseconds; false for anything else.
bool ParseMilliseconds(const std::string &text, std::uint64_t maxSeconds, std::uint64_t &milliseconds);
