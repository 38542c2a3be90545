#include "platform/menu_resource.h"

#include <QAction>
#include <QMenu>

void PopulateMenu(QMenu &menu, const std::vector<MenuItem> &items)
{
    for (const MenuItem &item : items) {
        if (item.separator) {
            menu.addSeparator();
        } else if (item.IsPopup()) {
            PopulateMenu(*menu.addMenu(item.text), item.items);
        } else {
            // QMenu shows what follows a tab in the column of the key names.
            QAction *action = menu.addAction(item.key.isEmpty() ? item.text : item.text + '\t' + item.key);
            action->setData(item.id);
            action->setCheckable(item.checkable);
            action->setChecked(item.checked);
        }
    }
}
