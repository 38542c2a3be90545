#include "platform/bundle_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString FindBundleFile(const QString &name)
{
    if (QDir::isAbsolutePath(name))
        return QFileInfo(name).isFile() ? name : QString();
    const QDir executableDir(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        executableDir.filePath(name),
        executableDir.filePath(QStringLiteral("../share/pemblo/") + name),
        QDir::current().filePath(name),
    };
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    return {};
}
