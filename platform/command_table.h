#pragma once

#include <QObject>

#include <functional>
#include <map>

class QAction;

// What an update handler is given: the command's user-interface state.
class CCmdUI
{
public:
    explicit CCmdUI(QAction *action)
        : m_action(action)
    {
    }

    void Enable(bool on = true);
    void SetCheck(bool on = true);

private:
    QAction *m_action;
};

// Where the command routing of a message map stands: one QAction per command
// id, with a command handler (ON_COMMAND) and an update handler
// (ON_UPDATE_COMMAND_UI) that decides whether the command is enabled. Update
// handlers run before the toolbar is shown and again after every user action
// and every simulation tick, through UpdateCommandUI.
class CommandTable : public QObject
{
    Q_OBJECT

public:
    using CommandHandler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI &)>;

    explicit CommandTable(QObject *parent = nullptr);
    ~CommandTable() override;

    // The action of a command, made on first use; the table owns it.
    QAction *Action(int id);

    void OnCommand(int id, CommandHandler handler);
    void OnUpdateCommandUI(int id, UpdateHandler handler);

    // Runs the command's handler if its update handler enables it, as a
    // toolbar button press does.
    void Execute(int id);
    // Runs every update handler now.
    void UpdateCommandUI();
    // Runs them once the current event has been handled; several requests
    // before then run them once.
    void ScheduleUpdate();
    // Schedules an update after every key press and mouse click anywhere in
    // the application.
    void WatchUserInput();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateCommand(int id);

    std::map<int, QAction *> m_actions;
    std::map<int, UpdateHandler> m_updateHandlers;
    bool m_updateScheduled = false;
};
