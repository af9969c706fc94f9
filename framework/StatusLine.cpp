#include "framework/StatusLine.h"

#include "framework/Announcer.h"

#include <QLabel>
#include <QMenuBar>
#include <QTimer>

namespace {

constexpr int kShownFor = 8000; // milliseconds
constexpr int kMargin = 8;      // pixels beside the text

} // namespace

void ShowStatus(QWidget& window, const QString& text)
{
    Announce(window, text);
    auto* bar = window.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar)
        return;
    // Made when first needed: a window that never has a word to say pays nothing for it.
    auto* line = qobject_cast<QLabel*>(bar->cornerWidget(Qt::TopRightCorner));
    if (!line) {
        line = new QLabel(bar);
        line->setObjectName(QStringLiteral("StatusLine"));
        line->setContentsMargins(kMargin, 0, kMargin, 0);
        auto* timer = new QTimer(line);
        timer->setObjectName(QStringLiteral("StatusLineTimer"));
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, line, &QLabel::clear);
    }
    line->setText(text);
    // The bar lays its corner out as the corner is set, not as the text changes.
    bar->setCornerWidget(line, Qt::TopRightCorner);
    line->show();
    line->findChild<QTimer*>(QStringLiteral("StatusLineTimer"))->start(kShownFor);
}
