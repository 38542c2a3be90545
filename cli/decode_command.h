#pragma once

#include "cli/cli_command.h"

#include <string>

// decode: the upload image a recording holds.
CliCommand DecodeCommand();

// Why a recording may not decode, in one line on stderr: "NAME: peak
// -0.4 dBFS, clipped 12.0 %, speed -4.2 %".
void PrintRecordingDiagnostics(const std::string &name, double peak, double clippedShare, double speed);
