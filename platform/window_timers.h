#pragma once

#include <map>

class QObject;

// The window timers of one object, by our own timer ids, on top of
// QObject::startTimer. Setting a timer that already runs restarts it. The
// owner's timerEvent asks IdOf for the id and calls its OnTimer handler;
// tests call OnTimer directly instead of waiting.
class WindowTimers
{
public:
    explicit WindowTimers(QObject &owner)
        : m_owner(owner)
    {
    }
    ~WindowTimers();
    WindowTimers(const WindowTimers &) = delete;
    WindowTimers &operator=(const WindowTimers &) = delete;

    void SetTimer(int id, int intervalMs);
    void KillTimer(int id);

    // Our id of the Qt timer, or -1 when it is none of ours.
    int IdOf(int qtTimerId) const;

private:
    QObject &m_owner;
    std::map<int, int> m_qtIds;
};
