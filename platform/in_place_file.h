#pragma once

#include <cstddef>
#include <string>

// Writes content over an existing file where it lies, for a file whose folder
// takes no new file beside it. The old bytes are read first and the new size
// is reserved where the file system can; when any step fails, the old bytes
// are written back and the old size restored, so that the file holds exactly
// what it held. The old and the new content are held in memory whole.
// Standard C++ and POSIX only, as OutputFile, which writes through it.
// Returns 0, or the errno of the first step that failed.
int RewriteFileInPlace(const std::string &path, const void *data, std::size_t size);
