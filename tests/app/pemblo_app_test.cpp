#include "app/pemblo_app.h"

#include "../gui_test.h"
#include "app/language_dlg.h"
#include "app/main_frame.h"
#include "app/pemblo_session.h"
#include "display/brelvim_view.h"
#include "document/brelvim_doc.h"
#include "editor/led_editor_wnd.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace
{

QString Setting(const char *key)
{
    return SettingsStore::GetProfileString(SettingsStore::SECTION, key, {});
}

void SetSetting(const char *key, const QString &value)
{
    ASSERT_TRUE(SettingsStore::WriteProfileString(SettingsStore::SECTION, key, value));
}

QString StoreFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/'
        + SettingsStore::ORGANIZATION;
}

class StartupTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ClearTestSettings();
        InterceptMessageBoxes([this](const MessageBoxRequest &box) { boxes.push_back(box); });
    }

    void TearDown() override
    {
        InterceptMessageBoxes({});
        ResourceModule::UnloadLanguageBundle();
        QFile::remove(StoreFolder());
    }

    // Starts with the arguments given, answering the Language dialog with
    // answer; the device loads unless it is called "missing.rcc".
    bool Start(char answer, QStringList arguments = { "pemblo" })
    {
        app = std::make_unique<CPembloApp>(
            [this](const QString &device) {
                devices.push_back(device);
                return device != "missing.rcc";
            },
            [] { return std::make_unique<QWidget>(); }, arguments);
        app->SetLanguageQuestion([this, answer] {
            ++questions;
            return answer;
        });
        return app->InitInstance();
    }

    std::unique_ptr<CPembloApp> app;
    int questions = 0;
    QStringList devices;
    std::vector<MessageBoxRequest> boxes;
};

} // namespace

TEST_F(StartupTest, FirstStartAsksOnceTheNextStartNotAndAQuestionMarkAgain)
{
    ASSERT_TRUE(Start('D'));
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(Setting("language"), "D");
    EXPECT_TRUE(ResourceModule::IsLanguageBundleLoaded());
    EXPECT_EQ(devices, QStringList { "veltor.rcc" });
    EXPECT_TRUE(boxes.empty());

    ResourceModule::UnloadLanguageBundle();
    ASSERT_TRUE(Start('E', { "pemblo", "some.lsq" }));
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(ResourceModule::IsLanguageBundleLoaded());

    // A question mark on the command line asks again.
    ResourceModule::UnloadLanguageBundle();
    ASSERT_TRUE(Start('E', { "pemblo", "?" }));
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(Setting("language"), "E");
    EXPECT_FALSE(ResourceModule::IsLanguageBundleLoaded());
}

TEST_F(StartupTest, AnyValueStartingWithDIsGerman)
{
    const std::pair<const char *, bool> cases[]
        = { { "d", true }, { "Deutsch", true }, { "E", false }, { "", false }, { "english", false } };
    for (const auto &[language, german] : cases) {
        SetSetting("language", language);
        ASSERT_TRUE(Start(german ? 'E' : 'D'));
        EXPECT_EQ(ResourceModule::IsLanguageBundleLoaded(), german) << language;
        ResourceModule::UnloadLanguageBundle();
    }
    EXPECT_EQ(questions, 0);
}

TEST_F(StartupTest, MissingDeviceBundleIsReportedAndEndsTheStart)
{
    SetSetting("language", "E");
    SetSetting("device", "missing.rcc");
    EXPECT_FALSE(Start('E'));
    EXPECT_EQ(app->MainWindow(), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Can't load driver missing.rcc for the selected device.");

    // The German bundle is in place before the device loads.
    SetSetting("language", "D");
    EXPECT_FALSE(Start('E'));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Der Treiber missing.rcc für das gewählte Gerät kann nicht geladen werden.");
}

TEST_F(StartupTest, StoreThatCannotBeWrittenAsksOnlyOnce)
{
    // A file where the store's folder should be: nothing can be stored.
    QDir(StoreFolder()).removeRecursively();
    QFile blocker(StoreFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    ASSERT_TRUE(Start('D'));
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(ResourceModule::IsLanguageBundleLoaded());
    EXPECT_NE(app->MainWindow(), nullptr);
}

TEST_F(StartupTest, FirstStartShowsTheLanguageDialog)
{
    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Language");
        dialog->findChildren<QRadioButton *>().last()->click();
        dialog->findChild<QPushButton *>()->click();
    });
    CPembloApp start(
        [](const QString &) { return true; }, [] { return std::make_unique<QWidget>(); }, { "pemblo" });
    ASSERT_TRUE(start.InitInstance());
    EXPECT_EQ(Setting("language"), "D");
}

// The real session: device bundle, main frame, view, document and editor.
TEST_F(StartupTest, ASessionsFirstStartShowsTheMainWindowWithViewAndEditor)
{
    {
        PembloSession session;
        EXPECT_FALSE(session.LoadDevice(QStringLiteral("missing.rcc")));
        // A file that is there but no bundle fails as a missing one does.
        QTemporaryFile foreign;
        ASSERT_TRUE(foreign.open() && foreign.write("a letter\n") > 0);
        foreign.close();
        EXPECT_FALSE(session.LoadDevice(foreign.fileName()));
        CPembloApp app([&session](const QString &device) { return session.LoadDevice(device); },
            [&session] { return session.CreateMainWindow(); }, { "pemblo" });
        app.SetLanguageQuestion([] { return 'E'; });
        ASSERT_TRUE(app.InitInstance());
        EXPECT_TRUE(boxes.empty());

        auto *frame = qobject_cast<CMainFrame *>(app.MainWindow());
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->isVisible());
        auto *view = qobject_cast<CBrelvimView *>(frame->centralWidget());
        ASSERT_NE(view, nullptr);
        CBrelvimDoc *document = session.Document();
        EXPECT_EQ(view->GetDocument(), document);

        // No file to reload: the editor, open by default, opens.
        EXPECT_NE(dynamic_cast<CLedEditorWnd *>(document->GetEditor()), nullptr);

        session.Commands().Execute(ID_START_SIMULATION);
        EXPECT_TRUE(document->m_running);
    }
    // The document went with the session and noted the open editor.
    EXPECT_EQ(SettingsStore::GetProfileString(SettingsStore::SECTION, SettingsStore::KEY_EDITOR_OPEN), "1");
}

TEST_F(StartupTest, AFileOfTheCommandLineOpensAsOpenWouldAndOneThatDoesNotLoadChangesNothing)
{
    QTemporaryDir dir;
    struct Row {
        const char *content;
        bool opens;
    };
    const Row rows[] = { { "#=QUORBEL\nV=1\nD=VELTOR3\n00000000ff0005000000\n00000000000005000000\n", true },
        { "#=QUORBEL\nV=2\n", false }, { "a letter\n", false } };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.content);
        ClearTestSettings();
        boxes.clear();
        const QString path = dir.filePath(QString::number(&row - rows) + QStringLiteral(".lsq"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.content);
        file.close();
        PembloSession session;
        CPembloApp app([&session](const QString &device) { return session.LoadDevice(device); },
            [&session] { return session.CreateMainWindow(); }, { "pemblo" });
        app.SetLanguageQuestion([] { return 'E'; });
        ASSERT_TRUE(app.InitInstance());
        const QString started = session.Document()->GetPathName();
        const QString startedLastFile = Setting("lastfile");
        EXPECT_EQ(session.OpenFile(path), row.opens);
        EXPECT_EQ(boxes.size(), row.opens ? 0U : 1U);
        EXPECT_EQ(session.Document()->GetPathName(), row.opens ? path : started);
        EXPECT_EQ(session.Document()->m_rows.GetCount(), row.opens ? 2 : 4);
        EXPECT_EQ(Setting("lastfile"), row.opens ? path : startedLastFile);
    }
}

// OK with German checked is the first start above.
TEST(LanguageDialog, EscapeLeavesEnglishWhateverIsChecked)
{
    CLanguageDlg dialog;
    dialog.show();
    dialog.findChildren<QRadioButton *>().last()->click();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.LanguageCode(), 'E');
}
