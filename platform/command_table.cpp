#include "platform/command_table.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

void CCmdUI::Enable(bool on)
{
    m_action->setEnabled(on);
}

void CCmdUI::SetCheck(bool on)
{
    m_action->setCheckable(true);
    m_action->setChecked(on);
}

CommandTable::CommandTable(QObject *parent)
    : QObject(parent)
{
}

CommandTable::~CommandTable()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

QAction *CommandTable::Action(int id)
{
    auto it = m_actions.find(id);
    if (it == m_actions.end())
        it = m_actions.emplace(id, new QAction(this)).first;
    return it->second;
}

void CommandTable::OnCommand(int id, CommandHandler handler)
{
    connect(Action(id), &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void CommandTable::OnUpdateCommandUI(int id, UpdateHandler handler)
{
    m_updateHandlers[id] = std::move(handler);
    UpdateCommand(id);
}

void CommandTable::Execute(int id)
{
    UpdateCommand(id);
    QAction *action = Action(id);
    if (action->isEnabled())
        action->trigger();
    ScheduleUpdate();
}

void CommandTable::UpdateCommandUI()
{
    m_updateScheduled = false;
    for (const auto &entry : m_updateHandlers)
        UpdateCommand(entry.first);
}

void CommandTable::ScheduleUpdate()
{
    if (m_updateScheduled)
        return;
    m_updateScheduled = true;
    QTimer::singleShot(0, this, &CommandTable::UpdateCommandUI);
}

void CommandTable::WatchUserInput()
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool CommandTable::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonRelease: ScheduleUpdate(); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void CommandTable::UpdateCommand(int id)
{
    const auto it = m_updateHandlers.find(id);
    if (it == m_updateHandlers.end())
        return;
    CCmdUI ui(Action(id));
    it->second(ui);
}
