#include "app/MenuBar1.h"

#include "app/GraphF.h"
#include "app/RechenwegF.h"

namespace {

enum class ItemKind
{
    Item,
    QuitItem
};

struct MenuRow
{
    const char* name;
    ItemKind kind;
    const char* parent; // nullptr: the menu bar itself
    const char* text;
    const char* shortcut; // nullptr: separators get no shortcut at all
};

// The menu tree in the order the items are created and appended.
constexpr MenuRow kMenuTree[] = {
    {"FileMenu", ItemKind::Item, nullptr, "&File", ""},
    {"FileNeu", ItemKind::Item, "FileMenu", "&Neu", "Cmd+N"},
    {"FileOeffnen", ItemKind::Item, "FileMenu", "Ö&ffnen…", "Cmd+O"},
    {"FileZuletztGeoeffnet", ItemKind::Item, "FileMenu", "&Zuletzt geöffnet", ""},
    {"FileSpeichern", ItemKind::Item, "FileMenu", "&Speichern", "Cmd+S"},
    {"FileSpeichernUnter", ItemKind::Item, "FileMenu", "Speichern &unter…", "Cmd+Shift+S"},
    {"FileExportieren", ItemKind::Item, "FileMenu", "&Exportieren", ""},
    {"FileExportierenCSV", ItemKind::Item, "FileExportieren", "&Ergebnisse als CSV…", ""},
    {"FileExportierenPDF", ItemKind::Item, "FileExportieren", "&Bericht als PDF…", ""},
    {"FileDrucken", ItemKind::Item, "FileMenu", "&Drucken…", "Cmd+P"},
    {"UntitledMenu3", ItemKind::Item, "FileMenu", "-", nullptr},
    {"FileQuit", ItemKind::QuitItem, "FileMenu", "#App.kFileQuit", "#App.kFileQuitShortcut"},
    {"EditMenu", ItemKind::Item, nullptr, "&Edit", ""},
    {"EditUndo", ItemKind::Item, "EditMenu", "&Undo", "Cmd+Z"},
    {"UntitledMenu1", ItemKind::Item, "EditMenu", "-", nullptr},
    {"EditCut", ItemKind::Item, "EditMenu", "Cu&t", "Cmd+X"},
    {"EditCopy", ItemKind::Item, "EditMenu", "&Copy", "Cmd+C"},
    {"EditPaste", ItemKind::Item, "EditMenu", "&Paste", "Cmd+V"},
    {"EditClear", ItemKind::Item, "EditMenu", "#App.kEditClear", ""},
    {"UntitledMenu0", ItemKind::Item, "EditMenu", "-", nullptr},
    {"EditSelectAll", ItemKind::Item, "EditMenu", "Select &All", "Cmd+A"},
    {"UntitledMenu2", ItemKind::Item, "EditMenu", "-", nullptr},
    {"EditErgebnisseKopieren", ItemKind::Item, "EditMenu", "&Ergebnisse kopieren", "Cmd+Shift+C"},
    {"EditPolynomKopieren", ItemKind::Item, "EditMenu", "P&olynom kopieren", "Cmd+Shift+P"},
    {"EditPolynomFormelKopieren", ItemKind::Item, "EditMenu",
     "Polynom als Tabellen&formel kopieren", "Cmd+Shift+F"},
    {"AnsichtMenu", ItemKind::Item, nullptr, "&Ansicht", ""},
    {"AnsichtGraph", ItemKind::Item, "AnsichtMenu", "&Graph", "Cmd+G"},
    {"AnsichtRechenweg", ItemKind::Item, "AnsichtMenu", "&Rechenweg", "Cmd+R"},
};

} // namespace

MenuBar1& MenuBar1::instance()
{
    static MenuBar1* bar = new MenuBar1; // lives until the program ends
    return *bar;
}

MenuBar1::MenuBar1()
{
    for (const MenuRow& row : kMenuTree) {
        MenuItem* item = row.kind == ItemKind::QuitItem ? new QuitMenuItem : new MenuItem;
        item->SetName(row.name);
        item->SetAutoEnable(true);
        item->SetText(row.text);
        if (row.shortcut)
            item->SetKeyboardShortcut(row.shortcut);
        if (row.parent)
            Child(row.parent)->Append(*item);
        else
            Append(*item);
    }
    // The graph and the Rechenweg are built when first asked for, not with the menu bar.
    Child("AnsichtGraph")->SetHandler([] { GraphF::Open(); });
    Child("AnsichtRechenweg")->SetHandler([] { RechenwegF::Open(); });
}
