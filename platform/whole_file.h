#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Why a file could not be written: the errno and the system's own sentence
// for it, in the user's language where the system has one.
struct FileWriteFailure {
    int error = 0;
    QString reason;

    // The details a message about the file at path gives: its name and why.
    QString Details(const QString &path) const;
};

// Writes bytes as the whole content of the file at path, as OutputFile
// writes: through a temporary file that replaces it once all is written and
// synced, or in place, with the old bytes put back on a failure, where the
// folder takes no new file. Nullopt once it is written.
std::optional<FileWriteFailure> WriteWholeFile(const QString &path, const QByteArray &bytes);

// The system's sentence for errno error.
QString SystemReason(int error);
