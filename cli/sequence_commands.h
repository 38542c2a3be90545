#pragma once

#include "cli/cli_command.h"

#include <cstdint>

class RowTable;

// The most ticks a command runs a sequence for, and how many it runs unless
// told.
inline constexpr std::uint64_t MAX_TICKS = 1'000'000'000;
inline constexpr std::uint64_t DEFAULT_SIMULATION_TICKS = 1000;

// check, dump, simulate and lint: loading and running sequence files.
const std::vector<CliCommand> &SequenceCommands();

// Loads path into the table; on a load error says so on stderr, naming the
// file, and returns the load error code; otherwise 0.
int LoadOrReport(RowTable &rows, const std::string &path);
