#pragma once

#include "core/row_table.h"

#include <string>
#include <vector>

// The sequence checker: where the device will not do what the simulation
// shows, where the simulation stops, and what is stored without effect.

enum class FindingSeverity { Error, Warning };

// One thing the checker found, at a row numbered as the LED Editor numbers
// it. `code` is short and stable, for scripts; `text` says it to the user.
struct Finding {
    int row;
    FindingSeverity severity;
    std::string code;
    std::string text;
};

// The sentences of the findings, with %1, %2, ... where the values go. The
// defaults are English; the application puts in those of its language.
struct FindingTexts {
    std::string row = "row %1";
    std::string rows = "rows %1";
    std::string inputOff = "input off";
    std::string inputOn = "input on";
    std::string inputEither = "input on or off";
    std::string timeAbove
        = "time %1 is above %2: the device keeps its low 7 bits and holds this pattern for %3 ticks";
    std::string channelAbove
        = "the pattern has bits above channel %1: they are stored, the device ignores them";
    std::string dimAbove = "%1 is above %2: only its low 7 bits count, so it dims to %3";
    std::string fadeAbove = "%1: the device reads the whole number and does not fade at all, the simulation "
                            "reads its low 12 bits and fades as %2";
    std::string jumpAbove = "%1: the device keeps the low byte of the target and jumps to row %2; the "
                            "simulation ends here";
    std::string jumpPastEnd = "%1 jumps past the last row (%2): the sequence ends here";
    std::string unknownMovesRows
        = "unknown command %1 is left out of the upload and the rows after it move up "
          "one slot: on the device %2";
    std::string jumpLandsOnRow = "%1 in row %2 lands on row %3";
    std::string jumpLandsOnNoRow = "%1 in row %2 lands on no row";
    std::string moreJumps = "and %1 more jumps";
    std::string unknownDropped = "unknown command %1 does nothing and the upload leaves it out";
    std::string endlessLoop
        = "%1 repeat without a pattern row that holds (%2): the simulation stops as runaway";
    std::string endlessLoopOne
        = "%1 repeats without a pattern row that holds (%2): the simulation stops as runaway";
    std::string runaway
        = "%1 take %2 fetches in one tick without holding a pattern (%3): the simulation stops as runaway";
    std::string unreachableRow = "%1 is never reached, whatever the input";
    std::string unreachableRows = "%1 are never reached, whatever the input";
    std::string endsWithInputOff = "with the input off the sequence ends by itself after %1 ticks (%2 s)";
    // What stands between the whole and the decimal digits of a number.
    std::string decimalPoint = ".";
};

// "error" or "warning".
const char *SeverityName(FindingSeverity severity);

// Every finding for the rows in use, in row order. A finding is made only
// where its condition certainly holds.
std::vector<Finding> CheckSequence(const RowTable &rows, const FindingTexts &texts = {});
