#pragma once
// Menus: a menu bar holding menu items, each found by its name. Items named after the
// standard edit commands (EditUndo, EditCut, ...) act on the focused text field.

#include <QObject>
#include <QPointer>
#include <QShortcut>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class MenuItem : public QObject
{
    Q_OBJECT
public:
    MenuItem();
    ~MenuItem() override;

    QString Name() const { return objectName(); }
    void SetName(const QString& name);
    // "-" makes a separator line; "#App.kName" shows the application's constant kName.
    void SetText(const QString& text);
    QString Text() const;
    // "Cmd+X" and its kin use the platform's command modifier; "#App." as for the text.
    void SetKeyboardShortcut(const QString& shortcut);
    QString KeyboardShortcut() const;
    void SetAutoEnable(bool on) { autoEnable = on; }
    bool AutoEnable() const { return autoEnable; }

    void Append(MenuItem& item);
    // The item of that name among this item's descendants, or nullptr.
    MenuItem* Child(const QString& name) const;
    const std::vector<MenuItem*>& Items() const { return items; }

    QAction& Action() const { return *action; }
    // The submenu that shows the appended items; created with the first of them.
    QMenu* Menu() const { return menu.get(); }

    // What choosing the item does, for an item that is not one of the standard edit commands.
    // `canAct`, where given, tells whether it can act now: an item that cannot is shown disabled
    // (AutoEnable), at all times (CommandStates.h). Its shortcut, or choosing it anyway, then
    // says why it does nothing (SetWhyNot), in the window's status line and to screen readers.
    void SetHandler(std::function<void()> handler, std::function<bool()> canAct = {});
    // Why the item cannot act, where `canAct` says it cannot; else "»Text« ist jetzt nicht
    // möglich".
    void SetWhyNot(const QString& why);
    // What the item does, for screen readers; set before its menu is first shown.
    void SetDescription(const QString& description);
    // A submenu made afresh whenever the menu holding this item opens, such as a list of recent
    // files: its old items go, and `fill` appends the new ones. Without any, it is disabled.
    void SetItemsMadeOnOpen(std::function<void(MenuItem&)> fill);
    void RemoveItems();

    // Enables the item when it can act now (AutoEnable).
    void RefreshEnabled();
    // Has the item's shortcut answered in `window` while the item cannot act.
    void AnswerKeyIn(QWidget& window);

protected:
    virtual void Activate();

private:
    void MakeItemsAfresh();
    bool CanActNow() const;
    void SayWhyNot(QWidget* window) const;

    std::unique_ptr<QAction> action;
    std::unique_ptr<QMenu> menu;
    std::vector<MenuItem*> items;
    std::function<void()> handler;
    std::function<bool()> canAct;
    std::function<void(MenuItem&)> makeItems;
    QString whyNot;
    // The key of a disabled item, caught in each window whose menu bar shows the item.
    std::vector<QPointer<QShortcut>> keyWhenDisabled;
    QString storedText;
    QString storedShortcut;
    bool autoEnable = false;
};

// The item that ends the program, without asking.
class QuitMenuItem : public MenuItem
{
    Q_OBJECT
protected:
    void Activate() override;
};

class MenuBar : public QObject
{
    Q_OBJECT
public:
    void Append(MenuItem& item);
    MenuItem* Child(const QString& name) const;
    const std::vector<MenuItem*>& Items() const { return items; }

    // A toolkit menu bar showing this bar's menus, owned by `parent`; the items' shortcuts
    // answer in `parent` while an item cannot act.
    QMenuBar* CreateMenuBarWidget(QWidget* parent) const;

private:
    std::vector<MenuItem*> items;
};
