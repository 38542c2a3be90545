#pragma once

#include <QStringList>

// Files the recent-file list remembers.
inline constexpr int RECENT_FILE_COUNT = 4;

// The framework's list of the most recently used files, newest first, kept in
// the settings store: group "Recent File List", values File1 .. File4.
inline constexpr char RECENT_FILE_SECTION[] = "Recent File List";

QStringList GetRecentFileList();
// Moves path to the top of the list, or puts it there and lets the oldest
// entry drop out of a full list.
void AddToRecentFileList(const QString &path);
