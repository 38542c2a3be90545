#include "core/sequence_checker.h"

#include "core/constants.h"
#include "core/device_row.h"
#include "core/sequence_interpreter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <tuple>

namespace
{

// The states of the input switch, as Step takes them, and as bits of a mask.
constexpr int INPUT_OFF = 0;
constexpr int INPUT_ON = 1;
constexpr int INPUTS[] = { INPUT_OFF, INPUT_ON };
// Jumps an unknown command's finding names before it only counts the rest.
constexpr std::size_t LISTED_JUMPS = 3;
// A tick may start at any row after a held pattern row, or just past the
// last row.
constexpr int TICK_STARTS = MAX_ROWS + 1;

// The text with %1, %2, ... replaced by the values.
std::string Format(const std::string &text, std::initializer_list<std::string> values)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t k
            = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && k < values.size()) {
            result += values.begin()[k];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// "4-7, 12".
std::string RowList(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::string text;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        text += (i ? ", " : "") + std::to_string(rows[i]);
        if (last > i)
            text += "-" + std::to_string(rows[last]);
        i = last + 1;
    }
    return text;
}

std::string SecondsText(long long ticks, const std::string &decimalPoint)
{
    const long long hundredths = (ticks * TICK_MS + 5) / 10;
    char decimals[4];
    std::snprintf(decimals, sizeof decimals, "%02lld", hundredths % 100);
    return std::to_string(hundredths / 100) + decimalPoint + decimals;
}

std::string Number(int value)
{
    return std::to_string(value);
}

// The rows one tick fetches from a start row with no hold pending, and how
// the tick ends: `last` is the held row, or the missing index at an end.
struct TickPath {
    FetchEnd end;
    std::int32_t last = 0;
    std::array<int, MAX_FETCHES_PER_TICK> rows;
    int length = 0;

    std::vector<int> Rows(int from = 0, int to = -1) const
    {
        return std::vector<int>(rows.begin() + from, rows.begin() + (to < 0 ? length : to));
    }
};

class SequenceChecker
{
public:
    SequenceChecker(const RowTable &rows, const FindingTexts &texts)
        : m_rows(rows)
        , m_texts(texts)
        , m_count(rows.GetCount())
    {
        for (int i = 0; i < m_count; ++i)
            if (HasDeviceSlot(Row(i)))
                m_rowAtSlot.push_back(i);
    }

    std::vector<Finding> Run()
    {
        for (int i = 0; i < m_count; ++i)
            CheckRow(i, Row(i));
        ExploreTicks();
        ReportUnreached();
        CheckEndWithInputOff();
        std::stable_sort(m_findings.begin(), m_findings.end(),
            [](const Finding &a, const Finding &b) { return a.row < b.row; });
        return std::move(m_findings);
    }

private:
    const SequenceRow &Row(int index) const { return *m_rows.GetRow(index); }

    void Add(int row, FindingSeverity severity, const char *code, const std::string &text,
        std::initializer_list<std::string> values)
    {
        m_findings.push_back({ row, severity, code, Format(text, values) });
    }

    // "row 4", "rows 4-7, 12".
    std::string RowsText(const std::vector<int> &rows) const
    {
        return Format(rows.size() == 1 ? m_texts.row : m_texts.rows, { RowList(rows) });
    }

    const std::string &InputText(int inputMask) const
    {
        switch (inputMask) {
        case 1 << INPUT_OFF: return m_texts.inputOff;
        case 1 << INPUT_ON: return m_texts.inputOn;
        default: return m_texts.inputEither;
        }
    }

    void CheckRow(int index, const SequenceRow &row)
    {
        if (!row.isCommand)
            CheckPattern(index, row);
        else if (!CommandName(row.command))
            CheckUnknownCommand(index, row);
        else if (IsJumpCommand(row.command))
            CheckJump(index, row);
        else
            CheckParameter(index, row);
    }

    void CheckPattern(int index, const SequenceRow &row)
    {
        if (DeviceTime(row.time) != row.time)
            Add(index, FindingSeverity::Error, "time-7-bits", m_texts.timeAbove,
                { Number(row.time), Number(DEVICE_TIME_MASK), Number(DeviceTime(row.time)) });
        if (row.pattern >> CHANNEL_COUNT)
            Add(index, FindingSeverity::Warning, "channel-above-8", m_texts.channelAbove,
                { Number(CHANNEL_COUNT) });
    }

    void CheckParameter(int index, const SequenceRow &row)
    {
        const std::uint16_t p = row.parameter;
        if (row.command == CMD_DIM && (p & DIM_PARAMETER_MASK) != p)
            Add(index, FindingSeverity::Warning, "dim-7-bits", m_texts.dimAbove,
                { DescribeRow(row), Number(DIM_PARAMETER_MASK), Number(p & DIM_PARAMETER_MASK) });
        const bool fade = row.command == CMD_FADE_IN || row.command == CMD_FADE_OUT;
        if (fade && ImageFadeStep(p) == 0 && FadeStep(p) != 0)
            Add(index, FindingSeverity::Error, "fade-12-bits", m_texts.fadeAbove,
                { DescribeRow(row),
                    CommandName(row.command) + std::string(" ") + Number(p & FADE_PARAMETER_MASK) });
    }

    // The row a jump to target reaches on the device, or -1 past the rows
    // uploaded.
    int DeviceLanding(std::uint16_t target) const
    {
        const std::size_t slot = DeviceJumpTarget(target);
        return slot < m_rowAtSlot.size() ? m_rowAtSlot[slot] : -1;
    }

    void CheckJump(int index, const SequenceRow &row)
    {
        const std::uint16_t target = row.parameter;
        const int landing = DeviceLanding(target);
        if (DeviceJumpTarget(target) != target && landing >= 0)
            Add(index, FindingSeverity::Error, "jump-8-bits", m_texts.jumpAbove,
                { DescribeRow(row), Number(landing) });
        else if (target >= m_count)
            Add(index, FindingSeverity::Warning, "jump-past-end", m_texts.jumpPastEnd,
                { DescribeRow(row), Number(m_count - 1) });
    }

    // The upload leaves the row out; a jump past it to a row still lands on
    // the device one slot further on for every row left out before it.
    void CheckUnknownCommand(int index, const SequenceRow &row)
    {
        std::string moved;
        std::size_t jumps = 0;
        for (int j = 0; j < m_count; ++j) {
            const SequenceRow &jump = Row(j);
            if (!jump.isCommand || !IsJumpCommand(jump.command) || jump.parameter <= index
                || jump.parameter >= m_count || jumps++ >= LISTED_JUMPS)
                continue;
            const int landing = DeviceLanding(jump.parameter);
            moved += (moved.empty() ? "" : ", ")
                + Format(landing >= 0 ? m_texts.jumpLandsOnRow : m_texts.jumpLandsOnNoRow,
                    { DescribeRow(jump), Number(j), Number(landing) });
        }
        const std::string letter = CommandLetterText(row.command);
        if (jumps == 0) {
            Add(index, FindingSeverity::Warning, "unknown-command", m_texts.unknownDropped, { letter });
            return;
        }
        if (jumps > LISTED_JUMPS)
            moved += " " + Format(m_texts.moreJumps, { std::to_string(jumps - LISTED_JUMPS) });
        Add(index, FindingSeverity::Error, "unknown-command-moves-rows", m_texts.unknownMovesRows,
            { letter, moved });
    }

    TickPath RunTick(int start, int input) const
    {
        TickPath tick;
        std::int32_t next = start;
        tick.end = FetchRows(m_rows, tick.last, next, input,
            [&tick](std::int32_t index, const SequenceRow &) { tick.rows[tick.length++] = index; });
        return tick;
    }

    // Every tick the simulation can run, for any setting of the input switch
    // from tick to tick: a tick starts at row 0 or after a held pattern row.
    void ExploreTicks()
    {
        std::vector<bool> started(TICK_STARTS);
        std::vector<int> starts { 0 };
        started[0] = true;
        m_reached.assign(static_cast<std::size_t>(m_count), false);
        for (std::size_t k = 0; k < starts.size(); ++k)
            for (const int input : INPUTS) {
                const TickPath tick = RunTick(starts[k], input);
                for (int i = 0; i < tick.length; ++i)
                    m_reached[static_cast<std::size_t>(tick.rows[i])] = true;
                if (tick.end == FetchEnd::RanAway)
                    NoteRunaway(tick, input);
                const int after = tick.last + 1;
                if (tick.end == FetchEnd::Held && !started[static_cast<std::size_t>(after)]) {
                    started[static_cast<std::size_t>(after)] = true;
                    starts.push_back(after);
                }
            }
        for (const auto &[where, inputMask] : m_runaways) {
            const auto &[row, loopLength, rows] = where;
            if (loopLength > 0)
                Add(row, FindingSeverity::Error, "endless-loop",
                    loopLength == 1 ? m_texts.endlessLoopOne : m_texts.endlessLoop,
                    { rows, InputText(inputMask) });
            else
                Add(row, FindingSeverity::Error, "runaway", m_texts.runaway,
                    { rows, Number(MAX_FETCHES_PER_TICK), InputText(inputMask) });
        }
    }

    // A tick that ran away either went round a loop or along a path too long
    // for one tick; both inputs may meet the same one.
    void NoteRunaway(const TickPath &tick, int input)
    {
        std::array<int, MAX_ROWS> fetchedAt;
        fetchedAt.fill(-1);
        for (int k = 0; k < tick.length; ++k) {
            int &first = fetchedAt[static_cast<std::size_t>(tick.rows[k])];
            if (first >= 0) {
                const std::vector<int> loop = tick.Rows(first, k);
                m_runaways[{ *std::min_element(loop.begin(), loop.end()), static_cast<int>(loop.size()),
                    RowsText(loop) }]
                    |= 1 << input;
                return;
            }
            first = k;
        }
        m_runaways[{ tick.rows[0], 0, RowsText(tick.Rows()) }] |= 1 << input;
    }

    void ReportUnreached()
    {
        for (int first = 0; first < m_count; ++first) {
            if (m_reached[static_cast<std::size_t>(first)])
                continue;
            int last = first;
            while (last + 1 < m_count && !m_reached[static_cast<std::size_t>(last + 1)])
                ++last;
            std::vector<int> rows;
            for (int i = first; i <= last; ++i)
                rows.push_back(i);
            Add(first, FindingSeverity::Warning, "unreachable",
                last > first ? m_texts.unreachableRows : m_texts.unreachableRow, { RowsText(rows) });
            first = last;
        }
    }

    // With the input off the run is one chain of ticks: it ends, runs away
    // (reported already) or comes back to a tick it ran before.
    void CheckEndWithInputOff()
    {
        std::vector<bool> started(TICK_STARTS);
        long long ticks = 0;
        int lastRow = 0;
        for (int start = 0; !started[static_cast<std::size_t>(start)];) {
            started[static_cast<std::size_t>(start)] = true;
            const TickPath tick = RunTick(start, INPUT_OFF);
            if (tick.length > 0)
                lastRow = tick.rows[static_cast<std::size_t>(tick.length - 1)];
            if (tick.end == FetchEnd::RanAway)
                return;
            if (tick.end == FetchEnd::Ended) {
                Add(lastRow, FindingSeverity::Warning, "ends", m_texts.endsWithInputOff,
                    { std::to_string(ticks), SecondsText(ticks, m_texts.decimalPoint) });
                return;
            }
            ticks += Row(tick.last).time;
            start = tick.last + 1;
        }
    }

    const RowTable &m_rows;
    const FindingTexts &m_texts;
    const int m_count;
    std::vector<int> m_rowAtSlot;
    std::vector<bool> m_reached;
    // Runaways by (row, the rows of the loop or 0 for a path, rows), with the
    // inputs that meet them.
    std::map<std::tuple<int, int, std::string>, int> m_runaways;
    std::vector<Finding> m_findings;
};

} // namespace

const char *SeverityName(FindingSeverity severity)
{
    return severity == FindingSeverity::Error ? "error" : "warning";
}

std::vector<Finding> CheckSequence(const RowTable &rows, const FindingTexts &texts)
{
    return SequenceChecker(rows, texts).Run();
}
