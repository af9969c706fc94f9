#pragma once
// Menu items as screen readers meet them. Qt's own accessible menu items have a name and a
// shortcut in the toolkit's portable words ("Ctrl+V", spelt out letter by letter by a German
// voice), and no description. Ours give the shortcut as the menu shows it ("Strg+V") and a
// description beside the text.

#include <QString>

class QAction;

// The item is heard as ours, with no description yet.
void ExposeMenuAction(QAction& action);
void DescribeMenuAction(QAction& action, const QString& description);
