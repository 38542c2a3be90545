#include "cli/arguments.h"

#include <algorithm>

namespace
{

const OptionSpec *FindOption(const std::vector<OptionSpec> &options, const std::string &word)
{
    const auto it = std::find_if(
        options.begin(), options.end(), [&word](const OptionSpec &spec) { return word == spec.name; });
    return it == options.end() ? nullptr : &*it;
}

bool LooksLikeOption(const std::string &word)
{
    return word.size() > 1 && word[0] == '-';
}

constexpr std::uint64_t MILLISECONDS = 1000;
constexpr int MAX_SECONDS_DECIMALS = 3;

} // namespace

Arguments::Arguments(const std::vector<std::string> &words, const std::vector<OptionSpec> &options)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (!LooksLikeOption(word)) {
            m_positionals.push_back(word);
            continue;
        }
        const OptionSpec *spec = FindOption(options, word);
        if (!spec)
            throw UsageError("unknown option " + word);
        if (!spec->takesValue) {
            m_values[word];
            continue;
        }
        if (++i == words.size())
            throw UsageError("option " + word + " needs a value");
        m_values[word] = words[i];
    }
}

std::string Arguments::Value(const std::string &option, const std::string &fallback) const
{
    const auto it = m_values.find(option);
    return it == m_values.end() ? fallback : it->second;
}

std::uint64_t Arguments::Number(
    const std::string &option, std::uint64_t fallback, std::uint64_t min, std::uint64_t max) const
{
    if (!Has(option))
        return fallback;
    std::uint64_t value = 0;
    if (!ParseNumber(Value(option), max, value) || value < min)
        throw UsageError(
            option + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max));
    return value;
}

bool ParseNumber(const std::string &text, std::uint64_t max, std::uint64_t &value)
{
    if (text.empty())
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (digit > max || value > (max - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

bool ParseRange(const std::string &text, std::uint64_t max, std::uint64_t &first, std::uint64_t &last)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos)
        return ParseNumber(text, max, first) && ParseNumber(text, max, last);
    return ParseNumber(text.substr(0, dash), max, first) && ParseNumber(text.substr(dash + 1), max, last)
        && first <= last;
}

// "5", "2.5": seconds with at most three decimals, as milliseconds.
bool ParseMilliseconds(const std::string &text, std::uint64_t maxSeconds, std::uint64_t &milliseconds)
{
    const std::size_t point = text.find('.');
    std::string decimals = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (point != std::string::npos && (decimals.empty() || decimals.size() > MAX_SECONDS_DECIMALS))
        return false;
    decimals.resize(MAX_SECONDS_DECIMALS, '0');
    std::uint64_t seconds = 0;
    std::uint64_t fraction = 0;
    if (!ParseNumber(text.substr(0, point), maxSeconds, seconds)
        || !ParseNumber(decimals, MILLISECONDS - 1, fraction))
        return false;
    milliseconds = seconds * MILLISECONDS + fraction;
    return milliseconds > 0 && milliseconds <= maxSeconds * MILLISECONDS;
}
