#include "led_editor_wnd_test.h"

#include "core/row_table.h"
#include "editor/editor_command_ids.h"
#include "editor/export_animation_dlg.h"
#include "editor/generate_dlg.h"
#include "editor/refusal_note.h"
#include "platform/file_prompts.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "upload/binary_file.h"
#include "upload/fsk_signal.h"
#include "upload/wav_file.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <vector>

namespace
{

QAction *FindAction(QMenu &menu, int id)
{
    for (QAction *action : menu.actions()) {
        if (QMenu *submenu = action->menu()) {
            if (QAction *found = FindAction(*submenu, id))
                return found;
        } else if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

// Stands in for the user at the context menu: notes the popup's title, its
// last item and its Undo item (empty while disabled) and chooses the item
// with the given id, or none.
struct MenuChoice {
    int id = 0;
    std::vector<QString> shown;
    std::vector<int> lastItems;
    std::vector<bool> traceChecked;
    std::vector<QString> undoItems;

    EditorContextMenu::ExecHook Hook()
    {
        return [this](QMenu &popup, const QPoint &) {
            shown.push_back(popup.title());
            lastItems.push_back(popup.actions().back()->data().toInt());
            traceChecked.push_back(FindAction(popup, ID_MENU_TRACE)->isChecked());
            const QAction *undo = FindAction(popup, ID_MENU_UNDO);
            undoItems.push_back(undo->isEnabled() ? undo->text() : QString());
            return FindAction(popup, id);
        };
    }
};

// Stands in for the user at a prompt: notes each request and gives the
// answer as it is at the time.
template <typename Request, typename Answer>
std::function<Answer(const Request &)> Noting(std::vector<Request> &requests, const Answer &answer)
{
    return [&requests, &answer](const Request &request) {
        requests.push_back(request);
        return answer;
    };
}

} // namespace

TEST_F(LedEditorWndTest, ALeftDragPaintsCellsAndShiftLocksTheStroke)
{
    // Every cell between two reported positions is painted, however far
    // apart they are.
    auto editor = Editor(8, 232, 200);
    QTest::mousePress(editor.get(), Qt::LeftButton, Qt::NoModifier, Cell(2, 0));
    Move(*editor, Cell(2, 2));
    Move(*editor, Cell(3, 2));
    EXPECT_EQ(editor->m_rows[2].pattern, 0x07u);
    EXPECT_EQ(editor->m_rows[3].pattern, 0x04u);
    EXPECT_TRUE(Selection(*editor).IsSelected(3));
    EXPECT_EQ(Selection(*editor).Count(8), 1);

    // Shift takes effect at line 3, channel 2: farther across than down
    // stays on line 3.
    Move(*editor, Cell(3, 2), Qt::ShiftModifier);
    Move(*editor, Cell(3, 5) + QPoint(0, 20), Qt::ShiftModifier);
    EXPECT_EQ(editor->m_rows[3].pattern, 0x3Cu);
    EXPECT_EQ(editor->m_rows[4].pattern, 0u);
    QTest::mouseRelease(editor.get(), Qt::LeftButton, Qt::NoModifier, Cell(5, 4));
    Move(*editor, Cell(6, 0));
    EXPECT_EQ(editor->m_rows[6].pattern, 0u);

    // The right button clears, also a channel that was off.
    QTest::mousePress(editor.get(), Qt::RightButton, Qt::NoModifier, Cell(3, 5));
    Move(*editor, Cell(3, 7));
    QTest::mouseRelease(editor.get(), Qt::RightButton, Qt::NoModifier, Cell(3, 7));
    EXPECT_EQ(editor->m_rows[3].pattern, 0x1Cu);

    // Dragging down the index column selects lines.
    QTest::mousePress(editor.get(), Qt::LeftButton, Qt::NoModifier, { INDEX_X, LineY(1) });
    Move(*editor, { TIME_X, LineY(4) });
    QTest::mouseRelease(editor.get(), Qt::LeftButton, Qt::NoModifier, { TIME_X, LineY(4) });
    EXPECT_EQ(Selection(*editor).Count(8), 4);
    EXPECT_EQ(Selection(*editor).First(8), 1);
}

TEST_F(LedEditorWndTest, ARightClickOpensThePopupForOneOrSeveralLines)
{
    auto editor = Editor(6, 232, 200);
    editor->m_rows[5] = { 1, 0, 1, CMD_GOTO, 3 };
    MenuChoice user;
    ContextMenu(*editor).SetExecHook(user.Hook());

    Selection(*editor).SelectRange(0, 2);
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, { INDEX_X, LineY(1) });
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, { TIME_X, LineY(4) });
    EXPECT_EQ(user.shown, (std::vector<QString> { "KM2E", "KM1E" }));
    EXPECT_TRUE(Selection(*editor).IsSelected(4));
    EXPECT_EQ(Selection(*editor).Count(6), 1);

    // Not on a command line's cells.
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, Cell(5, 1));
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, Cell(5, 7));
    EXPECT_EQ(user.shown.size(), 2u);

    // An item runs the command of its key; "Trace" is checked in both
    // popups alike. Undo names the step it takes back.
    const auto pick = [&](int id, int line) {
        user.id = id;
        QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, { INDEX_X, LineY(line) });
    };
    pick(ID_MENU_DELETE, 2);
    EXPECT_EQ(editor->m_rowCount, 5);
    pick(ID_MENU_UNDO, 2);
    EXPECT_EQ(editor->m_rowCount, 6);
    EXPECT_EQ(user.undoItems, (std::vector<QString> { "", "", "", "Undo Delete 1 line\tCTRL+Z" }));
    pick(ID_MENU_REDO, 2);
    EXPECT_EQ(editor->m_rowCount, 5);
    pick(ID_MENU_TRACE, 0);
    EXPECT_EQ(editor->m_trace, 0);
    Selection(*editor).SelectRange(0, 1);
    pick(ID_MENU_GOTO, 0);
    EXPECT_EQ(user.traceChecked, (std::vector<bool> { true, true, true, true, true, true, false }));
    EXPECT_EQ(editor->m_rows[1].command, CMD_GOTO);
}

TEST_F(LedEditorWndTest, TheGenerateWindowInsertsItsRowsAsAPasteDoes)
{
    auto editor = Editor(6, 232, 200);
    MenuChoice user;
    user.id = ID_MENU_GENERATE;
    ContextMenu(*editor).SetExecHook(user.Hook());
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, { INDEX_X, LineY(2) });
    auto *dialog = editor->findChild<CGenerateDlg *>();
    ASSERT_NE(dialog, nullptr);

    // A bounce over the eight channels: 14 rows before line 2.
    dialog->findChild<QComboBox *>()->setCurrentIndex(1);
    dialog->OnInsert();
    EXPECT_EQ(editor->m_rowCount, 20);
    EXPECT_EQ(editor->m_rows[2].pattern, 0x01u);

    // With nothing selected, the rows go before the current line.
    Selection(*editor).Clear();
    editor->EnsureVisible(3);
    ASSERT_EQ(Selection(*editor).First(20), -1);
    ASSERT_TRUE(editor->InsertRowsAsStep({ { 0, 0xff, 7, 0, 0 } }, QStringLiteral("Generate")));
    EXPECT_EQ(editor->m_rowCount, 21);
    EXPECT_EQ(editor->m_rows[3].pattern, 0xffu);
    EXPECT_TRUE(Selection(*editor).IsSelected(3));
}

// A typed value out of range and a paste that does not fit change the rows
// as before, without a message box, and a note beside the line says why
// until the next key or click.
TEST_F(LedEditorWndTest, RefusalsSayWhyInANoteBesideTheLine)
{
    auto editor = Editor(221, 232, 200);
    editor->m_rows[1] = { 1, 0, 1, CMD_FADE_IN, 7 };
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    auto *note = editor->findChild<CRefusalNote *>();
    ASSERT_NE(note, nullptr);
    const auto ends = [&](const std::function<void()> &act) {
        QCoreApplication::processEvents();
        act();
        return !note->isVisible();
    };
    const std::function<void()> key = [&] { QTest::keyClick(editor.get(), Qt::Key_Shift); };
    const std::function<void()> click = [&] {
        QTest::mouseClick(editor.get(), Qt::LeftButton, Qt::NoModifier, { INDEX_X, LineY(3) });
    };

    const struct {
        int line;
        bool time;
        const char *typed;
        const char *says;
        const std::function<void()> &next;
    } typing[] = {
        { 0, true, "200", "Times go from 1 to 127", key },
        { 1, false, "4096", "Values of FADE IN go from 0 to 4095", click },
    };
    for (const auto &t : typing) {
        SCOPED_TRACE(t.typed);
        const EditorSnapshot before = State(*editor);
        Selection(*editor).SelectRange(t.line, t.line);
        editor->OpenValueEdit(t.line, t.time);
        ValueEdit(*editor)->setText(t.typed);
        // Enter applies the value and moves the edit on to the next line.
        QTest::keyClick(ValueEdit(*editor), Qt::Key_Return);
        editor->CloseValueEdit(false);
        EXPECT_EQ(State(*editor).rows, before.rows);
        EXPECT_EQ(editor->m_modified, 0);
        ASSERT_TRUE(note->isVisible());
        EXPECT_EQ(note->text(), t.says);
        EXPECT_EQ(note->accessibleName(), t.says);
        // Beside the line, to the right of the editor.
        EXPECT_EQ(
            note->pos(), editor->mapToGlobal(QPoint(editor->ComputeLayout().rightEdge, 24 + 16 * t.line)));
        EXPECT_TRUE(ends(t.next));
    }

    QApplication::clipboard()->setText(QString("00000100*\r\n").repeated(5));
    Selection(*editor).SelectRange(4, 4);
    QTest::keyClick(editor.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(note->text(), "5 lines do not fit: 3 rows are free");
    EXPECT_TRUE(ends(click));
}

// Channels 6 to 3 and a fade too slow for the LEDs to light are refused,
// saying why, and insert nothing.
TEST(GenerateDlg, RefusesReversedChannelsAndFadesTooSlowToLight)
{
    int insertions = 0;
    CGenerateDlg dialog(
        nullptr, [] { return 100; },
        [&insertions](const std::vector<SequenceRow> &, const QString &) { return ++insertions > 0; });
    const QList<QSpinBox *> spins = dialog.findChildren<QSpinBox *>();
    QSpinBox *first = spins[0], *last = spins[1], *fade = spins[6];
    QCheckBox *soft = dialog.findChildren<QCheckBox *>()[2];
    auto *insert = dialog.findChild<QDialogButtonBox *>()->buttons()[0];
    const struct {
        int first, last;
        std::optional<int> fade;
        const char *says; // empty: accepted
    } cases[] = {
        { 6, 3, std::nullopt, "The first channel comes after the last one." },
        { 3, 6, std::nullopt, "" },
        { 1, 8, 94, "" },
        { 1, 8, 95,
            "With a fade over 95 ticks not every channel of the pattern lights up on the device; 94 "
            "ticks is the slowest fade with which all do." },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " to " << c.last);
        first->setValue(c.first);
        last->setValue(c.last);
        soft->setChecked(c.fade.has_value());
        fade->setValue(c.fade.value_or(0));
        const int before = insertions;
        dialog.OnInsert();
        const bool refused = *c.says != '\0';
        EXPECT_EQ(insert->isEnabled(), !refused);
        EXPECT_EQ(insertions - before, refused ? 0 : 1);
        bool shown = false;
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            shown = shown || label->text() == c.says;
        EXPECT_EQ(shown, refused);
    }
}

// Browse… starts beside the sequence file with its name, or at the file
// named already.
TEST(ExportAnimationDlg, BrowseStartsBesideTheSequence)
{
    QWidget editor;
    QString sequence = "/music/show/chase.lsq";
    CExportAnimationDlg dialog(
        &editor, [] { return RowTable(); }, QStringLiteral("veltor.rcc"), [&sequence] { return sequence; });
    std::vector<FileDialogRequest> requests;
    const QString cancelled;
    InterceptFileDialogs(Noting(requests, cancelled));
    QPushButton *browse = nullptr;
    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        browse = button->text() == "Browse…" ? button : browse;
    ASSERT_NE(browse, nullptr);
    browse->click();
    dialog.findChild<QLineEdit *>()->setText("/tmp/other.webm");
    browse->click();
    InterceptFileDialogs({});
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].owner, &editor);
    EXPECT_EQ(requests[0].folder, "/music/show");
    EXPECT_EQ(requests[0].fileName, "chase.gif");
    EXPECT_EQ(requests[1].folder, "/tmp");
    EXPECT_EQ(requests[1].fileName, "other.webm");
}

TEST(ExportAnimationDlg, ACancelledExportLeavesNoFileAndAFinishedOneItsAnimation)
{
    RowTable rows;
    rows.Append({ 0, 0x81, 7, 0, 0 });
    rows.Append({ 1, 0, 1, CMD_GOTO, 0 });
    CExportAnimationDlg dialog(
        nullptr, [&rows] { return rows; }, QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc"));
    QTemporaryDir folder;
    const QDir files(folder.path());
    dialog.findChild<QLineEdit *>()->setText(folder.filePath(QStringLiteral("run.gif")));
    dialog.findChild<QDoubleSpinBox *>()->setValue(1);
    dialog.findChild<QSpinBox *>()->setValue(16);
    for (const bool cancel : { true, false }) {
        dialog.OnExport();
        ASSERT_TRUE(dialog.IsExporting());
        EXPECT_EQ(files.entryList(QDir::Files).size(), 1) << "the file being written";
        if (cancel)
            static_cast<QDialog &>(dialog).reject();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsExporting(); }));
        EXPECT_EQ(files.entryList(QDir::Files), cancel ? QStringList() : QStringList { "run.gif" });
    }
}

// Before the program ends: an export running goes on if the user says so,
// else it stops.
TEST_F(LedEditorWndTest, QuittingAsksBeforeItStopsAnExport)
{
    auto editor = Editor(4, 232, 200);
    QTemporaryDir folder;
    for (const bool stop : { false, true }) {
        SCOPED_TRACE(stop ? "stop" : "go on");
        editor->OnCommand(ID_EXPORT_ANIMATION);
        auto *dialog = editor->findChild<CExportAnimationDlg *>();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit *>()->setText(folder.filePath(QStringLiteral("run.gif")));
        dialog->findChild<QDoubleSpinBox *>()->setValue(60);
        dialog->OnExport();
        ASSERT_TRUE(dialog->IsExporting());
        std::vector<QuestionRequest> questions;
        InterceptQuestions(Noting(questions, stop));
        EXPECT_EQ(editor->QueryStopExportToQuit(), stop);
        InterceptQuestions({});
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0].text, "An animation is being exported. Stop it and quit?");
        EXPECT_EQ(dialog->IsExporting(), !stop);
        if (!stop)
            dialog->CancelExport();
    }
}

TEST_F(LedEditorWndTest, EveryKeyOfTheTableRunsItsCommand)
{
    auto editor = Editor(4, 232, 200);
    const std::vector<Accelerator> table = ResourceModule::LoadAccelerators(IDR_EDITOR_ACCELERATORS);
    ASSERT_EQ(table.size(), 44u);
    for (const Accelerator &accelerator : table) {
        const QKeyCombination keys = accelerator.keys[0];
        const QKeyEvent press(QEvent::KeyPress, keys.key(), keys.keyboardModifiers());
        EXPECT_EQ(KeyCommand(*editor, press), accelerator.id) << accelerator.keys.toString().toStdString();
        Selection(*editor).Select(1);
        EXPECT_TRUE(editor->OnCommand(accelerator.id)) << accelerator.id;
    }
}

TEST_F(LedEditorWndTest, LinesGoThroughTheSystemClipboard)
{
    auto editor = Editor(4, 232, 200);
    editor->m_rows[1] = { 0, 0x05, 5, 0, 0 };
    editor->m_rows[2] = { 1, 0, 1, CMD_GOTO, 12 };
    Selection(*editor).SelectRange(1, 2);
    QTest::keyClick(editor.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "00000500*.*.....\r\n0047010c........\r\n");

    QApplication::clipboard()->setText("00000300..*\r\n");
    Selection(*editor).SelectRange(3, 3);
    QTest::keyClick(editor.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->m_rows[3], (SequenceRow { 0, 0x04, 3, 0, 0 }));
}

TEST_F(LedEditorWndTest, TheValueEditTakesDigitsAndLeavesTheEditorsKeysToIt)
{
    auto editor = Editor(4, 232, 200);
    editor->m_rows[3] = { 1, 0, 1, CMD_DIM, 5 };
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));

    QTest::mouseDClick(editor.get(), Qt::LeftButton, Qt::NoModifier, { TIME_X, LineY(1) });
    CValueEdit *edit = ValueEdit(*editor);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "1");
    EXPECT_EQ(edit->geometry(), QRect(60, 40, 40, 16));
    QTest::keyClicks(edit, "42");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(editor->m_rows[1].time, 42);
    ASSERT_NE(ValueEdit(*editor), nullptr);
    EXPECT_TRUE(Selection(*editor).IsSelected(2));

    // Del in the edit deletes the line and closes the edit.
    QTest::keyClick(ValueEdit(*editor), Qt::Key_Delete);
    EXPECT_EQ(editor->m_rowCount, 3);
    EXPECT_EQ(ValueEdit(*editor), nullptr);

    // A click on a parameter cell edits it; losing the focus applies it.
    QTest::mouseClick(editor.get(), Qt::LeftButton, Qt::NoModifier, Cell(2, 6));
    edit = ValueEdit(*editor);
    ASSERT_NE(edit, nullptr);
    edit->setText("200");
    edit->setText("100");
    edit->clearFocus();
    EXPECT_EQ(ValueEdit(*editor), nullptr);
    EXPECT_EQ(editor->m_rows[2].parameter, 100);
}

// The last item of both popups writes the upload's samples of the editor's
// rows as a WAV file, after the check an upload makes: time 200 is an error.
TEST_F(LedEditorWndTest, SaveUploadAsWavWritesTheSamplesTheUploadPlays)
{
    auto editor = Editor(3, 232, 200);
    editor->m_rows[1] = { 0, 0x81, 200, 0, 0 };
    editor->m_rows[2] = { 1, 0, 1, CMD_GOTO, 300 };
    const RowTable rows(editor->m_rows, 3);
    MenuChoice user;
    user.id = ID_MENU_SAVE_UPLOAD_WAV;
    ContextMenu(*editor).SetExecHook(user.Hook());
    QTemporaryDir folder;
    editor->SetSequenceFile([&folder] { return folder.filePath("chase.lsq"); });
    QString chosen = folder.filePath("upload.wav");
    std::vector<FileDialogRequest> dialogs;
    InterceptFileDialogs(Noting(dialogs, chosen));
    std::vector<MessageBoxRequest> boxes;
    InterceptMessageBoxes([&](const MessageBoxRequest &box) { boxes.push_back(box); });
    std::vector<QuestionRequest> questions;
    bool uploadAnyway = false;
    InterceptQuestions(Noting(questions, uploadAnyway));

    Selection(*editor).SelectRange(0, 1);
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, { INDEX_X, LineY(0) });
    EXPECT_TRUE(dialogs.empty()) << "cancelled at the check";
    uploadAnyway = true;
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, { INDEX_X, LineY(0) });
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].owner, editor.get());
    EXPECT_NE(questions[0].text.indexOf("row 1: error: time 200"), -1) << questions[0].text.toStdString();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].caption, "Save upload as WAV");
    EXPECT_EQ(dialogs[0].owner, editor.get());
    EXPECT_EQ(QDir(dialogs[0].folder), QDir(folder.path()));
    EXPECT_EQ(dialogs[0].fileName, "chase.wav");
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(ReadBinaryFile(chosen.toStdString(), file));
    EXPECT_EQ(
        ParseWav(file.data(), file.size()).bytes, RenderUploadSignal(ImageBlocks(EncodeUploadImage(rows))));

    chosen = folder.filePath("missing/upload.wav");
    QTest::mouseClick(editor.get(), Qt::RightButton, Qt::NoModifier, { INDEX_X, LineY(2) });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, chosen + " cannot be written.");
    EXPECT_EQ(user.lastItems, (std::vector<int>(3, ID_MENU_SAVE_UPLOAD_WAV)));
    InterceptQuestions({});
    InterceptFileDialogs({});
    InterceptMessageBoxes({});
}
