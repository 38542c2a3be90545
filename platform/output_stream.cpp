#include "platform/output_stream.h"

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

OutputStream::OutputStream(const QString &path)
    : m_file(FileFor(path))
{
}

OutputStream::~OutputStream() = default;

bool OutputStream::Open()
{
    // Unbuffered, so that a short write shows where it happens.
    return m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool OutputStream::Commit()
{
    if (auto *saveFile = dynamic_cast<QSaveFile *>(m_file.get()))
        return saveFile->commit();
    const bool written = m_file->error() == QFileDevice::NoError;
    m_file->close();
    return written && m_file->error() == QFileDevice::NoError;
}
