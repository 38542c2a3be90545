#include "editor/editor_history.h"

#include "core/constants.h"

#include <QUndoCommand>

namespace
{

// A step on Qt's undo stack. It is pushed once its change has been made, so
// the push's own redo does nothing; later, undo and redo exchange alike.
class EditorUndoCommand : public QUndoCommand
{
public:
    EditorUndoCommand(EditorStep step, const QString &name, EditorHistoryHost &host)
        : QUndoCommand(name)
        , m_step(std::move(step))
        , m_host(host)
    {
    }

    void undo() override { m_host.RestoreStep(m_step); }
    void redo() override
    {
        if (m_pushed)
            m_host.RestoreStep(m_step);
        m_pushed = true;
    }

private:
    EditorStep m_step;
    EditorHistoryHost &m_host;
    bool m_pushed = false;
};

} // namespace

EditorHistory::EditorHistory(EditorHistoryHost &host)
    : m_host(host)
{
    m_stack.setUndoLimit(UNDO_STEP_LIMIT);
}

EditorHistory::Action::Action(EditorHistory &history, Namer name)
    : m_history(history)
{
    m_history.Begin(std::move(name));
}

EditorHistory::Action::~Action()
{
    m_history.End();
}

void EditorHistory::Begin(Namer name)
{
    if (m_open.empty())
        m_from = m_host.CaptureState();
    else
        Flush();
    m_open.push_back(std::move(name));
}

void EditorHistory::End()
{
    if (m_open.empty())
        return;
    Flush();
    m_open.pop_back();
}

void EditorHistory::Flush()
{
    const EditorSnapshot now = m_host.CaptureState();
    EditorStep step(m_from, now);
    const bool changed = step.ChangesRows();
    if (changed)
        m_stack.push(new EditorUndoCommand(std::move(step), m_open.back()(m_from), m_host));
    else if (m_edited)
        ForgetCleanState();
    m_edited = false;
    m_from = now;
    PublishModified();
    if (changed)
        m_host.RowsChanged();
}

void EditorHistory::MarkEdited()
{
    if (m_open.empty())
        ForgetCleanState();
    else
        m_edited = true;
    PublishModified();
}

// Only the rows as they were saved need it: away from them, undoing back
// still leads there, and nothing changed to make them others.
void EditorHistory::ForgetCleanState()
{
    if (m_stack.isClean())
        m_stack.resetClean();
}

void EditorHistory::PublishModified()
{
    m_host.SetModified(!m_stack.isClean() || m_edited);
}

void EditorHistory::Undo()
{
    Move(true);
}

void EditorHistory::Redo()
{
    Move(false);
}

void EditorHistory::Move(bool back)
{
    // A drag still going on keeps what it painted so far as a step.
    if (!m_open.empty())
        Flush();
    if (back ? !m_stack.canUndo() : !m_stack.canRedo())
        return;
    if (back)
        m_stack.undo();
    else
        m_stack.redo();
    if (!m_open.empty())
        m_from = m_host.CaptureState();
    PublishModified();
    m_host.RowsChanged();
}

void EditorHistory::Start(bool saved)
{
    m_stack.clear();
    m_edited = false;
    if (!saved)
        m_stack.resetClean();
    PublishModified();
    m_host.RowsChanged();
}

void EditorHistory::MarkSaved()
{
    m_stack.setClean();
    m_edited = false;
    PublishModified();
}
