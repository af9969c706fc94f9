// The main window's accessors of its menu items, found by name in the window's menu bar.

#include "framework/Menu.h"
#include "framework/NilObjectException.h"
#include "ui/HauptFenster.h"

namespace {

template<class Item = MenuItem> Item& itemNamed(const MenuBar& bar, const char* name)
{
    auto* item = qobject_cast<Item*>(bar.Child(name));
    if (!item)
        throw NilObjectException(std::string("no menu item named ") + name);
    return *item;
}

} // namespace

MenuItem& HauptFenster::FileMenu() const
{
    return itemNamed(GetMenuBar(), "FileMenu");
}
QuitMenuItem& HauptFenster::FileQuit() const
{
    return itemNamed<QuitMenuItem>(GetMenuBar(), "FileQuit");
}
MenuItem& HauptFenster::EditMenu() const
{
    return itemNamed(GetMenuBar(), "EditMenu");
}
MenuItem& HauptFenster::EditUndo() const
{
    return itemNamed(GetMenuBar(), "EditUndo");
}
MenuItem& HauptFenster::UntitledMenu1() const
{
    return itemNamed(GetMenuBar(), "UntitledMenu1");
}
MenuItem& HauptFenster::EditCut() const
{
    return itemNamed(GetMenuBar(), "EditCut");
}
MenuItem& HauptFenster::EditCopy() const
{
    return itemNamed(GetMenuBar(), "EditCopy");
}
MenuItem& HauptFenster::EditPaste() const
{
    return itemNamed(GetMenuBar(), "EditPaste");
}
MenuItem& HauptFenster::EditClear() const
{
    return itemNamed(GetMenuBar(), "EditClear");
}
MenuItem& HauptFenster::UntitledMenu0() const
{
    return itemNamed(GetMenuBar(), "UntitledMenu0");
}
MenuItem& HauptFenster::EditSelectAll() const
{
    return itemNamed(GetMenuBar(), "EditSelectAll");
}
