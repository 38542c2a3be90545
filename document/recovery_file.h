#pragma once

#include "core/row_table.h"

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// Instances of Pemblo! that can keep recovery files at the same time.
inline constexpr int RECOVERY_SLOTS = 8;

// Unsaved rows as a recovery file keeps them: the rows, the path of the file
// they belong to (empty for a document without one) and when they were
// written.
struct RecoveryRecord {
    QString file;
    QDateTime time;
    RowTable rows;
};

// A recovery file left behind by a run that is no longer running, held so
// that no other run takes it while this one decides about it.
struct LeftOverRecovery {
    QString path;
    std::unique_ptr<QLockFile> lock;
};

// The recovery files of Pemblo! in the per-user state folder, where unsaved
// changes wait in case the program does not end normally. Each running
// instance claims a slot of its own, guarded by a lock file, so two at once
// never take each other's file; the lock of a run that was killed goes stale,
// and its file is then left over for the next start.
class RecoveryFile
{
public:
    explicit RecoveryFile(QString folder = DefaultFolder());
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile &) = delete;
    RecoveryFile &operator=(const RecoveryFile &) = delete;

    // "pemblo" in the per-user state location ($XDG_STATE_HOME, by default
    // ~/.local/state).
    static QString DefaultFolder();

    // Takes the first slot no running instance holds; false when none is
    // free or the folder cannot be made, and then nothing is ever written.
    bool Claim();
    bool IsClaimed() const { return m_slot >= 0; }
    // The files that runs no longer running left, this run's own slot first.
    std::vector<LeftOverRecovery> TakeLeftOvers() const;

    // Writes the record atomically as this run's recovery file, unless the
    // file holds these rows for this path already; false when it could not.
    bool Write(const RecoveryRecord &record);
    // Removes the recovery file this run wrote.
    void Remove();

    // A recovery file's record; nullopt when it is damaged or unreadable.
    static std::optional<RecoveryRecord> Read(const QString &path);

private:
    QString SlotPath(int slot, const char *suffix) const;
    std::unique_ptr<QLockFile> LockSlot(int slot) const;

    QString m_folder;
    int m_slot = -1;
    std::unique_ptr<QLockFile> m_lock;
    std::optional<RecoveryRecord> m_written;
};
