#pragma once

#include <QString>

#include <memory>

class QFileDevice;

// A file written piece by piece, as an encoder writes, with seeks. A regular
// file (or a new one) is written beside the target under a unique name and
// replaces it only when committed, keeping its mode and following a symbolic
// link; a target that is no regular file (a device, a pipe) is written
// directly. Dropped uncommitted, a file written beside the target goes away.
class OutputStream
{
public:
    explicit OutputStream(const QString &path);
    ~OutputStream();
    OutputStream(const OutputStream &) = delete;
    OutputStream &operator=(const OutputStream &) = delete;

    bool Open();
    QFileDevice &Device() { return *m_file; }
    // Finishes the file; false when any of it could not be written.
    bool Commit();

private:
    std::unique_ptr<QFileDevice> m_file;
};
