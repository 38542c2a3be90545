#pragma once

#include "core/sequence_row.h"

#include <cstdint>
#include <string>

// What the LED Editor writes into the cells of a line.

// The name cell of a command line: the command's name, shortened to fit
// where needed, or "???" for a letter the device does not know.
const char *CommandDisplayName(std::uint8_t letter);

// The parameter cell of a command line, as far as the device reads the
// parameter; empty for commands without one and for unknown letters.
std::string CommandParameterText(std::uint8_t letter, std::uint16_t parameter);

// The time cell: the hold time of a pattern row, "CMD" for a command row.
std::string TimeCellText(const SequenceRow &row);
