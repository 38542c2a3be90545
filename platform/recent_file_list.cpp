#include "platform/recent_file_list.h"

#include "core/constants.h"
#include "platform/settings_store.h"

namespace
{

QString EntryKey(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

QStringList GetRecentFileList()
{
    QStringList files;
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        const QString file = SettingsStore::GetProfileString(RECENT_FILE_SECTION, EntryKey(i));
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void AddToRecentFileList(const QString &path)
{
    QStringList files = GetRecentFileList();
    files.removeAll(path);
    files.prepend(path);
    // Every entry is written, the unused ones empty, so that no stale entry
    // survives behind a gap; all in one go.
    const SettingsStore::WriteBatch batch;
    for (int i = 0; i < RECENT_FILE_COUNT; ++i)
        SettingsStore::WriteProfileString(RECENT_FILE_SECTION, EntryKey(i), files.value(i));
}
