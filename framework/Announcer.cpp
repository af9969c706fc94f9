#include "framework/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int kAfterTheBurst = 400; // milliseconds

// A notification of no size: nothing on screen, only in the accessible tree. Qt's AT-SPI bridge
// has no announcement signal. What it passes on is an object coming to show, and a screen
// reader speaks that away from the focus for a notification; an alert coming to show, or a
// renamed object without the focus, it passes over.
class Notification final : public QWidget
{
public:
    Notification(QWidget& window, const QString& text)
        : QWidget(&window)
        , text(text)
    {
        setGeometry(0, 0, 0, 0);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    const QString text;
};

// The text is the notification's name from the start: renaming an object sends an event that
// Qt fills with the object instead of the name, and a screen reader that reads it may stall.
class NotificationInterface final : public QAccessibleWidget
{
public:
    explicit NotificationInterface(Notification* notification)
        : QAccessibleWidget(notification, QAccessible::Notification)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const Notification*>(widget())->text;
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* notificationInterface(const QString&, QObject* object)
{
    if (auto* notification = dynamic_cast<Notification*>(object))
        return new NotificationInterface(notification);
    return nullptr;
}

} // namespace

void Announce(QWidget& window, const QString& text)
{
    // Made on the first announcement, so that a start-up pays nothing for it.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(notificationInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // A new object for each announcement, so that a repeated text is spoken again too, and no
    // screen reader holds the last text in its cache.
    for (QObject* child : window.children()) {
        if (auto* old = dynamic_cast<Notification*>(child))
            delete old;
    }
    // Shown a moment later: a command that changes many fields sends a burst of events, and a
    // screen reader that finds the notification within the burst may drop it with the rest.
    auto* notification = new Notification(window, text);
    QTimer::singleShot(kAfterTheBurst, notification, &QWidget::show);
}
