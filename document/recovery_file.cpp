#include "document/recovery_file.h"

#include "core/constants.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "core/text_stream.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace
{

// The lines before the sequence: the path of the file the rows belong to,
// percent-encoded so that any name fits on a line, and the time written.
constexpr char FILE_KEY[] = "P=";
constexpr char TIME_KEY[] = "T=";
constexpr char LOCK_SUFFIX[] = "lock";
constexpr char FILE_SUFFIX[] = "lsq";
// Far more than 224 rows and a path take; a larger file is no recovery file.
constexpr qint64 MAX_RECOVERY_FILE_SIZE = 64 * 1024;

QByteArray Format(const RecoveryRecord &record)
{
    StringTextOutput text;
    WriteSequenceFile(record.rows, text);
    return FILE_KEY + QUrl::toPercentEncoding(record.file) + '\n' + TIME_KEY
        + record.time.toUTC().toString(Qt::ISODate).toLatin1() + '\n'
        + QByteArray::fromStdString(text.Text());
}

// The value of a line "KEY=value"; nullopt when the line has another key.
std::optional<QByteArray> Value(const QByteArray &line, const char *key)
{
    if (!line.startsWith(key))
        return std::nullopt;
    return line.mid(int(qstrlen(key)));
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

bool RecoveryFile::Claim()
{
    if (IsClaimed())
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    for (int slot = 0; slot < RECOVERY_SLOTS; ++slot) {
        if (auto lock = LockSlot(slot)) {
            m_lock = std::move(lock);
            m_slot = slot;
            return true;
        }
    }
    return false;
}

std::vector<LeftOverRecovery> RecoveryFile::TakeLeftOvers() const
{
    std::vector<LeftOverRecovery> leftOvers;
    if (!IsClaimed())
        return leftOvers;
    if (QFile::exists(SlotPath(m_slot, FILE_SUFFIX)))
        leftOvers.push_back({ SlotPath(m_slot, FILE_SUFFIX), nullptr });
    for (int slot = 0; slot < RECOVERY_SLOTS; ++slot) {
        const QString path = SlotPath(slot, FILE_SUFFIX);
        if (slot == m_slot || !QFile::exists(path))
            continue;
        if (auto lock = LockSlot(slot))
            leftOvers.push_back({ path, std::move(lock) });
    }
    return leftOvers;
}

bool RecoveryFile::Write(const RecoveryRecord &record)
{
    if (!IsClaimed())
        return false;
    if (m_written && m_written->file == record.file && m_written->rows == record.rows)
        return true;
    QSaveFile file(SlotPath(m_slot, FILE_SUFFIX));
    const QByteArray content = Format(record);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return false;
    m_written = record;
    return true;
}

void RecoveryFile::Remove()
{
    // Only what this run wrote: a file that a killed run left in the slot
    // stays until the user has decided about it.
    if (!m_written)
        return;
    QFile::remove(SlotPath(m_slot, FILE_SUFFIX));
    m_written.reset();
}

std::optional<RecoveryRecord> RecoveryFile::Read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MAX_RECOVERY_FILE_SIZE)
        return std::nullopt;
    const std::optional<QByteArray> name = Value(file.readLine().trimmed(), FILE_KEY);
    const std::optional<QByteArray> time = Value(file.readLine().trimmed(), TIME_KEY);
    if (!name || !time)
        return std::nullopt;

    RecoveryRecord record { QUrl::fromPercentEncoding(*name),
        QDateTime::fromString(QString::fromLatin1(*time), Qt::ISODate), {} };
    if (!record.time.isValid())
        return std::nullopt;
    const QByteArray sequence = file.readAll();
    MemoryTextInput input(std::string_view(sequence.constData(), std::size_t(sequence.size())));
    try {
        ReadSequenceFile(record.rows, input);
    } catch (const LoadError &) {
        return std::nullopt;
    }
    return record;
}
