#include "core/sequence_checker.h"

#include "core/constants.h"
#include "core/device_row.h"
#include "core/sequence_interpreter.h"

#include <algorithm>
#include <array>
#include <cstdio>
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

// "row 4", "rows 4-7, 12".
std::string RowsText(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::string text = rows.size() == 1 ? "row " : "rows ";
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

std::string InputText(int inputMask)
{
    switch (inputMask) {
    case 1 << INPUT_OFF: return "input off";
    case 1 << INPUT_ON: return "input on";
    default: return "input on or off";
    }
}

std::string SecondsText(long long ticks)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(ticks) * TICK_MS / 1000.0);
    return text;
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
    explicit SequenceChecker(const RowTable &rows)
        : m_rows(rows)
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

    void Add(int row, FindingSeverity severity, const char *code, std::string text)
    {
        m_findings.push_back({ row, severity, code, std::move(text) });
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
            Add(index, FindingSeverity::Error, "time-7-bits",
                "time " + std::to_string(row.time) + " is above " + std::to_string(DEVICE_TIME_MASK)
                    + ": the device keeps its low 7 bits and holds this pattern for "
                    + std::to_string(DeviceTime(row.time)) + " ticks");
        if (row.pattern >> CHANNEL_COUNT)
            Add(index, FindingSeverity::Warning, "channel-above-8",
                "the pattern has bits above channel " + std::to_string(CHANNEL_COUNT)
                    + ": they are stored, the device ignores them");
    }

    void CheckParameter(int index, const SequenceRow &row)
    {
        const std::uint16_t p = row.parameter;
        if (row.command == CMD_DIM && (p & DIM_PARAMETER_MASK) != p)
            Add(index, FindingSeverity::Warning, "dim-7-bits",
                DescribeRow(row) + " is above " + std::to_string(DIM_PARAMETER_MASK)
                    + ": only its low 7 bits count, so it dims to " + std::to_string(p & DIM_PARAMETER_MASK));
        const bool fade = row.command == CMD_FADE_IN || row.command == CMD_FADE_OUT;
        if (fade && ImageFadeStep(p) == 0 && FadeStep(p) != 0)
            Add(index, FindingSeverity::Error, "fade-12-bits",
                DescribeRow(row) + ": the device reads the whole number and does not fade at all, the "
                    + "simulation reads its low 12 bits and fades as " + CommandName(row.command) + " "
                    + std::to_string(p & FADE_PARAMETER_MASK));
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
            Add(index, FindingSeverity::Error, "jump-8-bits",
                DescribeRow(row) + ": the device keeps the low byte of the target and jumps to row "
                    + std::to_string(landing) + "; the simulation ends here");
        else if (target >= m_count)
            Add(index, FindingSeverity::Warning, "jump-past-end",
                DescribeRow(row) + " jumps past the last row (" + std::to_string(m_count - 1)
                    + "): the sequence ends here");
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
            moved += (moved.empty() ? "" : ", ") + DescribeRow(jump) + " in row " + std::to_string(j)
                + " lands on " + (landing >= 0 ? "row " + std::to_string(landing) : "no row");
        }
        const std::string what = "unknown command " + CommandLetterText(row.command);
        if (jumps == 0) {
            Add(index, FindingSeverity::Warning, "unknown-command",
                what + " does nothing and the upload leaves it out");
            return;
        }
        if (jumps > LISTED_JUMPS)
            moved += " and " + std::to_string(jumps - LISTED_JUMPS) + " more jumps";
        Add(index, FindingSeverity::Error, "unknown-command-moves-rows",
            what + " is left out of the upload and the rows after it move up one slot: on the device "
                + moved);
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
            const auto &[row, loop, rows] = where;
            Add(row, FindingSeverity::Error, loop ? "endless-loop" : "runaway",
                loop ? rows + " repeat without a pattern row that holds (" + InputText(inputMask)
                        + "): the simulation stops as runaway"
                     : rows + " take " + std::to_string(MAX_FETCHES_PER_TICK)
                        + " fetches in one tick without holding a pattern (" + InputText(inputMask)
                        + "): the simulation stops as runaway");
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
                m_runaways[{ *std::min_element(loop.begin(), loop.end()), true, RowsText(loop) }] |= 1
                    << input;
                return;
            }
            first = k;
        }
        m_runaways[{ tick.rows[0], false, RowsText(tick.Rows()) }] |= 1 << input;
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
                RowsText(rows) + (last > first ? " are" : " is") + " never reached, whatever the input");
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
                Add(lastRow, FindingSeverity::Warning, "ends",
                    "with the input off the sequence ends by itself after " + std::to_string(ticks)
                        + " ticks (" + SecondsText(ticks) + ")");
                return;
            }
            ticks += Row(tick.last).time;
            start = tick.last + 1;
        }
    }

    const RowTable &m_rows;
    const int m_count;
    std::vector<int> m_rowAtSlot;
    std::vector<bool> m_reached;
    // Runaways by (row, loop or not, rows), with the inputs that meet them.
    std::map<std::tuple<int, bool, std::string>, int> m_runaways;
    std::vector<Finding> m_findings;
};

} // namespace

const char *SeverityName(FindingSeverity severity)
{
    return severity == FindingSeverity::Error ? "error" : "warning";
}

std::vector<Finding> CheckSequence(const RowTable &rows)
{
    return SequenceChecker(rows).Run();
}
