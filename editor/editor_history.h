#pragma once

#include "editor/editor_step.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

// The LED Editor's undo history keeps this many steps; older ones go.
inline constexpr int UNDO_STEP_LIMIT = 1000;

// What the undo history needs of the editor it belongs to.
class EditorHistoryHost
{
public:
    virtual EditorSnapshot CaptureState() = 0;
    // Puts the step's state into the editor, keeping the editor's in the
    // step, and brings the changed line into view.
    virtual void RestoreStep(EditorStep &step) = 0;
    virtual void SetModified(bool modified) = 0;
    // The rows are others now: a step was made, undone or redone, or they
    // were replaced.
    virtual void RowsChanged() = 0;

protected:
    ~EditorHistoryHost() = default;
};

// The LED Editor's undo history, on Qt's undo stack: one step per action of
// the user that changed rows (a command, a paste, an applied value, a whole
// drag), named so that the user knows it again. It is the one source of the
// editor's modified state: modified whenever the stack is away from its clean
// state, or an action still open has marked an edit. An action that marked an
// edit but changed nothing leaves no step; where the rows were those saved, it
// makes the stack forget its clean state instead, so that they no longer
// count as saved.
class EditorHistory : public EditRecorder
{
public:
    // Names a step; it sees the state the step started from.
    using Namer = std::function<QString(const EditorSnapshot &before)>;

    explicit EditorHistory(EditorHistoryHost &host);

    // An action from its beginning to its end is one step, unless it changed
    // no row. An action that begins while another is open (a typed value
    // applied by a key) first makes what the open one changed so far a step
    // of its own; the open one goes on from there.
    void Begin(Namer name);
    void End();

    // Begin and End of one scope.
    class Action
    {
    public:
        Action(EditorHistory &history, Namer name);
        ~Action();
        Action(const Action &) = delete;
        Action &operator=(const Action &) = delete;

    private:
        EditorHistory &m_history;
    };

    void Undo();
    void Redo();
    // The names of the steps Undo and Redo would take; empty for none.
    QString UndoName() const { return m_stack.undoText(); }
    QString RedoName() const { return m_stack.redoText(); }

    // The rows were replaced: every step goes. With saved, they are those of
    // the document's file and returning here leaves the editor unmodified;
    // otherwise no state of this history is.
    void Start(bool saved);
    // The rows as they are now have been saved.
    void MarkSaved();

    void MarkEdited() override;

private:
    // Makes what the innermost open action changed so far a step.
    void Flush();
    // Undoes (back) or redoes one step.
    void Move(bool back);
    // An edit that changed nothing: the rows as saved count as modified.
    void ForgetCleanState();
    // Tells the host whether the editor is modified now.
    void PublishModified();

    EditorHistoryHost &m_host;
    QUndoStack m_stack;
    std::vector<Namer> m_open;
    EditorSnapshot m_from {};
    // The open action marked an edit since the last flush.
    bool m_edited = false;
};
