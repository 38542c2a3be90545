#pragma once

#include "cli/cli_command.h"
#include "upload/upload_image.h"

// image, wav, decode and play: the upload image and its signal.
const std::vector<CliCommand> &UploadCommands();

// Loads the sequence file at path and encodes it; on a load error says so
// and returns its code, otherwise 0.
int LoadImage(const std::string &path, UploadImage &image);

// The image as 14 lines of 64 hex digits on stdout, or its raw bytes into
// the file given with -o. 0, or 1 when the file cannot be written.
int EmitImage(const UploadImage &image, const Arguments &arguments);
