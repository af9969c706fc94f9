#pragma once
// A description of a menu item for screen readers, beside its text and shortcut. Qt's own
// accessible menu items have a name and a shortcut, and no description.

#include <QString>

class QAction;

void DescribeMenuAction(QAction& action, const QString& description);
