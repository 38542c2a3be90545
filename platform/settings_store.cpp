#include "platform/settings_store.h"

#include <QSettings>

#include <memory>

namespace
{

// The store the open batch writes into; none while no batch is open.
std::unique_ptr<QSettings> g_batchStore;

std::unique_ptr<QSettings> OpenStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
        SettingsStore::ORGANIZATION, SettingsStore::APPLICATION);
}

// Sets the value unless the store holds it already; true when it did.
bool SetChanged(QSettings &store, const QString &name, const QString &value)
{
    if (store.contains(name) && store.value(name).toString() == value)
        return false;
    store.setValue(name, value);
    return true;
}

QString ValueName(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString SettingsStore::GetProfileString(const QString &section, const QString &key, const QString &fallback)
{
    // A store object of its own would, when made, write what a batch holds.
    const QString name = ValueName(section, key);
    const QVariant value = g_batchStore ? g_batchStore->value(name) : OpenStore()->value(name);
    return value.isValid() ? value.toString() : fallback;
}

bool SettingsStore::WriteProfileString(const QString &section, const QString &key, const QString &value)
{
    const QString name = ValueName(section, key);
    if (g_batchStore) {
        SetChanged(*g_batchStore, name, value);
        return g_batchStore->isWritable();
    }
    const std::unique_ptr<QSettings> store = OpenStore();
    if (SetChanged(*store, name, value))
        store->sync();
    return store->status() == QSettings::NoError && store->isWritable();
}

SettingsStore::WriteBatch::WriteBatch()
    : m_outermost(!g_batchStore)
{
    if (m_outermost)
        g_batchStore = OpenStore();
}

SettingsStore::WriteBatch::~WriteBatch()
{
    if (!m_outermost)
        return;
    g_batchStore->sync();
    g_batchStore.reset();
}
