#pragma once

#include "platform/resource_module.h"

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;

// An accelerator table at work: watches key presses on the objects it is
// installed on and turns those in the table into commands before the object
// itself sees them, so the window's keys act also while one of its child
// controls has the focus.
class EditorAccelerators : public QObject
{
public:
    using CommandHandler = std::function<void(int id)>;

    EditorAccelerators(std::vector<Accelerator> table, CommandHandler handler, QObject *parent);

    void Watch(QObject *object);
    // The command of a key press, or nullopt when the table has none.
    std::optional<int> CommandOf(const QKeyEvent &event) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<Accelerator> m_table;
    CommandHandler m_handler;
};
