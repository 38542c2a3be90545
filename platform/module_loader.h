#pragma once

#include <string>

// Code that only some runs need (the sound output, the animation encoders,
// pemblo-cli's picture commands) is built as a module of its own
// (pemblo_add_module in CMake) and loaded when it is first needed, so that a
// program maps the libraries behind it only when it uses them. A module is
// looked for beside the executable (the build), then in the installed
// layout's module folder; never in the current directory. Standard C++ and
// the system's dynamic loader only, so that a program without Qt loads
// modules too.

// The folder of the running executable, which Qt also knows, but only once
// an application object is made.
std::string ProgramFolder();

// The file of the module called name (without suffix); empty when there is
// none.
std::string FindModuleFile(const std::string &name);

// The exported function of the module, which is loaded the first time and
// stays loaded; null when the module or the function is missing, with the
// reason in error.
void *ResolveModuleSymbol(const std::string &module, const char *function, std::string &error);

template <typename Function>
Function *ResolveModuleFunction(const std::string &module, const char *function, std::string &error)
{
    return reinterpret_cast<Function *>(ResolveModuleSymbol(module, function, error));
}
