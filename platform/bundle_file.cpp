#include "platform/bundle_file.h"

#include <QCoreApplication>
#include <QFile>

#include <filesystem>

QString FindBundleFile(const QString &name)
{
    return QFile::decodeName(
        QByteArray::fromStdString(FindBundleFile(QFile::encodeName(name).toStdString())));
}

std::string FindBundleFile(const std::string &name)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path path(name);
    if (path.is_absolute())
        return fs::is_regular_file(path, error) ? name : std::string();
    const fs::path executableDir(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    const fs::path candidates[] = {
        executableDir / path,
        executableDir / "../share/pemblo" / path,
        fs::current_path(error) / path,
    };
    for (const fs::path &candidate : candidates)
        if (fs::is_regular_file(candidate, error))
            return candidate.lexically_normal().string();
    return {};
}
