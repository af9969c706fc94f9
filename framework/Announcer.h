#pragma once
// Spoken news of a change away from the keyboard focus, such as results appearing after a
// command, which a screen reader would otherwise pass over in silence.

#include <QString>

class QWidget;

// Has screen readers speak `text` now, without moving the focus. Each call is spoken, also a
// text the same as the last one; the text stays in the window's accessible tree until the next.
void Announce(QWidget& window, const QString& text);
