#include "../gui_test.h"
#include "platform/bundle_file.h"
#include "platform/doc_manager.h"
#include "platform/document.h"
#include "platform/file_prompts.h"
#include "platform/recent_file_list.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{

const QString TEMPLATE
    = QStringLiteral("Pemblo\nPemblo\nnewfile\nPemblo files (*.lsq)\n.lsq\nPemblo\nPemblo!");

class TestDocument : public CDocument
{
public:
    bool OnOpenDocument(const QString &path) override
    {
        opened.push_back(path);
        if (!loads)
            SetPathName(QString());
        return true;
    }
    bool OnSaveDocument(const QString &path) override
    {
        saved.push_back(path);
        return saves;
    }

    bool loads = true;
    bool saves = true;
    std::vector<QString> opened;
    std::vector<QString> saved;
};

class DocManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearTestSettings();
        InterceptFileDialogs([this](const FileDialogRequest &request) {
            dialogs.push_back(request);
            return dialogAnswer;
        });
        InterceptSaveChangesQuestion([this](const SaveChangesRequest &request) {
            questions.push_back(request.text);
            return answer;
        });
        manager.OnFileNew();
    }
    void TearDown() override
    {
        InterceptFileDialogs({});
        InterceptSaveChangesQuestion({});
    }

    TestDocument document;
    CDocManager manager { TEMPLATE, document };
    QString dialogAnswer = QStringLiteral("/data/chosen.lsq");
    SaveChangesAnswer answer = SaveChangesAnswer::Cancel;
    std::vector<FileDialogRequest> dialogs;
    std::vector<QString> questions;
};

TEST_F(DocManagerTest, SaveChangesQuestionGuardsAModifiedDocument)
{
    document.SetModifiedFlag();
    manager.OnFileOpen();
    EXPECT_EQ(questions, std::vector<QString>({ QStringLiteral("Save changes to Pemblo?") }));
    EXPECT_TRUE(document.opened.empty()) << "Cancel keeps the document";
    EXPECT_TRUE(document.IsModified());

    answer = SaveChangesAnswer::Yes;
    document.saves = false;
    manager.OnFileOpen();
    EXPECT_TRUE(document.opened.empty()) << "a failed save keeps the document";

    dialogs.clear();
    document.saves = true;
    manager.OnFileOpen();
    ASSERT_EQ(dialogs.size(), 2u) << "Open, then Save As for the untitled document";
    EXPECT_EQ(dialogs[1].mode, FileDialogRequest::SaveAs);
    EXPECT_EQ(dialogs[1].fileName, QStringLiteral("Pemblo.lsq"));
    EXPECT_EQ(dialogs[1].defaultSuffix, QStringLiteral("lsq"));
    EXPECT_EQ(document.opened.size(), 1u);
    EXPECT_FALSE(document.IsModified());

    document.SetModifiedFlag();
    answer = SaveChangesAnswer::No;
    EXPECT_TRUE(manager.SaveModified());
    EXPECT_EQ(document.saved.size(), 2u) << "No discards without saving";
}

TEST_F(DocManagerTest, SaveAsksForANameOnlyWithoutAFileItCanWrite)
{
    dialogAnswer = QDir::tempPath() + QStringLiteral("/chosen.lsq");
    manager.OnFileSave();
    ASSERT_EQ(document.saved, std::vector<QString>({ dialogAnswer }));
    EXPECT_EQ(document.GetPathName(), dialogAnswer);
    manager.OnFileSave();
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(document.saved.size(), 2u);

    // An installed example, which root may write too, is saved under a new
    // name, from the user's documents.
    document.saves = false;
    const QString installed = InstalledDataPath(QStringLiteral("doc_manager_test"));
    QDir().mkpath(installed);
    document.SetPathName(installed + QStringLiteral("/other.lsq"));
    manager.OnFileSave();
    QDir().rmpath(installed);
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].fileName, QStringLiteral("other.lsq"));
    EXPECT_EQ(dialogs[1].folder, UserDocumentsFolder());
    EXPECT_EQ(document.GetPathName(), installed + QStringLiteral("/other.lsq"))
        << "a failed save renames nothing";
}

TEST_F(DocManagerTest, RecentFileListKeepsFourNewestFirst)
{
    for (const char *name : { "/a.lsq", "/b.lsq", "/c.lsq", "/d.lsq", "/e.lsq", "/c.lsq" })
        manager.OpenDocumentFile(QString::fromLatin1(name));
    document.loads = false;
    manager.OpenDocumentFile(QStringLiteral("/broken.lsq"));
    EXPECT_TRUE(document.GetPathName().isEmpty());

    EXPECT_EQ(GetRecentFileList(), QStringList({ "/c.lsq", "/e.lsq", "/d.lsq", "/b.lsq" }));
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Quenfel VELTOR pro", "Pemblo!");
    EXPECT_EQ(store.value("Recent File List/File1").toString(), QStringLiteral("/c.lsq"));
}

// German asks its questions in German, on Qt's own buttons and dialogs too.
TEST_F(DocManagerTest, GermanTextsForTheFileCommands)
{
    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(QStringLiteral(PEMBLO_BIN_DIR "/german.rcc")));
    document.SetModifiedFlag();
    manager.OnFileOpen();
    manager.OnFileSaveAs();
    const QStringList texts = { questions.at(0), dialogs.at(0).caption, dialogs.at(1).caption,
        QCoreApplication::translate("QPlatformTheme", "&Yes") };
    ResourceModule::UnloadLanguageBundle();
    EXPECT_EQ(texts, QStringList({ "Änderungen an Pemblo speichern?", "Öffnen", "Speichern unter", "&Ja" }));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
}

TEST(SettingsStore, ABatchWritesTheFileOnceAtItsEndAndAKnownValueIsNotWritten)
{
    ClearTestSettings();
    const QString file = QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::ORGANIZATION,
        SettingsStore::APPLICATION)
                             .fileName();
    const auto fileHolds = [&file](const char *text) {
        QFile settings(file);
        return settings.open(QIODevice::ReadOnly) && settings.readAll().contains(text);
    };
    {
        const SettingsStore::WriteBatch batch;
        SettingsStore::WriteProfileString("settings", "lastfile", "/a.lsq");
        AddToRecentFileList("/a.lsq");
        EXPECT_EQ(SettingsStore::GetProfileString("settings", "lastfile"), "/a.lsq");
        EXPECT_FALSE(fileHolds("/a.lsq"));
    }
    EXPECT_TRUE(fileHolds("lastfile=/a.lsq"));
    EXPECT_TRUE(fileHolds("File1=/a.lsq"));

    // The file is replaced by every write; a value it holds leaves it alone.
    struct stat before, after;
    ASSERT_EQ(stat(QFile::encodeName(file).constData(), &before), 0);
    EXPECT_TRUE(SettingsStore::WriteProfileString("settings", "lastfile", "/a.lsq"));
    ASSERT_EQ(stat(QFile::encodeName(file).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

} // namespace
