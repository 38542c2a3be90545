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

// "error" or "warning".
const char *SeverityName(FindingSeverity severity);

// Every finding for the rows in use, in row order. A finding is made only
// where its condition certainly holds.
std::vector<Finding> CheckSequence(const RowTable &rows);
