#pragma once

#include <string>

// A module of Pemblo!: a shared library with a part of the program that only
// some runs need, such as pemblo-cli's picture commands, loaded when it is
// first needed, so that runs without it never load it nor the libraries it
// needs. Modules lie beside the executable or, once installed, in
// ../lib/pemblo from there. Standard C++ and the system's dynamic loader only,
// so that a program without Qt can use it.
//
// The address of symbol in the module file called module, which is loaded
// first if it is not yet; null when either cannot be found, with the reason
// in error. A loaded module stays for the life of the process.
void *FindModuleSymbol(const std::string &module, const char *symbol, std::string &error);

// The function called name in module, as FindModuleSymbol finds it.
template <class Function>
Function *FindModuleFunction(const std::string &module, const char *name, std::string &error)
{
    return reinterpret_cast<Function *>(FindModuleSymbol(module, name, error));
}
