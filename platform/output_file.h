#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFileDevice;

// A file a command writes its result into. A regular file (or a new one) is
// written beside the target under a unique name and replaces it only when
// committed, keeping its mode and following a symbolic link; a target that
// is no regular file (a device, a pipe) is written directly. Dropped
// uncommitted, a file written beside the target goes away.
class OutputFile
{
public:
    explicit OutputFile(const QString &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool Open();
    QFileDevice &Device() { return *m_file; }
    // Finishes the file; false when any of it could not be written.
    bool Commit();

private:
    std::unique_ptr<QFileDevice> m_file;
};

// Writes the whole of bytes to path as OutputFile does; false on failure.
bool WriteOutputFile(const QString &path, const QByteArray &bytes);
