#include "platform/settings_store.h"

#include <QSettings>

namespace
{

QSettings OpenStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::ORGANIZATION,
        SettingsStore::APPLICATION);
}

QString ValueName(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString SettingsStore::GetProfileString(const QString &section, const QString &key, const QString &fallback)
{
    const QSettings store = OpenStore();
    const QVariant value = store.value(ValueName(section, key));
    return value.isValid() ? value.toString() : fallback;
}

bool SettingsStore::WriteProfileString(const QString &section, const QString &key, const QString &value)
{
    QSettings store = OpenStore();
    store.setValue(ValueName(section, key), value);
    store.sync();
    return store.status() == QSettings::NoError && store.isWritable();
}
