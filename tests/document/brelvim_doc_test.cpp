#include "../gui_test.h"
#include "core/sequence_file.h"
#include "document/brelvim_doc.h"
#include "platform/bundle_file.h"
#include "platform/command_table.h"
#include "platform/doc_manager.h"
#include "platform/file_prompts.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/settings_store.h"
#include "platform/view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace
{

const QByteArray HEADER = "#=QUORBEL\nV=1\nD=VELTOR3\n";
const QByteArray DEFAULT_ROWS = "0100000000000046000f\n00000000ff0014580000\n"
                                "00000000000014580000\n01000000000000470000\n";

// An editor whose value edit holds the time typed for row 0, if any.
struct FakeEditor : LedEditorLink {
    void SetTraceLine(int row) override { traceLine = row; }
    std::uint32_t GetCurrentPattern() const override { return pattern; }
    void EnableWindow(bool enable) override { enabled = enable; }
    void CloseValueEdit(bool apply) override
    {
        if (apply && typedTime) {
            m_rows[0].time = *typedTime;
            m_modified = 1;
        }
        typedTime.reset();
    }
    void StartHistory(bool saved) override { m_modified = saved ? 0 : 1; }
    void MarkSaved() override { m_modified = 0; }

    std::optional<std::uint16_t> typedTime;
    int traceLine = -2;
    bool enabled = false;
    std::uint32_t pattern = 0;
};

class HintView : public CView
{
public:
    void OnDraw(QPainter &) override { }
    void OnUpdate(CView *, int hint) override { hints.push_back(hint); }
    std::vector<int> hints;
};

SequenceRow PatternRow(std::uint32_t pattern, std::uint16_t time)
{
    return { 0, pattern, time, 'X', 0 };
}

QString Setting(const char *key)
{
    return SettingsStore::GetProfileString(SettingsStore::SECTION, key, QStringLiteral("absent"));
}

class BrelvimDocTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearTestSettings();
        ASSERT_TRUE(QDir::setCurrent(directory.path()));
        InterceptMessageBoxes([this](const MessageBoxRequest &box) {
            boxes.push_back(box.title + ": " + box.text);
            details.push_back(box.details);
        });
        doc = std::make_unique<CBrelvimDoc>();
        doc->AddView(&view);
    }
    void TearDown() override
    {
        doc.reset();
        InterceptMessageBoxes({});
    }

    // name is in the test's directory unless it is an absolute path.
    QString WriteFile(const QString &name, const QByteArray &content) const
    {
        QFile file(QDir(directory.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }
    QByteArray ReadFile(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    // The document owns the editor: HasEditor() false means it deleted it.
    FakeEditor *GiveEditor()
    {
        auto editor = std::make_unique<FakeEditor>();
        FakeEditor *raw = editor.get();
        doc->SetEditor(std::move(editor));
        return raw;
    }

    QTemporaryDir directory;
    HintView view;
    std::unique_ptr<CBrelvimDoc> doc;
    std::vector<QString> boxes;
    std::vector<QString> details;
};

TEST_F(BrelvimDocTest, StartUpLoadsTheDefaultFileQuietlyAndAsksForTheEditor)
{
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(doc->GetPathName().isEmpty());
    EXPECT_EQ(Setting(SettingsStore::KEY_LAST_FILE), QStringLiteral("absent")) << "the file did not open";
    EXPECT_EQ(view.hints, std::vector<int>({ HINT_REPAINT_LEDS, HINT_OPEN_EDITOR }));

    // The one installed with the program (from the build's bin/), then one in
    // the current directory before it.
    const QString installed = InstalledDataPath("examples/001_veltor_pulsar.lsq");
    QDir().mkpath(InstalledDataPath("examples"));
    QFile::copy(PEMBLO_SOURCE_DIR "/examples/001_veltor_pulsar.lsq", installed);
    doc->OnNewDocument();
    EXPECT_EQ(doc->GetPathName(), installed);
    SettingsStore::WriteProfileString(SettingsStore::SECTION, SettingsStore::KEY_LAST_FILE, "");
    WriteFile("001_veltor_pulsar.lsq", HEADER + DEFAULT_ROWS);
    SettingsStore::WriteProfileString(SettingsStore::SECTION, SettingsStore::KEY_EDITOR_OPEN, "0");
    view.hints.clear();
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(doc->m_rows.GetCount(), 4);
    EXPECT_EQ(doc->GetPathName(), directory.filePath("001_veltor_pulsar.lsq"));
    EXPECT_EQ(Setting(SettingsStore::KEY_LAST_FILE), QStringLiteral("001_veltor_pulsar.lsq"));
    EXPECT_EQ(view.hints, std::vector<int>({ HINT_REPAINT_LEDS }));
    QFile::remove(installed);
    QDir().rmpath(InstalledDataPath("examples"));
}

TEST_F(BrelvimDocTest, EachLoadErrorHasItsMessageAndAFileThatOpenedIsStillTheLastFile)
{
    for (const auto &[content, code] : { std::pair<QByteArray, LoadErrorCode> { "#=OTHER\n", LOAD_INVALID },
             { "#=QUORBEL\nV=2\n", LOAD_VERSION }, { "#=QUORBEL\nV=1\nD=VELTOR2\n", LOAD_OTHER_DEVICE } }) {
        SCOPED_TRACE(content.toStdString());
        const QString path = WriteFile(QStringLiteral("error%1.lsq").arg(code), content);
        doc->SetPathName(path);
        boxes.clear();
        EXPECT_TRUE(doc->OnOpenDocument(path));
        EXPECT_EQ(boxes, std::vector<QString>({ QStringLiteral("Load error: ") + LoadErrorMessage(code) }));
        EXPECT_EQ(Setting(SettingsStore::KEY_LAST_FILE), path);
        EXPECT_TRUE(doc->GetPathName().isEmpty());
    }

    // Opening deletes the editor without taking its rows and asks for a new one.
    GiveEditor()->m_rowCount = 7;
    boxes.clear();
    view.hints.clear();
    doc->OnOpenDocument(directory.filePath("none.lsq"));
    EXPECT_EQ(boxes, std::vector<QString>({ QStringLiteral("Load error: file not found") }));
    EXPECT_NE(Setting(SettingsStore::KEY_LAST_FILE), directory.filePath("none.lsq"));
    EXPECT_FALSE(doc->HasEditor());
    EXPECT_EQ(doc->m_rows.GetCount(), 0);
    EXPECT_EQ(view.hints, std::vector<int>({ HINT_OPEN_EDITOR }));
}

TEST_F(BrelvimDocTest, EditOpenFollowsTheEditorAtDestruction)
{
    GiveEditor();
    doc.reset();
    EXPECT_EQ(Setting(SettingsStore::KEY_EDITOR_OPEN), QStringLiteral("1"));
    CBrelvimDoc {}; // one without an editor
    EXPECT_EQ(Setting(SettingsStore::KEY_EDITOR_OPEN), QStringLiteral("0"));
}

TEST_F(BrelvimDocTest, EnableRulesFollowTheRowsAndTheRun)
{
    CommandTable commands;
    doc->RegisterCommands(commands);
    const auto enabled = [&commands](std::initializer_list<int> ids) {
        commands.UpdateCommandUI();
        std::vector<bool> result;
        for (const int id : ids)
            result.push_back(commands.Action(id)->isEnabled());
        return result;
    };
    const std::initializer_list<int> ids
        = { ID_START_SIMULATION, ID_STOP_SIMULATION, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_OPEN };
    EXPECT_EQ(enabled(ids), std::vector<bool>({ false, false, false, false, true })) << "no rows";
    doc->m_rows.LoadDefault();
    EXPECT_EQ(enabled(ids), std::vector<bool>({ true, false, true, true, true })) << "stopped";
    commands.Execute(ID_START_SIMULATION);
    EXPECT_TRUE(doc->m_running);
    EXPECT_EQ(enabled(ids), std::vector<bool>({ false, true, false, false, false })) << "running";
    commands.Execute(ID_STOP_SIMULATION);
    EXPECT_EQ(enabled(ids), std::vector<bool>({ true, false, true, true, true })) << "stopped again";
}

TEST_F(BrelvimDocTest, SaveWritesTheEditorsRowsAndOnlyASaveThatWorkedClearsTheFlags)
{
    doc->m_rows.LoadDefault();
    FakeEditor *editor = GiveEditor();
    editor->m_rows[0] = PatternRow(0x3ff, 20);
    editor->m_rowCount = 1;
    editor->m_modified = 1;
    doc->SetModifiedFlag();
    // The box names the file and says why.
    EXPECT_FALSE(doc->OnSaveDocument(directory.path()));
    EXPECT_EQ(boxes, std::vector<QString>({ QStringLiteral("Load error: can't open file") }));
    EXPECT_EQ(details, std::vector<QString> { directory.path() + ": Is a directory" });
    EXPECT_EQ(editor->m_modified, 1);
    EXPECT_TRUE(doc->IsModified());

    const QString path = WriteFile("old.lsq", "old content");
    EXPECT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(ReadFile(path), HEADER + "00000003ff0014580000\n");
    EXPECT_EQ(editor->m_modified, 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Setting(SettingsStore::KEY_LAST_FILE), path);

}

TEST_F(BrelvimDocTest, AValueStillBeingTypedIsAppliedBeforeTheSaveQuestion)
{
    CDocManager manager(
        QStringLiteral("Pemblo\nPemblo\nnewfile\nPemblo files (*.lsq)\n.lsq\nPemblo\nPemblo!"), *doc);
    int questions = 0;
    InterceptSaveChangesQuestion([&questions](const SaveChangesRequest &) {
        ++questions;
        return SaveChangesAnswer::Yes;
    });
    const QString path = WriteFile("typed.lsq", HEADER + DEFAULT_ROWS);
    doc->OnOpenDocument(path);
    doc->SetPathName(path, false);
    FakeEditor *editor = GiveEditor();
    doc->CopyRowsToEditor();
    editor->typedTime = 44;
    EXPECT_TRUE(manager.SaveModified());
    InterceptSaveChangesQuestion({});
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(ReadFile(path), HEADER + "0100000000002c46000f\n" + DEFAULT_ROWS.mid(21));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(BrelvimDocTest, TickKeepsTheEditorInStep)
{
    doc->m_rows.LoadDefault();
    FakeEditor *editor = GiveEditor();
    doc->CopyRowsToEditor();
    editor->m_modified = 1;
    doc->OnStartSimulation();
    doc->Tick(0, false);
    doc->Tick(0, false);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(editor->enabled);
    editor->m_modified = 0; // undone back to the saved rows
    doc->Tick(0, false);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(editor->traceLine, doc->m_interpreter.GetCurrentRow());

    editor->m_trace = 0;
    doc->Tick(0, false);
    EXPECT_TRUE(editor->enabled);
    EXPECT_EQ(editor->traceLine, -1);

    editor = GiveEditor();
    editor->m_rows[0] = PatternRow(1, 5);
    editor->m_rowCount = 1;
    editor->m_closed = 1;
    doc->Tick(0, true);
    EXPECT_FALSE(doc->HasEditor());
    EXPECT_EQ(doc->m_rows.GetCount(), 1);
    EXPECT_EQ(view.hints, std::vector<int>({ HINT_REPAINT_LEDS }));
}

TEST_F(BrelvimDocTest, StoppedDisplayShowsTheEditorsPatternWithLedsEightAndNine)
{
    using Levels = std::array<std::uint8_t, LED_COUNT>;
    doc->Tick(0, false);
    EXPECT_EQ(doc->m_ledLevels, Levels {}) << "dark without an editor";
    FakeEditor *editor = GiveEditor();
    editor->pattern = 0x19;
    doc->Tick(0, false);
    EXPECT_EQ(doc->m_ledLevels, (Levels { 127, 0, 0, 127, 127, 0, 0, 0, 127, 127 }));
    editor->pattern = 0x300;
    doc->Tick(0, false);
    EXPECT_EQ(doc->m_ledLevels, (Levels { 0, 0, 0, 0, 0, 0, 0, 0, 127, 127 }));
}

TEST_F(BrelvimDocTest, TheSequencesEndStopsTheRun)
{
    doc->m_rows.Append(PatternRow(0xff, 1));
    doc->OnStartSimulation();
    doc->Tick(0, false);
    EXPECT_TRUE(doc->m_running);
    EXPECT_EQ(doc->m_ledLevels[0], MAX_LED_LEVEL);
    doc->Tick(0, false);
    EXPECT_FALSE(doc->m_running);
    EXPECT_EQ(doc->m_ledLevels[0], 0) << "the stopped display in the same tick";
}

} // namespace
