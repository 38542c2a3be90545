#pragma once

#include "cli/cli_command.h"

// render: the simulated device as a PNG picture.
const std::vector<CliCommand> &RenderCommands();
