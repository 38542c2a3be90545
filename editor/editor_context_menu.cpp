#include "editor/editor_context_menu.h"

#include "editor/editor_command_ids.h"
#include "editor/step_names.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QAction>
#include <QMenu>

namespace
{

// The items with this id, in submenus too.
void FindItems(QMenu &menu, int id, std::vector<QAction *> &found)
{
    for (QAction *action : menu.actions()) {
        if (QMenu *submenu = action->menu())
            FindItems(*submenu, id, found);
        else if (action->data().toInt() == id)
            found.push_back(action);
    }
}

std::vector<QAction *> FindItems(QMenu &menu, int id)
{
    std::vector<QAction *> found;
    FindItems(menu, id, found);
    return found;
}

} // namespace

EditorContextMenu::EditorContextMenu(QWidget *owner)
    : m_owner(owner)
    , m_exec([](QMenu &popup, const QPoint &globalPos) { return popup.exec(globalPos); })
{
}

EditorContextMenu::~EditorContextMenu() = default;

void EditorContextMenu::Load()
{
    m_loaded = true;
    const std::vector<MenuItem> popups = ResourceModule::LoadMenu(IDR_EDITOR_MENU);
    for (int index = 0; index < POPUPS && index < int(popups.size()); ++index) {
        const MenuItem &popup = popups[static_cast<std::size_t>(index)];
        m_popups[index] = std::make_unique<QMenu>(popup.text, m_owner);
        PopulateMenu(*m_popups[index], popup.items);
        for (const int id : { ID_MENU_UNDO, ID_MENU_REDO })
            for (QAction *action : FindItems(*m_popups[index], id))
                m_historyItems.push_back(
                    { action, action->text().section('\t', 0, 0), action->text().section('\t', 1) });
    }
    CheckTrace();
    NameHistoryItems();
}

void EditorContextMenu::SetHistory(const QString &undoStep, const QString &redoStep)
{
    m_undoStep = undoStep;
    m_redoStep = redoStep;
    NameHistoryItems();
}

void EditorContextMenu::NameHistoryItems()
{
    for (const HistoryItem &item : m_historyItems) {
        const bool undo = item.action->data().toInt() == ID_MENU_UNDO;
        const QString &step = undo ? m_undoStep : m_redoStep;
        QString text = step.isEmpty() ? item.text : undo ? UndoItemText(step) : RedoItemText(step);
        if (!item.key.isEmpty())
            text += '\t' + item.key;
        item.action->setText(text);
        item.action->setEnabled(!step.isEmpty());
    }
}

void EditorContextMenu::SetTrace(bool on)
{
    m_trace = on;
    CheckTrace();
}

void EditorContextMenu::CheckTrace()
{
    for (const std::unique_ptr<QMenu> &popup : m_popups)
        if (popup)
            for (QAction *action : FindItems(*popup, ID_MENU_TRACE))
                action->setChecked(m_trace);
}

std::optional<int> EditorContextMenu::Track(bool severalLines, const QPoint &globalPos)
{
    if (!m_loaded)
        Load();
    QMenu *popup = m_popups[severalLines ? 1 : 0].get();
    if (!popup)
        return std::nullopt;
    const QAction *chosen = m_exec(*popup, globalPos);
    if (!chosen || chosen->menu())
        return std::nullopt;
    return chosen->data().toInt();
}
