#include "platform/bundle_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString FindBundleFile(const QString &name)
{
    if (QDir::isAbsolutePath(name))
        return QFileInfo(name).isFile() ? name : QString();
    const QString candidates[] = {
        QDir(QCoreApplication::applicationDirPath()).filePath(name),
        InstalledDataPath(name),
        QDir::current().filePath(name),
    };
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    return {};
}

QString InstalledDataPath(const QString &name)
{
    return QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/pemblo/") + name);
}
