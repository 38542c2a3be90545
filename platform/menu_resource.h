#pragma once

#include <QString>

#include <vector>

class QMenu;

// One entry of a menu resource: a command item, a separator or a popup with
// items of its own.
struct MenuItem {
    int id = 0;
    QString text;
    // The name of the item's key, shown after the text.
    QString key;
    bool separator = false;
    bool checkable = false;
    bool checked = false;
    std::vector<MenuItem> items;

    bool IsPopup() const { return !items.empty(); }
};

// Adds items to menu: each command item becomes an action whose data() is
// its command id, each popup a submenu.
void PopulateMenu(QMenu &menu, const std::vector<MenuItem> &items);
