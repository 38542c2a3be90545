#pragma once

#include "core/constants.h"
#include "core/row_table.h"
#include "core/sequence_interpreter.h"
#include "document/led_editor_link.h"
#include "platform/document.h"
#include "platform/whole_file.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>

// How often Pemblo! looks for unsaved changes to write to its recovery file,
// so that a change is there within this time.
inline constexpr int RECOVERY_CHECK_MS = 2000;

// Hints the document passes to its views: repaint the LEDs whose brightness
// step changed; or repaint them and open a new LED Editor.
inline constexpr int HINT_REPAINT_LEDS = 0;
inline constexpr int HINT_OPEN_EDITOR = 1;

class CCmdUI;
class CommandTable;
class RecoveryFile;

// The one document of Pemblo!: the light sequence, the interpreter that runs
// it, the ten LED levels the simulation view paints, and the LED Editor, of
// which the document is the only owner. It reloads the last file at start,
// remembers in the settings which file was used last and whether the editor
// was open, and keeps the editor's copy of the rows in step with its own.
class CBrelvimDoc : public CDocument
{
public:
    CBrelvimDoc();
    ~CBrelvimDoc() override;

    bool OnNewDocument() override;
    // Reports a file that cannot be loaded in a message box and still
    // returns true: the document stays usable, without a file.
    bool OnOpenDocument(const QString &path) override;
    // Whether the file loads, read aside without touching the document; a
    // file that does not is reported as opening it would report it.
    bool CheckLoads(const QString &path) const;
    // Reports a file that cannot be written and returns false; the file on
    // disk and the modified flags are then as they were.
    bool OnSaveDocument(const QString &path) override;
    // Closes the LED Editor's value edit applying what was typed, and takes
    // the editor's modified flag over.
    void CommitPendingEdits() override;

    // The update handlers and commands of the simulation and the file
    // commands' enable rules.
    void RegisterCommands(CommandTable &commands);
    void OnUpdateStartSave(CCmdUI &ui) const;
    void OnUpdateStopSimulation(CCmdUI &ui) const;
    void OnUpdateFileOpen(CCmdUI &ui) const;
    void OnStartSimulation();
    void OnStopSimulation();

    void CopyRowsToEditor();
    void CopyRowsFromEditor();

    // One 12 ms simulation step; input is 1 while the input switch is on.
    void Tick(int input, bool updateViews);

    LedEditorLink *GetEditor() const { return m_editor.get(); }
    // Before the program ends: see LedEditorLink::QueryStopExportToQuit.
    bool QueryStopExportToQuit() { return !m_editor || m_editor->QueryStopExportToQuit(); }
    bool HasEditor() const { return m_editor != nullptr; }
    // Deletes the editor's window without taking its rows.
    void DeleteEditor();
    // Takes the new editor, deleting an old one first.
    void SetEditor(std::unique_ptr<LedEditorLink> editor);

    // From now on, unsaved changes go into this recovery file within
    // RECOVERY_CHECK_MS of being made; it is removed once they are saved or
    // let go.
    void SetRecoveryFile(RecoveryFile *recovery);
    // Writes the unsaved rows to the recovery file, or removes it when there
    // are none. When they cannot be written, a notice that does not stop the
    // work says where and why, once for each cause. True when the file holds
    // what there is to keep.
    bool SaveRecovery();
    // Takes recovered rows as unsaved changes to the file at path (empty for
    // none) and opens the LED Editor on them.
    void RestoreRows(const RowTable &rows, const QString &path);

    RowTable m_rows;
    SequenceInterpreter m_interpreter { m_rows };
    std::array<std::uint8_t, LED_COUNT> m_ledLevels {};
    bool m_running = false;

private:
    void LoadFile(const QString &path);
    std::optional<FileWriteFailure> WriteFile(const QString &path);
    void ReportRecoveryFailure(const FileWriteFailure &failure);
    void KeepEditorInStep();
    void StepSimulation(int input);
    void ShowStoppedPattern();
    void CommandStateChanged();

    std::unique_ptr<LedEditorLink> m_editor;
    bool m_quietLoad = false;
    CommandTable *m_commands = nullptr;
    RecoveryFile *m_recovery = nullptr;
    int m_ticksToRecoveryCheck = 0;
    std::set<int> m_reportedRecoveryFailures;
};
