#include "document/brelvim_doc.h"

#include "core/sequence_file.h"
#include "core/text_stream.h"
#include "document/recovery_file.h"
#include "platform/bundle_file.h"
#include "platform/command_table.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"
#include "platform/view.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace
{

// The sequence loaded at the first start, relative to the current directory.
constexpr char DEFAULT_SEQUENCE_FILE[] = "001_veltor_pulsar.lsq";
constexpr char INSTALLED_EXAMPLES[] = "examples/";

constexpr char LOAD_ERROR_TITLE[] = "Load error";
constexpr char CANNOT_WRITE_MESSAGE[] = "can't open file";

constexpr char FLAG_ON[] = "1";
constexpr char FLAG_OFF[] = "0";

// Bits 3 and 4 of a pattern also light LEDs 8 and 9.
constexpr std::uint32_t REPEATED_CHANNELS = 0x18;
constexpr int REPEATED_CHANNEL_SHIFT = 5;

QString Setting(const char *key, const char *fallback)
{
    return SettingsStore::GetProfileString(SettingsStore::SECTION, key, fallback);
}

void WriteSetting(const char *key, const QString &value)
{
    SettingsStore::WriteProfileString(SettingsStore::SECTION, key, value);
}

// The default sequence in the current directory, where a start from the
// examples finds it; else the copy among the installed examples, so that a
// start from the desktop menu, in the home folder, shows it too.
QString DefaultSequencePath()
{
    const QString name = QLatin1String(DEFAULT_SEQUENCE_FILE);
    if (QFileInfo::exists(name))
        return name;
    const QString installed = InstalledDataPath(QLatin1String(INSTALLED_EXAMPLES) + name);
    return QFileInfo::exists(installed) ? installed : name;
}

void ShowLoadError(const char *message, const QString &details = QString())
{
    ShowMessageBox(nullptr, QString::fromLatin1(message), QString::fromLatin1(LOAD_ERROR_TITLE),
        QMessageBox::NoIcon, details);
}

} // namespace

CBrelvimDoc::CBrelvimDoc()
{
    m_rows.Clear();
}

CBrelvimDoc::~CBrelvimDoc()
{
    WriteSetting(SettingsStore::KEY_EDITOR_OPEN, QLatin1String(m_editor ? FLAG_ON : FLAG_OFF));
    m_editor.reset();
    m_rows.Clear();
}

bool CBrelvimDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_quietLoad = true;
    QString path = Setting(SettingsStore::KEY_LAST_FILE, "");
    if (path.isEmpty())
        path = DefaultSequencePath();
    SetPathName(path, true);
    OnOpenDocument(path);
    m_quietLoad = false;
    if (Setting(SettingsStore::KEY_EDITOR_OPEN, FLAG_ON) == QLatin1String(FLAG_ON))
        UpdateAllViews(nullptr, HINT_OPEN_EDITOR);
    return true;
}

bool CBrelvimDoc::OnOpenDocument(const QString &path)
{
    // The changes of the document it replaces were saved or let go.
    if (m_recovery)
        m_recovery->Remove();
    const bool editorWasOpen = HasEditor();
    DeleteEditor();
    try {
        LoadFile(path);
    } catch (const LoadError &error) {
        if (!m_quietLoad)
            ShowLoadError(LoadErrorMessage(error.Code()));
        SetPathName(QString(), true);
    }
    UpdateAllViews(nullptr, editorWasOpen ? HINT_OPEN_EDITOR : HINT_REPAINT_LEDS);
    return true;
}

bool CBrelvimDoc::CheckLoads(const QString &path) const
{
    RowTable rows;
    try {
        LoadSequenceFile(rows, QFile::encodeName(path).toStdString());
    } catch (const LoadError &error) {
        ShowLoadError(LoadErrorMessage(error.Code()));
        return false;
    }
    return true;
}

void CBrelvimDoc::LoadFile(const QString &path)
{
    FileTextInput file;
    if (!file.Open(QFile::encodeName(path).toStdString()))
        throw LoadError(LOAD_CANNOT_OPEN);
    // Written before the content is read, so that a file that opens but does
    // not load is still the one tried at the next start.
    WriteSetting(SettingsStore::KEY_LAST_FILE, path);
    ReadSequenceFile(m_rows, file);
}

bool CBrelvimDoc::OnSaveDocument(const QString &path)
{
    CommitPendingEdits();
    CopyRowsFromEditor();
    if (const std::optional<FileWriteFailure> failure = WriteFile(path)) {
        ShowLoadError(CANNOT_WRITE_MESSAGE, failure->Details(path));
        return false;
    }
    if (m_editor)
        m_editor->MarkSaved();
    SetModifiedFlag(false);
    if (m_recovery)
        m_recovery->Remove();
    return true;
}

void CBrelvimDoc::CommitPendingEdits()
{
    if (!m_editor)
        return;
    m_editor->CloseValueEdit(true);
    SetModifiedFlag(m_editor->m_modified != 0);
}

std::optional<FileWriteFailure> CBrelvimDoc::WriteFile(const QString &path)
{
    // The file is written beside the target and replaces it only once all of
    // it has been written; a failure leaves the old file as it was. Where the
    // folder takes no new file but the file itself may be written, it is
    // written in place, as any editor would, and a failure puts the old
    // content back.
    StringTextOutput text;
    WriteSequenceFile(m_rows, text);
    const std::optional<FileWriteFailure> failure
        = WriteWholeFile(path, QByteArray::fromStdString(text.Text()));
    if (!failure)
        WriteSetting(SettingsStore::KEY_LAST_FILE, path);
    return failure;
}

void CBrelvimDoc::RegisterCommands(CommandTable &commands)
{
    m_commands = &commands;
    for (const int id : { ID_START_SIMULATION, ID_FILE_SAVE, ID_FILE_SAVE_AS })
        commands.OnUpdateCommandUI(id, [this](CCmdUI &ui) { OnUpdateStartSave(ui); });
    commands.OnUpdateCommandUI(ID_STOP_SIMULATION, [this](CCmdUI &ui) { OnUpdateStopSimulation(ui); });
    commands.OnUpdateCommandUI(ID_FILE_OPEN, [this](CCmdUI &ui) { OnUpdateFileOpen(ui); });
    commands.OnCommand(ID_START_SIMULATION, [this] { OnStartSimulation(); });
    commands.OnCommand(ID_STOP_SIMULATION, [this] { OnStopSimulation(); });
}

void CBrelvimDoc::OnUpdateStartSave(CCmdUI &ui) const
{
    ui.Enable(!m_running && m_rows.GetCount() > 0);
}

void CBrelvimDoc::OnUpdateStopSimulation(CCmdUI &ui) const
{
    ui.Enable(m_running);
}

void CBrelvimDoc::OnUpdateFileOpen(CCmdUI &ui) const
{
    ui.Enable(!m_running);
}

void CBrelvimDoc::OnStartSimulation()
{
    m_running = true;
    CopyRowsFromEditor();
    m_interpreter.Reset();
}

void CBrelvimDoc::OnStopSimulation()
{
    m_running = false;
}

void CBrelvimDoc::CopyRowsToEditor()
{
    if (!m_editor)
        return;
    m_editor->m_rows = m_rows.GetRecords();
    m_editor->m_rowCount = m_rows.GetCount();
    m_editor->StartHistory(!IsModified());
}

void CBrelvimDoc::CopyRowsFromEditor()
{
    if (!m_editor)
        return;
    m_rows = m_editor->Rows();
}

void CBrelvimDoc::DeleteEditor()
{
    m_editor.reset();
}

void CBrelvimDoc::SetEditor(std::unique_ptr<LedEditorLink> editor)
{
    m_editor.reset();
    m_editor = std::move(editor);
}

void CBrelvimDoc::SetRecoveryFile(RecoveryFile *recovery)
{
    m_recovery = recovery;
    m_ticksToRecoveryCheck = 0;
}

bool CBrelvimDoc::SaveRecovery()
{
    if (!m_recovery)
        return false;
    if (!IsModified()) {
        m_recovery->Remove();
        return true;
    }
    const RecoveryRecord record { GetPathName(), QDateTime::currentDateTimeUtc(),
        m_editor ? m_editor->Rows() : m_rows };
    const std::optional<FileWriteFailure> failure = m_recovery->Write(record);
    if (failure)
        ReportRecoveryFailure(*failure);
    return !failure;
}

void CBrelvimDoc::ReportRecoveryFailure(const FileWriteFailure &failure)
{
    // Said once for each cause: the write is tried again at every check.
    if (!m_reportedRecoveryFailures.insert(failure.error).second)
        return;
    const QString text = ResourceModule::LoadString(IDS_RECOVERY_NOT_KEPT)
                             .arg(QDir::toNativeSeparators(m_recovery->Folder()), failure.reason);
    // Over the main window, with which it goes.
    QWidget *owner = GetViews().empty() ? nullptr : GetViews().front()->window();
    ShowNotice(owner, text, QGuiApplication::applicationDisplayName());
}

void CBrelvimDoc::RestoreRows(const RowTable &rows, const QString &path)
{
    DeleteEditor();
    m_rows = rows;
    SetPathName(path, false);
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, HINT_OPEN_EDITOR);
}

void CBrelvimDoc::Tick(int input, bool updateViews)
{
    KeepEditorInStep();
    if (m_recovery && --m_ticksToRecoveryCheck <= 0) {
        m_ticksToRecoveryCheck = RECOVERY_CHECK_MS / TICK_MS;
        SaveRecovery();
    }
    if (m_running)
        StepSimulation(input);
    if (!m_running)
        ShowStoppedPattern();
    if (updateViews)
        UpdateAllViews(nullptr, HINT_REPAINT_LEDS);
}

void CBrelvimDoc::KeepEditorInStep()
{
    if (!m_editor)
        return;
    // Undoing back to the saved rows makes the document unmodified again.
    SetModifiedFlag(m_editor->m_modified != 0);
    if (m_editor->m_closed) {
        CopyRowsFromEditor();
        m_editor.reset();
        CommandStateChanged();
        return;
    }
    const bool tracing = m_running && m_editor->m_trace;
    m_editor->EnableWindow(!tracing);
    m_editor->SetTraceLine(tracing ? m_interpreter.GetCurrentRow() : -1);
}

void CBrelvimDoc::StepSimulation(int input)
{
    if (!m_interpreter.Step(input)) {
        m_running = false;
        CommandStateChanged();
        return;
    }
    const SequenceInterpreter::Outputs &outputs = m_interpreter.GetOutputs();
    for (int k = 0; k < LED_COUNT; ++k)
        m_ledLevels[k] = static_cast<std::uint8_t>(outputs[k]);
}

void CBrelvimDoc::ShowStoppedPattern()
{
    const std::uint32_t pattern = m_editor ? m_editor->GetCurrentPattern() : 0;
    const auto shown
        = static_cast<std::uint16_t>(pattern | ((pattern & REPEATED_CHANNELS) << REPEATED_CHANNEL_SHIFT));
    for (int k = 0; k < LED_COUNT; ++k)
        m_ledLevels[k] = (shown >> k) & 1 ? MAX_LED_LEVEL : 0;
}

// Start, Stop and "open editor" change their state without a user action
// when the run ends by itself or the editor's window was closed.
void CBrelvimDoc::CommandStateChanged()
{
    if (m_commands)
        m_commands->ScheduleUpdate();
}
