#pragma once

#include "editor/edit_refusal.h"
#include "editor/editor_table.h"
#include "editor/line_commands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the LED Editor's commands need of the window they run in.
class EditorHost
{
public:
    virtual bool IsValueEditOpen() const = 0;
    // Opens the in-place edit of a line's time or (time false) parameter,
    // first closing one that is open.
    virtual void OpenValueEdit(int line, bool time) = 0;
    // Closes an open edit, applying its value to the selected lines or not.
    virtual void CloseValueEdit(bool apply) = 0;
    virtual void EnsureVisible(int line) = 0;
    virtual void SetClipboardText(const std::string &text) = 0;
    // The clipboard's text in 8-bit characters; nullopt when it holds none.
    virtual std::optional<std::string> ClipboardText() = 0;
    // Says why a command left the rows as they were.
    virtual void Refused(const EditRefusal &refusal) = 0;

protected:
    ~EditorHost() = default;
};

// The command letter of a command that makes command rows (Shift+G ...),
// nullopt for other ids.
std::optional<std::uint8_t> CommandLetterOf(int id);

// Runs the LED Editor's commands by id on its table: the line commands, the
// clipboard, the moves of the selection and the value edit's keys.
class EditorCommands
{
public:
    EditorCommands(EditorTable table, EditorHost &host);

    // False for an id that is no editor command.
    bool Execute(int id);
    // Inserts rows before the first selected line, which then is the only
    // one selected, as the first of them; true when they went in. Nothing
    // happens when no line is selected. Rows that do not fit, or nullopt for
    // text that held no lines, insert nothing, but count as an edit and the
    // selection moves all the same, so that the user sees where they would
    // have gone; the host is told why.
    bool InsertBeforeSelection(const std::optional<std::vector<SequenceRow>> &rows);

private:
    LineCommands Lines();
    int Count() const;
    // Brings a line into view; -1 for none.
    void Show(int line);

    void Cut();
    void Copy();
    // Inserts the clipboard's lines before the first selected line.
    void Paste();
    void Delete();
    void InsertEmpty();
    void Invert();
    void Mirror();
    void ShiftLeft();
    void ShiftRight();
    void Blink();
    void Down();
    void Up();
    void ExtendDown();
    void ExtendUp();
    // Opens the edit on the last selected line, or with one open, moves it
    // to the next line.
    void Enter();
    void DiscardValue();
    void ApplyValue();
    // Selects only `line` and brings it into view; with an edit open, the
    // edit moves there, applying what was typed to the line it leaves.
    void MoveTo(int line);
    // The time edit for a pattern row, the parameter edit for a command row.
    void OpenEditOn(int line);

    EditorTable m_table;
    EditorHost &m_host;
};
