#include "platform/output_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace
{

std::unique_ptr<QFileDevice> FileFor(const QString &path)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return std::make_unique<QFile>(path);
    return std::make_unique<QSaveFile>(path);
}

} // namespace

OutputFile::OutputFile(const QString &path)
    : m_file(FileFor(path))
{
}

OutputFile::~OutputFile() = default;

bool OutputFile::Open()
{
    // Unbuffered, so that a short write shows where it happens.
    return m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool OutputFile::Commit()
{
    if (auto *saveFile = dynamic_cast<QSaveFile *>(m_file.get()))
        return saveFile->commit();
    const bool written = m_file->error() == QFileDevice::NoError;
    m_file->close();
    return written && m_file->error() == QFileDevice::NoError;
}

bool WriteOutputFile(const QString &path, const QByteArray &bytes)
{
    OutputFile file(path);
    return file.Open() && file.Device().write(bytes) == bytes.size() && file.Commit();
}
