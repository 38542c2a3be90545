#pragma once

#include "core/constants.h"
#include "core/row_table.h"

#include <cstdint>

// What the document keeps of the LED Editor: the editor's own copy of the
// rows, which the document copies in once (starting the editor's undo
// history) and reads at any time, and the flags it polls on every tick. The
// editor never calls the document. The LED Editor window implements this;
// the document is its only owner, and deleting it closes the window.
class LedEditorLink
{
public:
    virtual ~LedEditorLink() = default;

    // Shows the row the simulation executes, or none for -1.
    virtual void SetTraceLine(int row) = 0;
    // The pattern of the row the editor last brought into view; 0 when that
    // row is a command row.
    virtual std::uint32_t GetCurrentPattern() const = 0;
    // Takes or gives back the user's input, as a disabled window does.
    virtual void EnableWindow(bool enable) = 0;
    // Closes an open in-place value edit, applying what was typed or not.
    virtual void CloseValueEdit(bool apply) = 0;
    // The rows were just copied in: the editor's undo history starts here.
    // saved says whether they are the rows of the document's file, so that
    // undoing back to them leaves the editor unmodified.
    virtual void StartHistory(bool saved) = 0;
    // The rows as they are now have been saved; clears m_modified.
    virtual void MarkSaved() = 0;
    // Asked before the program ends, which closes the editor's windows with
    // it: true once an export running has been stopped with the user's
    // consent, false when the user wants it to go on.
    virtual bool QueryStopExportToQuit() { return true; }

    // The editor's rows as a table.
    RowTable Rows() const { return RowTable(m_rows, m_rowCount); }

    RowTable::Records m_rows {};
    int m_rowCount = 0;
    std::uint8_t m_closed = 0; // set when the window has been destroyed
    // Whether the rows differ from those saved, as the editor's undo history
    // has it: set by every edit, cleared by a save and by undoing or redoing
    // back to the saved rows. The document polls it; nothing else writes it.
    std::uint8_t m_modified = 0;
    std::uint8_t m_trace = 1; // the "Trace" item of the context menu
};
