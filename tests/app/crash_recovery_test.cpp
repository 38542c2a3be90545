#include "app/crash_recovery.h"

#include "../gui_test.h"
#include "../small_disk.h"
#include "document/brelvim_doc.h"
#include "document/recovery_file.h"
#include "platform/message_box.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <unistd.h>

#include <vector>

namespace
{

RecoveryRecord Edited()
{
    RecoveryRecord record { QStringLiteral("/home/user/my show.lsq"),
        QDateTime(QDate(2024, 5, 1), QTime(13, 7)), {} };
    record.rows.Append({ 0, 0x81, 7, 0, 0 });
    return record;
}

// What a start offers and keeps, a question answered with answer.
struct Start {
    std::vector<QString> questions;
    std::vector<QString> boxes;
};

Start StartWith(RecoveryFile &recovery, CBrelvimDoc &doc, std::optional<bool> answer)
{
    Start start;
    InterceptMessageBoxes([&start](const MessageBoxRequest &box) { start.boxes.push_back(box.text); });
    InterceptQuestionsOrLater([&start, answer](const QuestionRequest &question) {
        start.questions.push_back(question.text + " " + question.accept + "/" + question.reject);
        return answer;
    });
    RecoverLeftOverChanges(recovery, doc, nullptr);
    InterceptMessageBoxes({});
    InterceptQuestionsOrLater({});
    return start;
}

void RunRecoveryCheck(CBrelvimDoc &doc)
{
    for (int tick = 0; tick < RECOVERY_CHECK_MS / TICK_MS; ++tick)
        doc.Tick(0, false);
}

} // namespace

// Restore takes the changes, Discard removes them, Later (Esc, closing the
// question) keeps them for the next start and out of this run's way; a copy
// that cannot be read is kept aside, never removed.
TEST(CrashRecovery, AKilledRunsChangesComeBackGoOrWaitAsTheUserSays)
{
    ClearTestSettings();
    const QByteArray written = FormatRecovery(Edited());
    const QString question = "Pemblo! did not end normally. Restore the unsaved changes to " + Edited().file
        + " from " + Edited().time.toLocalTime().toString("yyyy-MM-dd hh:mm") + "? Restore/Discard";
    const struct {
        const char *name;
        QByteArray leftOver;
        std::optional<bool> answer;
        bool asked, restored;
        QStringList files;
        // Mode 000, and the start as an ordinary user, who cannot read it.
        bool unreadable = false;
    } cases[] = {
        { "restore", written, true, true, true, { "recovery-1.lsq" } },
        { "discard", written, false, true, false, {} },
        { "later", written, std::nullopt, true, false, { "recovery-0.lsq" } },
        { "unreadable", written, true, false, false, { "recovery-0.lsq.damaged" }, true },
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        QTemporaryDir state;
        QFile leftOver(state.filePath("recovery-0.lsq"));
        ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly) && leftOver.write(test.leftOver) > 0);
        leftOver.close();
        QFile::setPermissions(state.path(), QFileDevice::Permissions(0x7777));
        if (test.unreadable)
            QFile::setPermissions(leftOver.fileName(), QFileDevice::Permissions());

        CBrelvimDoc doc;
        RecoveryFile recovery(state.path());
        const uid_t user = setfsuid(test.unreadable && geteuid() == 0 ? 65534 : geteuid());
        const Start start = StartWith(recovery, doc, test.answer);
        setfsuid(user);
        EXPECT_EQ(start.questions, test.asked ? std::vector<QString> { question } : std::vector<QString> {});
        EXPECT_EQ(start.boxes,
            test.asked ? std::vector<QString> {}
                       : std::vector<QString> { "The recovery file " + state.filePath("recovery-0.lsq")
                           + " could not be read. It has been kept as "
                           + state.filePath("recovery-0.lsq.damaged") + "." });
        EXPECT_EQ(doc.IsModified(), test.restored);
        EXPECT_EQ(doc.m_rows == Edited().rows, test.restored);
        EXPECT_EQ(QDir(state.path()).entryList({ "*.lsq*" }), test.files);

        // This run's own changes go into a slot of their own; a copy kept for
        // later stays as it is and is offered again at the next start.
        doc.m_rows = Edited().rows;
        doc.m_rows.GetRecords()[0].time = 9;
        doc.SetModifiedFlag(true);
        RunRecoveryCheck(doc);
        EXPECT_EQ(RecoveryFile::Read(state.filePath("recovery-1.lsq"))->rows.GetRecords()[0].time, 9);
        EXPECT_EQ(QFile::exists(state.filePath("recovery-0.lsq")), !test.answer.has_value());
        CBrelvimDoc nextDoc;
        RecoveryFile next(state.path());
        EXPECT_EQ(StartWith(next, nextDoc, false).questions.size(), test.answer.has_value() ? 0u : 1u);
    }
}

// A disk that fills is said once, beside the work, and the changes are
// written as soon as there is room again.
TEST(CrashRecovery, ChangesThatCannotBeKeptAreSaidOnceAndKeptOnceThereIsRoom)
{
    ClearTestSettings();
    SmallDisk disk;
    if (!disk.Error().empty())
        GTEST_SKIP() << disk.Error();
    const QString folder = QString::fromStdString(disk.Path()) + "/pemblo";
    std::vector<MessageBoxRequest> notices;
    InterceptMessageBoxes([&notices](const MessageBoxRequest &box) { notices.push_back(box); });
    CBrelvimDoc doc;
    RecoveryFile recovery(folder);
    RecoverLeftOverChanges(recovery, doc, nullptr);
    doc.m_rows = Edited().rows;
    doc.SetModifiedFlag(true);
    RunRecoveryCheck(doc);
    disk.Fill();
    for (const std::uint16_t time : { 8, 9 }) {
        doc.m_rows.GetRecords()[0].time = time;
        RunRecoveryCheck(doc);
    }
    disk.Free();
    RunRecoveryCheck(doc);
    InterceptMessageBoxes({});

    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(
        notices[0].text, "Unsaved changes cannot be kept safe in " + folder + ": No space left on device.");
    EXPECT_FALSE(notices[0].modal);
    EXPECT_EQ(RecoveryFile::Read(folder + "/recovery-0.lsq")->rows.GetRecords()[0].time, 9);
}
