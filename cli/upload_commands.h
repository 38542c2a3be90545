#pragma once

#include "cli/cli_command.h"

// image, wav, decode and play: the upload image and its signal.
const std::vector<CliCommand> &UploadCommands();
