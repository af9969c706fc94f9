#include "framework/CommandStates.h"

#include "framework/Menu.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <algorithm>
#include <vector>

namespace {

std::vector<MenuItem*>& followedItems()
{
    static std::vector<MenuItem*> items;
    return items;
}

// The focus in a menu, or a menu open, is a look at the commands, not a change of what they
// act on: the edit commands keep the state of the field the person came from.
bool inAMenu()
{
    const QWidget* focus = QApplication::focusWidget();
    return QApplication::activePopupWidget() || qobject_cast<const QMenu*>(focus) ||
           qobject_cast<const QMenuBar*>(focus);
}

void refreshAll()
{
    if (!qApp || inAMenu())
        return;
    for (MenuItem* item : followedItems())
        item->RefreshEnabled();
}

// What the edit commands depend on: the focused field's text (undo) and its selection (cut,
// copy, clear). The clipboard (paste) changes mostly while another program is active; coming
// back is a change of focus. Following it would cost every start-up the clipboard's window.
void followFocusedField(QWidget* focus)
{
    static QList<QMetaObject::Connection> fieldChanges;
    for (const QMetaObject::Connection& change : std::as_const(fieldChanges))
        QObject::disconnect(change);
    fieldChanges.clear();
    if (auto* field = qobject_cast<QLineEdit*>(focus)) {
        fieldChanges << QObject::connect(field, &QLineEdit::selectionChanged, CommandStatesChanged)
                     << QObject::connect(field, &QLineEdit::textChanged, CommandStatesChanged);
    } else if (auto* field = qobject_cast<QPlainTextEdit*>(focus)) {
        fieldChanges << QObject::connect(field, &QPlainTextEdit::selectionChanged,
                                         CommandStatesChanged)
                     << QObject::connect(field, &QPlainTextEdit::textChanged, CommandStatesChanged);
    }
}

void followTheApplication()
{
    static bool following = false;
    if (following || !qApp)
        return;
    following = true;
    // Focus going nowhere (a window closing or going inactive) leaves nothing to act on; and a
    // window that is being destroyed loses its focus when what its commands ask is gone.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (!now || inAMenu())
            return;
        followFocusedField(now);
        CommandStatesChanged();
    });
}

} // namespace

void CommandStatesChanged()
{
    // At once, not later: a command chosen right after the change finds its item as it is.
    refreshAll();
}

void FollowCommandState(MenuItem& item)
{
    followTheApplication();
    followedItems().push_back(&item);
}

void StopFollowingCommandState(MenuItem& item)
{
    std::erase(followedItems(), &item);
}
