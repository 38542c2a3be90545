#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file; false when it cannot be read.
bool ReadBinaryFile(const std::string &path, std::vector<std::uint8_t> &bytes);

// Writes bytes to path through a temporary file beside it that replaces path
// only once it has been written completely, so a failed write leaves an
// existing file as it was. False when that fails.
bool WriteBinaryFile(const std::string &path, const std::vector<std::uint8_t> &bytes);
