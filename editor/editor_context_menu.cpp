#include "editor/editor_context_menu.h"

#include "editor/editor_command_ids.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QAction>
#include <QMenu>

namespace
{

void CheckItem(QMenu &menu, int id, bool on)
{
    for (QAction *action : menu.actions()) {
        if (QMenu *submenu = action->menu())
            CheckItem(*submenu, id, on);
        else if (action->data().toInt() == id)
            action->setChecked(on);
    }
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
    }
    CheckTrace();
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
            CheckItem(*popup, ID_MENU_TRACE, m_trace);
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
