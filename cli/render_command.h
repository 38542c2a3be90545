#pragma once

#include "cli/cli_command.h"

// render and animate: the simulated device as a PNG picture and as an
// animation.
const std::vector<CliCommand> &RenderCommands();
