#pragma once

#include "document/recovery_format.h"
#include "platform/whole_file.h"

#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// Instances of Pemblo! that can keep recovery files at the same time.
inline constexpr int RECOVERY_SLOTS = 8;

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
// and its file is then left over for the next start. A slot that holds
// anything, a file left over or whatever else lies in its place, is never
// claimed, so that nothing left over is written over.
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
    const QString &Folder() const { return m_folder; }

    // Takes the first free slot no running instance holds, making the folder
    // if need be; nullopt once it has one, else why it has none.
    std::optional<FileWriteFailure> Claim();
    bool IsClaimed() const { return m_slot >= 0; }
    // The files that runs no longer running left.
    std::vector<LeftOverRecovery> TakeLeftOvers() const;

    // Writes the record as this run's recovery file, unless the file holds
    // these rows for this path already, claiming a slot first if it has none.
    // The file written last stays until the new one is written whole. Nullopt
    // once written, else why not.
    std::optional<FileWriteFailure> Write(const RecoveryRecord &record);
    // Removes the recovery file this run wrote.
    void Remove();

    // A recovery file's record; nullopt when it is damaged or unreadable.
    static std::optional<RecoveryRecord> Read(const QString &path);
    // Moves a recovery file that could not be read out of its slot, under a
    // name of its own beside it, so that it is neither offered again nor
    // lost; where it lies now.
    static QString KeepAside(const QString &path);

private:
    QString SlotPath(int slot, const char *suffix) const;
    bool SlotHoldsSomething(int slot) const;
    std::unique_ptr<QLockFile> LockSlot(int slot) const;
    FileWriteFailure WhyNoSlot() const;

    QString m_folder;
    int m_slot = -1;
    std::unique_ptr<QLockFile> m_lock;
    std::optional<RecoveryRecord> m_written;
};
