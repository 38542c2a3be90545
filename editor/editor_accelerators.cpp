#include "editor/editor_accelerators.h"

#include <QKeyEvent>

EditorAccelerators::EditorAccelerators(
    std::vector<Accelerator> table, CommandHandler handler, QObject *parent)
    : QObject(parent)
    , m_table(std::move(table))
    , m_handler(std::move(handler))
{
}

void EditorAccelerators::Watch(QObject *object)
{
    object->installEventFilter(this);
}

std::optional<int> EditorAccelerators::CommandOf(const QKeyEvent &event) const
{
    // The keypad's keys count as the main ones; its Enter has an entry of
    // its own.
    const QKeyCombination pressed(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    for (const Accelerator &accelerator : m_table)
        if (accelerator.keys.count() == 1 && accelerator.keys[0] == pressed)
            return accelerator.id;
    return std::nullopt;
}

bool EditorAccelerators::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const std::optional<int> id = CommandOf(*static_cast<QKeyEvent *>(event));
    if (!id)
        return false;
    // Claiming the override keeps shortcuts elsewhere in the program from
    // taking the key; the press that follows runs the command.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        m_handler(*id);
    return true;
}
