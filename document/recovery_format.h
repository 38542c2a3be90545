#pragma once

#include "core/row_table.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// Unsaved rows as a recovery file keeps them: the rows, the path of the file
// they belong to (empty for a document without one) and when they were
// written.
struct RecoveryRecord {
    QString file;
    QDateTime time;
    RowTable rows;
};

// Far more than 224 rows and a path take; a larger file is no recovery file.
inline constexpr qsizetype MAX_RECOVERY_FILE_SIZE = 64 * 1024;

// The content of a recovery file: a line with the row count and one with the
// CRC-32 of all that follows, so that a file cut short or damaged is known as
// such; then the path, the time and the rows as a sequence file.
QByteArray FormatRecovery(const RecoveryRecord &record);
// The record a recovery file holds; nullopt when it is damaged or cut short.
// A file written before the count and the checksum were kept, which starts
// with the path, is taken as it is.
std::optional<RecoveryRecord> ParseRecovery(const QByteArray &content);
