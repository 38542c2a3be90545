#pragma once

#include "platform/menu_resource.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

// The tables of a resource module as its JSON files hold them: an object
// whose keys are resource ids. These read what a bundle brings, so they take
// any bytes and find in them only what has the expected form.
namespace ResourceTables
{

// The top-level object of json; an empty one when json is not an object.
QJsonObject Parse(const QByteArray &json);
// The string of id in a string table ("id": "text").
std::optional<QString> String(const QJsonObject &strings, int id);
// The popups of menu id in a menu table ("id": [popup, ...]); nullopt when
// the table has no such menu.
std::optional<std::vector<MenuItem>> Menu(const QJsonObject &menus, int id);

} // namespace ResourceTables
