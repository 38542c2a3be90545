#include "app/crash_recovery.h"

#include "../gui_test.h"
#include "document/brelvim_doc.h"
#include "document/recovery_file.h"
#include "platform/message_box.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

TEST(CrashRecovery, AKilledRunsChangesComeBackAndARunningOnesStayItsOwn)
{
    ClearTestSettings();
    QTemporaryDir state;
    RowTable edited;
    edited.Append({ 0, 0x81, 7, 0, 0 });
    const QString file = QStringLiteral("/home/user/my show.lsq");
    {
        // A run that was killed: its lock is gone, its file stays.
        RecoveryFile killed(state.path());
        ASSERT_TRUE(killed.Claim());
        ASSERT_TRUE(killed.Write({ file, QDateTime(QDate(2024, 5, 1), QTime(13, 7)), edited }));
    }
    QFile damaged(state.filePath("recovery-1.lsq"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("P=x\nT=never\n#=QUORBEL\n") > 0);
    damaged.close();

    std::vector<QString> boxes;
    std::vector<QString> questions;
    InterceptMessageBoxes([&boxes](const MessageBoxRequest &box) { boxes.push_back(box.text); });
    InterceptQuestions([&questions](const QuestionRequest &question) {
        questions.push_back(question.text + " " + question.accept + "/" + question.reject);
        return true;
    });
    CBrelvimDoc doc;
    RecoveryFile recovery(state.path());
    RecoverLeftOverChanges(recovery, doc, nullptr);
    InterceptMessageBoxes({});
    InterceptQuestions({});

    const QString time
        = QDateTime(QDate(2024, 5, 1), QTime(13, 7)).toLocalTime().toString("yyyy-MM-dd hh:mm");
    EXPECT_EQ(questions,
        std::vector<QString> { "Pemblo! did not end normally. Restore the unsaved changes to " + file
            + " from " + time + "? Restore/Discard" });
    EXPECT_TRUE(doc.m_rows == edited);
    EXPECT_EQ(doc.GetPathName(), file);
    EXPECT_TRUE(doc.IsModified());
    // The damaged file was reported and removed; the changes are in this
    // run's own file now.
    EXPECT_EQ(boxes,
        std::vector<QString> { "The recovery file " + state.filePath("recovery-1.lsq")
            + " could not be read and has been removed." });
    EXPECT_EQ(QDir(state.path()).entryList({ "*.lsq" }), QStringList { "recovery-0.lsq" });
    EXPECT_TRUE(RecoveryFile::Read(state.filePath("recovery-0.lsq"))->rows == edited);

    // A second run at the same time takes nothing of this one's.
    RecoveryFile second(state.path());
    ASSERT_TRUE(second.Claim());
    EXPECT_TRUE(second.TakeLeftOvers().empty());

    // Changes go into the file within the check time; once none are left
    // unsaved, it goes.
    doc.m_rows.GetRecords()[0].time = 9;
    for (int tick = 0; tick < RECOVERY_CHECK_MS / TICK_MS; ++tick)
        doc.Tick(0, false);
    EXPECT_EQ(RecoveryFile::Read(state.filePath("recovery-0.lsq"))->rows.GetRecords()[0].time, 9);
    doc.SetModifiedFlag(false);
    for (int tick = 0; tick < RECOVERY_CHECK_MS / TICK_MS; ++tick)
        doc.Tick(0, false);
    EXPECT_FALSE(QFile::exists(state.filePath("recovery-0.lsq")));
}
