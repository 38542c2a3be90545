#pragma once

#include "cli/cli_command.h"

// decode: the upload image a recording holds.
CliCommand DecodeCommand();
