#include "framework/MenuItemDescription.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QStyle>

namespace {

constexpr char kDescription[] = "accessibleDescription";

QString withoutMnemonic(QString text)
{
    // "&&" is a shown ampersand; a single '&' marks the mnemonic.
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
}

// An item of a menu as Qt's accessible menu item shows it, with the description added and the
// shortcut in the words the menu shows. An item that opens a submenu has that menu as its one
// child.
class DescribedMenuItem final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    DescribedMenuItem(QMenu* menu, QAction* action)
        : menu(menu)
        , action(action)
    {
    }

    bool isValid() const override { return menu && action; }
    QObject* object() const override { return action; }
    QWindow* window() const override
    {
        if (!menu)
            return nullptr;
        if (QWindow* own = menu->windowHandle())
            return own;
        const QWidget* nativeParent = menu->nativeParentWidget();
        return nativeParent ? nativeParent->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(menu.data());
    }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && submenu() ? QAccessible::queryAccessibleInterface(submenu()) : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return submenu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && submenu() && child->object() == submenu() ? 0 : -1;
    }

    QString text(QAccessible::Text kind) const override
    {
        switch (kind) {
        case QAccessible::Name:
            return action->isSeparator() ? QString() : withoutMnemonic(action->text());
        case QAccessible::Description:
            return action->property(kDescription).toString();
        case QAccessible::Accelerator:
            return action->shortcut().toString(QKeySequence::NativeText);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        return menu->actionGeometry(action).translated(menu->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override
    {
        return action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !menu->isVisible() || !action->isVisible();
        state.focused = menu->activeAction() == action;
        state.hotTracked = menu->style()->styleHint(QStyle::SH_Menu_MouseTracking);
        state.disabled = !action->isEnabled();
        state.checkable = action->isCheckable();
        state.checked = action->isChecked();
        state.hasPopup = submenu() != nullptr;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && action->isEnabled())
            action->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override
    {
        if (action->shortcut().isEmpty())
            return {};
        return {action->shortcut().toString(QKeySequence::NativeText)};
    }

private:
    QMenu* submenu() const { return action ? action->menu() : nullptr; }

    QPointer<QMenu> menu;
    QPointer<QAction> action;
};

QAccessibleInterface* describedMenuItem(const QString& className, QObject* object)
{
    auto* action = qobject_cast<QAction*>(object);
    if (className != QLatin1String("QAction") || !action ||
        !action->property(kDescription).isValid())
        return nullptr;
    for (QObject* associated : action->associatedObjects()) {
        // The menu it stands in, not the one it opens.
        auto* menu = qobject_cast<QMenu*>(associated);
        if (menu && menu != action->menu())
            return new DescribedMenuItem(menu, action);
    }
    return nullptr;
}

} // namespace

void ExposeMenuAction(QAction& action)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(describedMenuItem);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    if (!action.property(kDescription).isValid())
        action.setProperty(kDescription, QString());
}

void DescribeMenuAction(QAction& action, const QString& description)
{
    ExposeMenuAction(action);
    action.setProperty(kDescription, description);
    action.setStatusTip(description);
}
