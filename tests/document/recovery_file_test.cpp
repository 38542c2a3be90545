#include "document/recovery_file.h"

#include "../small_disk.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

// Outside the anonymous namespace, where std::optional's comparison finds it.
static bool operator==(const RecoveryRecord &a, const RecoveryRecord &b)
{
    return a.file == b.file && a.time == b.time && a.rows == b.rows;
}

namespace
{

RecoveryRecord Record(std::uint16_t firstTime)
{
    RecoveryRecord record { QStringLiteral("/home/user/my show.lsq"),
        QDateTime(QDate(2024, 5, 1), QTime(13, 7), QTimeZone::utc()), {} };
    record.rows.Append({ 0, 0x81, firstTime, 'X', 0 });
    record.rows.Append({ 0, 0x42, 9, 'X', 0 });
    record.rows.Append({ 0, 0, 0, 'G', 0 });
    return record;
}

QByteArray WithLine(const QByteArray &content, int line, const QByteArray &replacement)
{
    QList<QByteArray> lines = content.split('\n');
    lines[line] = replacement;
    return lines.join('\n');
}

} // namespace

// Only a copy whole and unchanged is taken; one written before the count and
// the checksum were kept still is.
TEST(RecoveryFormat, TakesOnlyAWholeCopy)
{
    const RecoveryRecord record = Record(7);
    const QByteArray written = FormatRecovery(record);
    const QByteArray body = written.mid(written.indexOf("P="));
    QByteArray changed = written;
    changed[changed.size() - 3] = changed[changed.size() - 3] == '0' ? '1' : '0';
    struct Case {
        QString name;
        QByteArray content;
        bool taken;
    };
    std::vector<Case> cases = {
        { "as written", written, true },
        { "written before the checksum", body, true },
        { "a digit changed", changed, false },
        { "another row count", WithLine(written, 0, "N=2"), false },
        { "a short checksum", WithLine(written, 1, written.split('\n')[1].left(9)), false },
        { "too large", written + QByteArray(MAX_RECOVERY_FILE_SIZE, '\n'), false },
        { "empty", QByteArray(), false },
    };
    for (qsizetype end = written.indexOf('\n'); end + 1 < written.size();
         end = written.indexOf('\n', end + 1))
        cases.push_back({ QStringLiteral("cut after byte %1").arg(end + 1), written.left(end + 1), false });
    cases.push_back({ "without its last line end", written.chopped(1), false });
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name.toStdString());
        EXPECT_EQ(ParseRecovery(test.content), test.taken ? std::optional(record) : std::nullopt);
    }
}

// Each failure is told with its reason, and the copy written last stays
// until a new one is written whole; a slot that holds anything is passed by.
TEST(RecoveryFile, WritesACopyOrSaysWhyAndKeepsTheLastGoodOne)
{
    SmallDisk disk;
    if (!disk.Error().empty())
        GTEST_SKIP() << disk.Error();
    const QString root = QString::fromStdString(disk.Path());
    struct Case {
        const char *name;
        std::function<void(const QString &folder)> prepare;
        bool fillDiskBeforeSecondWrite;
        bool asUser;
        int error;
        const char *copy;
    };
    const auto nothing = [](const QString &) {};
    const auto leftOver = [](const QString &folder) {
        QDir().mkpath(folder);
        QFile file(folder + "/recovery-0.lsq");
        file.open(QIODevice::WriteOnly);
        file.write(FormatRecovery(Record(99)));
    };
    const Case cases[] = {
        { "a new folder", nothing, false, false, 0, "recovery-0.lsq" },
        { "a full disk", nothing, true, false, ENOSPC, "recovery-0.lsq" },
        { "a full disk at start",
            [&disk](const QString &folder) {
                QDir().mkpath(folder);
                disk.Fill();
            },
            false, false, ENOSPC, nullptr },
        { "a file as the state folder",
            [](const QString &folder) { QFile(QFileInfo(folder).path()).open(QIODevice::WriteOnly); }, false,
            false, ENOTDIR, nullptr },
        { "a folder without rights",
            [](const QString &folder) {
                QDir().mkpath(folder);
                QFile::setPermissions(folder, QFileDevice::Permissions(0x5555));
            },
            false, true, EACCES, nullptr },
        { "a folder in the slot", [](const QString &folder) { QDir().mkpath(folder + "/recovery-0.lsq"); },
            false, false, 0, "recovery-1.lsq" },
        { "a copy left over", leftOver, false, false, 0, "recovery-1.lsq" },
        { "every slot blocked",
            [](const QString &folder) {
                for (int slot = 0; slot < RECOVERY_SLOTS; ++slot)
                    QDir().mkpath(QStringLiteral("%1/recovery-%2.lsq").arg(folder).arg(slot));
            },
            false, false, EBUSY, nullptr },
    };
    int row = 0;
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        const QString folder = QStringLiteral("%1/%2/pemblo").arg(root).arg(++row);
        test.prepare(folder);
        const std::optional<RecoveryRecord> leftBefore = RecoveryFile::Read(folder + "/recovery-0.lsq");
        {
            const uid_t user = setfsuid(test.asUser && geteuid() == 0 ? 65534 : geteuid());
            RecoveryFile recovery(folder);
            std::optional<FileWriteFailure> failure = recovery.Write(Record(7));
            if (test.fillDiskBeforeSecondWrite) {
                disk.Fill();
                failure = recovery.Write(Record(8));
            }
            setfsuid(user);
            EXPECT_EQ(failure ? failure->error : 0, test.error);
            EXPECT_TRUE(!failure || !failure->reason.isEmpty());
            if (test.copy) {
                EXPECT_EQ(RecoveryFile::Read(folder + "/" + test.copy), Record(7));
            }
            if (leftBefore) {
                EXPECT_EQ(RecoveryFile::Read(folder + "/recovery-0.lsq"), leftBefore);
            }
        }
        disk.Free();
    }
}
