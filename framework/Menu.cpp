#include "framework/Menu.h"

#include "framework/Application.h"
#include "framework/CommandStates.h"
#include "framework/Dispatch.h"
#include "framework/EditCommands.h"
#include "framework/MenuItemDescription.h"
#include "framework/MsgBox.h"
#include "framework/StatusLine.h"

#include <QAction>
#include <QApplication>
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

QString withoutMnemonic(QString text)
{
    // "&&" is a shown ampersand; a single '&' marks the mnemonic.
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
}

} // namespace

MenuItem::MenuItem()
    : action(std::make_unique<QAction>())
{
    connect(action.get(), &QAction::triggered, this, [this] { Dispatch([this] { Activate(); }); });
    ExposeMenuAction(*action);
    FollowCommandState(*this);
}

MenuItem::~MenuItem()
{
    StopFollowingCommandState(*this);
}

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
    for (QShortcut* key : keyWhenDisabled) {
        if (key)
            key->setKey(action->shortcut());
    }
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
            for (MenuItem* child : items) {
                if (child->makeItems)
                    child->MakeItemsAfresh();
                child->RefreshEnabled();
            }
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
    RefreshEnabled();
}

void MenuItem::SetWhyNot(const QString& why)
{
    whyNot = why;
}

void MenuItem::SetDescription(const QString& description)
{
    DescribeMenuAction(*action, description);
}

void MenuItem::SetItemsMadeOnOpen(std::function<void(MenuItem&)> fill)
{
    makeItems = std::move(fill);
    RefreshEnabled();
}

// Only as the menu holding the item opens: the items may take a look at files or settings, and
// an item's state is asked for at every change of focus.
void MenuItem::MakeItemsAfresh()
{
    RemoveItems();
    makeItems(*this);
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

bool MenuItem::CanActNow() const
{
    if (makeItems)
        return !items.empty();
    if (handler)
        return !canAct || canAct();
    const auto command = EditCommandNamed(Name());
    return !command || CanPerform(*command);
}

void MenuItem::RefreshEnabled()
{
    if (!autoEnable)
        return;
    const bool able = CanActNow();
    action->setEnabled(able);
    // A disabled item's shortcut does nothing: a key of its own answers in its place. The edit
    // commands' keys belong to the focused field, which answers them as fields do.
    for (QShortcut* key : keyWhenDisabled) {
        if (key)
            key->setEnabled(handler && !able);
    }
}

void MenuItem::AnswerKeyIn(QWidget& window)
{
    if (action->shortcut().isEmpty())
        return;
    auto* key = new QShortcut(action->shortcut(), &window);
    key->setEnabled(false);
    connect(key, &QShortcut::activated, this, [this, key] {
        Dispatch([this, key] { SayWhyNot(qobject_cast<QWidget*>(key->parent())); });
    });
    keyWhenDisabled.push_back(key);
    RefreshEnabled();
}

void MenuItem::SayWhyNot(QWidget* window) const
{
    if (!window)
        window = QApplication::activeWindow();
    if (!window)
        return;
    ShowStatus(*window, !whyNot.isEmpty()
                            ? whyNot
                            : Application::Constant(QStringLiteral("kCommandUnavailable"))
                                  .arg(withoutMnemonic(action->text())));
}

void MenuItem::Activate()
{
    if (handler) {
        if (!canAct || canAct())
            handler();
        else
            SayWhyNot(QApplication::activeWindow());
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
    const std::function<void(const std::vector<MenuItem*>&)> answerKeys =
        [&](const std::vector<MenuItem*>& level) {
            for (MenuItem* item : level) {
                item->AnswerKeyIn(*parent);
                answerKeys(item->Items());
            }
        };
    answerKeys(items);
    return widget;
}
