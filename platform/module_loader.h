#pragma once

#include <QFunctionPointer>
#include <QString>

// Code that only some commands need (the sound output) is built as a module
// of its own (pemblo_add_module in CMake) and loaded when first needed, so
// that a program maps the libraries behind it only when it uses them. A
// module is looked for beside the executable (the build), then in the
// installed layout's module folder; never in the current directory.

// The file of the module called name (without suffix); empty when there is
// none.
QString FindModuleFile(const QString &name);

// The exported function of the module, which is loaded the first time and
// stays loaded; null when the module or the function is missing, with the
// reason in error.
QFunctionPointer ResolveModuleFunction(const QString &module, const char *function, QString &error);

template <typename Function>
Function *ResolveModuleFunction(const QString &module, const char *function, QString &error)
{
    return reinterpret_cast<Function *>(ResolveModuleFunction(module, function, error));
}
