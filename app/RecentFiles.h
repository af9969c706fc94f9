#pragma once
// The files opened or saved last, newest first, kept in the settings so that every Kurvalo
// window and every later start finds them; and the folder of the last of them, where the file
// dialogs start.

#include <QString>
#include <QStringList>
#include <functional>

class MenuItem;

QStringList RecentFiles();
void RememberFile(const QString& path);
void ForgetRecentFiles();
QString LastFolder();

// Appends an item for each recent file to `menu`, numbered, that calls `open` with its path,
// and below them one that empties the list.
void AppendRecentFiles(MenuItem& menu, const std::function<void(const QString&)>& open);
