#pragma once
// A short word to the person in a window, such as why a command did nothing: shown for a while
// at the right end of the window's menu bar, where the commands are, and announced to screen
// readers. The window keeps its size.

#include <QString>

class QWidget;

void ShowStatus(QWidget& window, const QString& text);
