#include "platform/module_loader.h"

#include "platform/bundle_file.h"

#include <QLibrary>

QString FindModuleFile(const QString &name)
{
    return FindBesideProgram(name + QStringLiteral(PEMBLO_MODULE_SUFFIX), QStringLiteral(PEMBLO_MODULE_DIR));
}

QFunctionPointer ResolveModuleFunction(const QString &module, const char *function, QString &error)
{
    const QString path = FindModuleFile(module);
    if (path.isEmpty()) {
        error = QStringLiteral("%1 is not installed").arg(module);
        return nullptr;
    }
    // The library stays loaded when this object goes.
    QLibrary library(path);
    const QFunctionPointer address = library.resolve(function);
    if (!address)
        error = library.errorString();
    return address;
}
