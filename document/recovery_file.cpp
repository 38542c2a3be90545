#include "document/recovery_file.h"

#include "core/constants.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace
{

constexpr char LOCK_SUFFIX[] = "lock";
constexpr char FILE_SUFFIX[] = "lsq";
constexpr char DAMAGED_SUFFIX[] = ".damaged";
constexpr char PROBE_NAME[] = "/.probe-XXXXXX";

// Why no file can be made and written in folder: the errno of making and
// writing one, 0 when it can.
int FolderWriteError(const QString &folder)
{
    QByteArray name = QFile::encodeName(folder) + PROBE_NAME;
    const int file = ::mkstemp(name.data());
    if (file < 0)
        return errno;
    const int error = ::write(file, "\n", 1) == 1 && ::fsync(file) == 0 ? 0 : errno;
    ::close(file);
    ::unlink(name.constData());
    return error;
}

} // namespace

RecoveryFile::RecoveryFile(QString folder)
    : m_folder(std::move(folder))
{
}

RecoveryFile::~RecoveryFile() = default;

QString RecoveryFile::DefaultFolder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    QString state = QStandardPaths::writableLocation(QStandardPaths::GenericStateLocation);
#else
    // Qt names the state location only from 6.7 on; until then it is where
    // the XDG base directories put it.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QStandardPaths::writableLocation(QStandardPaths::HomeLocation)
            + QStringLiteral("/.local/state");
#endif
    return state + QStringLiteral("/pemblo");
}

QString RecoveryFile::SlotPath(int slot, const char *suffix) const
{
    return QStringLiteral("%1/recovery-%2.%3").arg(m_folder).arg(slot).arg(QLatin1String(suffix));
}

bool RecoveryFile::SlotHoldsSomething(int slot) const
{
    const QFileInfo file(SlotPath(slot, FILE_SUFFIX));
    return file.exists() || file.isSymLink();
}

std::unique_ptr<QLockFile> RecoveryFile::LockSlot(int slot) const
{
    auto lock = std::make_unique<QLockFile>(SlotPath(slot, LOCK_SUFFIX));
    // A running instance holds its slot however long it runs; only the lock
    // of a process that is gone is stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

FileWriteFailure RecoveryFile::WhyNoSlot() const
{
    if (const int error = FolderWriteError(m_folder))
        return { error, SystemReason(error) };
    return { EBUSY, ResourceModule::LoadString(IDS_RECOVERY_SLOTS_TAKEN) };
}

std::optional<FileWriteFailure> RecoveryFile::Claim()
{
    if (IsClaimed())
        return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(m_folder).toStdString(), error);
    if (error)
        return FileWriteFailure { error.value(), SystemReason(error.value()) };
    for (int slot = 0; slot < RECOVERY_SLOTS; ++slot) {
        if (SlotHoldsSomething(slot))
            continue;
        if (auto lock = LockSlot(slot)) {
            m_lock = std::move(lock);
            m_slot = slot;
            return std::nullopt;
        }
    }
    return WhyNoSlot();
}

std::vector<LeftOverRecovery> RecoveryFile::TakeLeftOvers() const
{
    std::vector<LeftOverRecovery> leftOvers;
    for (int slot = 0; slot < RECOVERY_SLOTS; ++slot) {
        const QString path = SlotPath(slot, FILE_SUFFIX);
        if (slot == m_slot || !QFileInfo(path).isFile())
            continue;
        if (auto lock = LockSlot(slot))
            leftOvers.push_back({ path, std::move(lock) });
    }
    return leftOvers;
}

std::optional<FileWriteFailure> RecoveryFile::Write(const RecoveryRecord &record)
{
    if (std::optional<FileWriteFailure> failure = Claim())
        return failure;
    if (m_written && m_written->file == record.file && m_written->rows == record.rows)
        return std::nullopt;
    if (std::optional<FileWriteFailure> failure
        = WriteWholeFile(SlotPath(m_slot, FILE_SUFFIX), FormatRecovery(record)))
        return failure;
    m_written = record;
    return std::nullopt;
}

void RecoveryFile::Remove()
{
    // Only what this run wrote: files that other runs left stay until the
    // user has decided about them.
    if (!m_written)
        return;
    QFile::remove(SlotPath(m_slot, FILE_SUFFIX));
    m_written.reset();
}

std::optional<RecoveryRecord> RecoveryFile::Read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ParseRecovery(file.read(MAX_RECOVERY_FILE_SIZE + 1));
}

QString RecoveryFile::KeepAside(const QString &path)
{
    QString aside = path + QLatin1String(DAMAGED_SUFFIX);
    for (int number = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++number)
        aside = path + QLatin1String(DAMAGED_SUFFIX) + QLatin1Char('-') + QString::number(number);
    return QFile::rename(path, aside) ? aside : path;
}
