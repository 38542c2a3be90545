// Runs one of the built programs as a script does, catching its output.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The whole file, which is then removed.
inline std::string TakeFileText(const std::filesystem::path &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    std::filesystem::remove(path);
    return text.str();
}

// commandLine starts with the program's name in the build's bin/; prefix goes
// before it (variables, or a pipe into it).
inline ProgramRun RunProgram(const std::string &commandLine, const std::string &prefix = "")
{
    const std::string base
        = (std::filesystem::temp_directory_path() / ("pemblo_run_" + std::to_string(getpid()))).string();
    const int status = std::system(
        (prefix + " " + PEMBLO_BIN_DIR + "/" + commandLine + " >" + base + ".out 2>" + base + ".err")
            .c_str());
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, TakeFileText(base + ".out"),
        TakeFileText(base + ".err") };
}
