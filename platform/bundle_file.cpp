#include "platform/bundle_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{

QString ExistingFile(const QString &path)
{
    return QFileInfo(path).isFile() ? QDir::cleanPath(path) : QString();
}

} // namespace

QString FindBesideProgram(const QString &fileName, const QString &installDir)
{
    const QDir executableDir(QCoreApplication::applicationDirPath());
    const QString beside = ExistingFile(executableDir.filePath(fileName));
    return beside.isEmpty() ? ExistingFile(executableDir.filePath(installDir + u'/' + fileName)) : beside;
}

QString FindBundleFile(const QString &name)
{
    if (QDir::isAbsolutePath(name))
        return QFileInfo(name).isFile() ? name : QString();
    const QString installed = FindBesideProgram(name, QStringLiteral("../share/pemblo"));
    return installed.isEmpty() ? ExistingFile(QDir::current().filePath(name)) : installed;
}
