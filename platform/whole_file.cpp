#include "platform/whole_file.h"

#include "platform/output_file.h"

#include <QDir>
#include <QFile>

#include <cstring>

std::optional<FileWriteFailure> WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    OutputFile file(QFile::encodeName(path).toStdString());
    if (file.Open() && file.Write(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        file.Commit();
    if (file.Error().empty())
        return std::nullopt;
    return FileWriteFailure { file.ErrorNumber(), SystemReason(file.ErrorNumber()) };
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString FileWriteFailure::Details(const QString &path) const
{
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}
