// The context menu's items do what the keys they name do.

#include "editor/editor_command_ids.h"
#include "platform/menu_resource.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

void CollectKeyedItems(const std::vector<MenuItem> &items, std::vector<MenuItem> &keyed)
{
    for (const MenuItem &item : items) {
        CollectKeyedItems(item.items, keyed);
        if (item.id != 0 && !item.key.isEmpty())
            keyed.push_back(item);
    }
}

TEST(EditorContextMenu, EveryItemRunsTheCommandOfTheKeyItNames)
{
    std::vector<MenuItem> keyed;
    CollectKeyedItems(ResourceModule::LoadMenu(IDR_EDITOR_MENU), keyed);
    ASSERT_GE(keyed.size(), 19u);
    const std::vector<Accelerator> keys = ResourceModule::LoadAccelerators(IDR_EDITOR_ACCELERATORS);
    for (const MenuItem &item : keyed) {
        SCOPED_TRACE(item.text.toStdString() + " " + item.key.toStdString());
        const QKeySequence named = QKeySequence::fromString(item.key, QKeySequence::PortableText);
        int command = 0;
        for (const Accelerator &accelerator : keys)
            if (accelerator.keys == named)
                command = accelerator.id;
        EXPECT_NE(command, 0) << "no key of that name";
        EXPECT_EQ(MenuItemCommand(item.id), command);
    }
}

} // namespace
