#include "platform/window_timers.h"

#include <QObject>

WindowTimers::~WindowTimers()
{
    for (const auto &timer : m_qtIds)
        m_owner.killTimer(timer.second);
}

void WindowTimers::SetTimer(int id, int intervalMs)
{
    KillTimer(id);
    const int qtId = m_owner.startTimer(intervalMs);
    if (qtId != 0)
        m_qtIds[id] = qtId;
}

void WindowTimers::KillTimer(int id)
{
    const auto it = m_qtIds.find(id);
    if (it == m_qtIds.end())
        return;
    m_owner.killTimer(it->second);
    m_qtIds.erase(it);
}

int WindowTimers::IdOf(int qtTimerId) const
{
    for (const auto &timer : m_qtIds)
        if (timer.second == qtTimerId)
            return timer.first;
    return -1;
}
