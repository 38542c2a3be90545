#include "platform/resource_tables.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace
{

std::vector<MenuItem> ReadMenuItems(const QJsonArray &entries);

MenuItem ReadMenuItem(const QJsonObject &entry)
{
    MenuItem item;
    item.id = entry.value(QStringLiteral("id")).toInt();
    item.text = entry.value(QStringLiteral("text")).toString();
    item.key = entry.value(QStringLiteral("key")).toString();
    item.separator = entry.value(QStringLiteral("separator")).toBool();
    const QJsonValue checked = entry.value(QStringLiteral("checked"));
    item.checkable = checked.isBool();
    item.checked = checked.toBool();
    item.items = ReadMenuItems(entry.value(QStringLiteral("items")).toArray());
    return item;
}

std::vector<MenuItem> ReadMenuItems(const QJsonArray &entries)
{
    std::vector<MenuItem> items;
    for (const QJsonValue &entry : entries)
        if (entry.isObject())
            items.push_back(ReadMenuItem(entry.toObject()));
    return items;
}

} // namespace

QJsonObject ResourceTables::Parse(const QByteArray &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    return document.isObject() ? document.object() : QJsonObject();
}

std::optional<QString> ResourceTables::String(const QJsonObject &strings, int id)
{
    const QJsonValue text = strings.value(QString::number(id));
    if (!text.isString())
        return std::nullopt;
    return text.toString();
}

std::optional<std::vector<MenuItem>> ResourceTables::Menu(const QJsonObject &menus, int id)
{
    const QJsonValue popups = menus.value(QString::number(id));
    if (!popups.isArray())
        return std::nullopt;
    return ReadMenuItems(popups.toArray());
}
