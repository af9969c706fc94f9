#include "framework/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

// A notification of no size: nothing on screen, only in the accessible tree. Qt's AT-SPI bridge
// has no announcement signal. What it passes on is an object coming to show, and a screen
// reader speaks that away from the focus for a notification; an alert coming to show, or a
// renamed object without the focus, it passes over.
class Notification final : public QWidget
{
public:
    explicit Notification(QWidget& window)
        : QWidget(&window)
    {
        setGeometry(0, 0, 0, 0);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
};

QAccessibleInterface* notificationInterface(const QString&, QObject* object)
{
    if (auto* notification = dynamic_cast<Notification*>(object))
        return new QAccessibleWidget(notification, QAccessible::Notification);
    return nullptr;
}

} // namespace

void Announce(QWidget& window, const QString& text)
{
    // Made on the first announcement, so that a start-up pays nothing for it.
    Notification* notification = nullptr;
    for (QObject* child : window.children()) {
        if (!notification)
            notification = dynamic_cast<Notification*>(child);
    }
    if (!notification) {
        static const bool factoryInstalled = [] {
            QAccessible::installFactory(notificationInterface);
            return true;
        }();
        Q_UNUSED(factoryInstalled);
        notification = new Notification(window);
    }
    // Hidden and shown again, so that a repeated text is spoken again too.
    notification->hide();
    notification->setAccessibleName(text);
    notification->show();
}
