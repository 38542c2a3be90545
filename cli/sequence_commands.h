#pragma once

#include "cli/cli_command.h"

#include "upload/upload_image.h"

#include <cstdint>

class SequenceInterpreter;

// The most ticks a command runs a sequence for.
inline constexpr std::uint64_t MAX_TICKS = 1'000'000'000;

// check, dump and simulate: loading and running sequence files.
const std::vector<CliCommand> &SequenceCommands();

// Loads path into the device's table; on a load error says so on stderr,
// naming the file, and returns the load error code; otherwise 0.
int LoadOrReport(SequenceInterpreter &device, const std::string &path);

// Loads the sequence file named by the first positional argument and
// encodes its upload image; on a load error returns its code, else 0.
int LoadUploadImage(const Arguments &arguments, UploadImage &image);
