#include "platform/bundle_file.h"

#include "platform/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <filesystem>

namespace
{

namespace fs = std::filesystem;

// The data installed with the program, from the executable's folder.
constexpr char INSTALLED_DATA_DIR[] = "../share/pemblo";

std::string ExistingFile(const fs::path &path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) ? path.lexically_normal().string() : std::string();
}

std::string Encoded(const QString &name)
{
    return QFile::encodeName(name).toStdString();
}

QString Decoded(const std::string &name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

} // namespace

std::string FindBesideProgram(const std::string &fileName, const std::string &installDir)
{
    const fs::path executableDir(ProgramFolder());
    const std::string beside = ExistingFile(executableDir / fileName);
    return beside.empty() ? ExistingFile(executableDir / installDir / fileName) : beside;
}

QString FindBesideProgram(const QString &fileName, const QString &installDir)
{
    return Decoded(FindBesideProgram(Encoded(fileName), Encoded(installDir)));
}

std::string FindBundleFile(const std::string &name)
{
    const fs::path path(name);
    if (path.is_absolute()) {
        std::error_code error;
        return fs::is_regular_file(path, error) ? name : std::string();
    }
    const std::string installed = FindBesideProgram(name, INSTALLED_DATA_DIR);
    if (!installed.empty())
        return installed;
    std::error_code error;
    return ExistingFile(fs::current_path(error) / path);
}

QString FindBundleFile(const QString &name)
{
    return Decoded(FindBundleFile(Encoded(name)));
}

QString InstalledDataPath(const QString &name)
{
    return QDir::cleanPath(
        QCoreApplication::applicationDirPath() + u'/' + QLatin1String(INSTALLED_DATA_DIR) + u'/' + name);
}
