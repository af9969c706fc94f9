#include "framework/Menu.h"

#include "framework/Application.h"
#include "framework/Dispatch.h"
#include "framework/EditCommands.h"
#include "framework/MenuItemDescription.h"
#include "framework/MsgBox.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString kAppReference = QStringLiteral("#App.");

QString resolved(const QString& text)
{
    if (text.startsWith(kAppReference))
        return Application::Constant(text.mid(kAppReference.size()));
    return text;
}

QKeySequence keySequence(const QString& shortcut)
{
    // On Linux and Windows the command modifier is Ctrl.
    return QKeySequence(QString(resolved(shortcut)).replace(QStringLiteral("Cmd+"), "Ctrl+"));
}

} // namespace

MenuItem::MenuItem()
    : action(std::make_unique<QAction>())
{
    connect(action.get(), &QAction::triggered, this, [this] { Dispatch([this] { Activate(); }); });
}

MenuItem::~MenuItem() = default;

void MenuItem::SetName(const QString& name)
{
    setObjectName(name);
    action->setObjectName(name);
}

void MenuItem::SetText(const QString& text)
{
    storedText = text;
    // A separator is a line alone: a text on it would be painted across the line by some styles.
    const bool separator = text == QStringLiteral("-");
    action->setSeparator(separator);
    action->setText(separator ? QString() : resolved(text));
}

QString MenuItem::Text() const
{
    return storedText;
}

void MenuItem::SetKeyboardShortcut(const QString& shortcut)
{
    storedShortcut = shortcut;
    action->setShortcut(keySequence(shortcut));
}

QString MenuItem::KeyboardShortcut() const
{
    return storedShortcut;
}

void MenuItem::Append(MenuItem& item)
{
    if (!menu) {
        menu = std::make_unique<QMenu>();
        menu->setObjectName(Name());
        menu->setTitle(action->text());
        action->setMenu(menu.get());
        // Edit commands can act only on a suitable focused field: decide as the menu opens.
        connect(menu.get(), &QMenu::aboutToShow, this, [this] {
            for (MenuItem* child : items)
                child->RefreshEnabled();
        });
    }
    item.setParent(this);
    items.push_back(&item);
    menu->addAction(&item.Action());
}

MenuItem* MenuItem::Child(const QString& name) const
{
    for (MenuItem* item : items) {
        if (item->Name() == name)
            return item;
        if (MenuItem* found = item->Child(name))
            return found;
    }
    return nullptr;
}

void MenuItem::SetHandler(std::function<void()> newHandler, std::function<bool()> newCanAct)
{
    handler = std::move(newHandler);
    canAct = std::move(newCanAct);
}

void MenuItem::SetDescription(const QString& description)
{
    DescribeMenuAction(*action, description);
}

void MenuItem::SetItemsMadeOnOpen(std::function<void(MenuItem&)> fill)
{
    makeItems = std::move(fill);
}

void MenuItem::RemoveItems()
{
    for (MenuItem* item : items) {
        menu->removeAction(&item->Action());
        // An item may be removed from within its own command.
        item->deleteLater();
    }
    items.clear();
}

void MenuItem::RefreshEnabled()
{
    if (makeItems) {
        RemoveItems();
        makeItems(*this);
        action->setEnabled(!items.empty());
        return;
    }
    if (!autoEnable)
        return;
    if (handler) {
        action->setEnabled(!canAct || canAct());
        return;
    }
    const auto command = EditCommandNamed(Name());
    action->setEnabled(!command || CanPerform(*command));
}

void MenuItem::Activate()
{
    if (handler) {
        if (!canAct || canAct())
            handler();
        return;
    }
    if (const auto command = EditCommandNamed(Name()))
        Perform(*command);
}

void QuitMenuItem::Activate()
{
    Quit(0);
}

void MenuBar::Append(MenuItem& item)
{
    item.setParent(this);
    items.push_back(&item);
}

MenuItem* MenuBar::Child(const QString& name) const
{
    for (MenuItem* item : items) {
        if (item->Name() == name)
            return item;
        if (MenuItem* found = item->Child(name))
            return found;
    }
    return nullptr;
}

QMenuBar* MenuBar::CreateMenuBarWidget(QWidget* parent) const
{
    auto* widget = new QMenuBar(parent);
    for (MenuItem* item : items)
        widget->addAction(&item->Action());
    return widget;
}
