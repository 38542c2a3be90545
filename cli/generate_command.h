#pragma once

#include "cli/cli_command.h"

// generate: a sequence file of a light pattern made from parameters.
const std::vector<CliCommand> &GenerateCommands();
