#pragma once

#include <cstddef>
#include <string>

// Writes size bytes into the file named on the command line, its name taken
// as the bytes the system gives (Qt would read it as UTF-8 and turn a name
// that is not into another). A regular file is written as QSaveFile writes
// one: into a temporary file of a unique name beside it that takes its place
// only once complete, with the file's mode kept and, for a symbolic link,
// the link kept and its target replaced. What is not a regular file (a pipe,
// a device) is written into directly, as is an existing file in a folder
// that takes no new files. Returns an empty string, or a sentence that says
// why the file was not written.
std::string WriteOutputFile(const std::string &path, const char *data, std::size_t size);

// Ends a command: when its standard output could not be written, says so
// and turns success into exit code 1.
int CheckStandardOutput(int exitCode);
