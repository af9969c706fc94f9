// The menu bar: one shared instance, the File and Edit menus as the window shows them, the
// window's item accessors, and the edit commands acting on the focused field.

#include "app/MenuBar1.h"
#include "framework/NilObjectException.h"
#include "ui/HauptFenster.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <functional>

namespace {

// A menu as the user sees it: one line per entry, "-" for a separator, else the text and the
// shortcut separated by a tab.
QStringList shownEntries(const QList<QAction*>& actions)
{
    QStringList entries;
    for (const QAction* action : actions)
        entries << (action->isSeparator()
                        ? QStringLiteral("-")
                        : action->text() + '\t' +
                              action->shortcut().toString(QKeySequence::PortableText));
    return entries;
}

} // namespace

class MenusTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void menuBarIsOneSharedInstance();
    void windowShowsFileAndEdit_data();
    void windowShowsFileAndEdit();
    void accessorsReturnTheItemsOfTheirName();
    void accessorsNeedAMenuBar();
    void editCommandsActOnTheFocusedField_data();
    void editCommandsActOnTheFocusedField();
    void undoTakesBackTheLastEdit();
    void editItemsAreEnabledWhenTheyCanAct_data();
    void editItemsAreEnabledWhenTheyCanAct();

private:
    QLineEdit& focusField(const QString& name, const QString& text, bool selectAll);
    void openEditMenu() { emit window->EditMenu().Menu()->aboutToShow(); }

    HauptFenster* window = nullptr;
};

void MenusTest::initTestCase()
{
    window = new HauptFenster;
    window->Construct();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void MenusTest::cleanupTestCase()
{
    delete window;
}

void MenusTest::menuBarIsOneSharedInstance()
{
    QCOMPARE(&MenuBar1::instance(), &MenuBar1::instance());
    QCOMPARE(&window->GetMenuBar(), &MenuBar1::instance());
}

void MenusTest::windowShowsFileAndEdit_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("File holds only Quit") << 0 << "&File" << QStringList{"&Quit\tCtrl+Q"};
    QTest::newRow("Edit holds the edit commands in two groups")
        << 1 << "&Edit"
        << QStringList{
               "&Undo\tCtrl+Z", "-", "Cu&t\tCtrl+X",       "&Copy\tCtrl+C", "&Paste\tCtrl+V",
               "&Delete\t",     "-", "Select &All\tCtrl+A"};
}

void MenusTest::windowShowsFileAndEdit()
{
    QFETCH(int, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, entries);
    const QList<QAction*> menus = window->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[menu]->text(), title);
    QVERIFY(menus[menu]->menu());
    QCOMPARE(shownEntries(menus[menu]->menu()->actions()), entries);
}

void MenusTest::accessorsReturnTheItemsOfTheirName()
{
    using Accessor = std::function<MenuItem&(const HauptFenster&)>;
    const std::pair<const char*, Accessor> accessors[] = {
        {"FileMenu", &HauptFenster::FileMenu},
        {"FileQuit", [](const HauptFenster& w) -> MenuItem& { return w.FileQuit(); }},
        {"EditMenu", &HauptFenster::EditMenu},
        {"EditUndo", &HauptFenster::EditUndo},
        {"UntitledMenu1", &HauptFenster::UntitledMenu1},
        {"EditCut", &HauptFenster::EditCut},
        {"EditCopy", &HauptFenster::EditCopy},
        {"EditPaste", &HauptFenster::EditPaste},
        {"EditClear", &HauptFenster::EditClear},
        {"UntitledMenu0", &HauptFenster::UntitledMenu0},
        {"EditSelectAll", &HauptFenster::EditSelectAll},
    };
    const QMenuBar& shown = *window->menuBar();
    for (const auto& [name, accessor] : accessors) {
        MenuItem& item = accessor(*window);
        QCOMPARE(item.Name(), QString::fromLatin1(name));
        QCOMPARE(MenuBar1::instance().Child(name), &item);
        QVERIFY2(item.AutoEnable(), name);
        // The item is the very entry that the window's menu bar shows.
        const bool topLevel = QByteArray(name).endsWith("Menu");
        const QList<QAction*> siblings =
            topLevel
                ? shown.actions()
                : shown.actions()[QByteArray(name).startsWith("File") ? 0 : 1]->menu()->actions();
        QVERIFY2(siblings.contains(&item.Action()), name);
    }
    QVERIFY(qobject_cast<QuitMenuItem*>(&window->FileQuit()));
    QCOMPARE(MenuBar1::instance().Child("EditRedo"), nullptr);
}

void MenusTest::accessorsNeedAMenuBar()
{
    HauptFenster unbuilt;
    QVERIFY_THROWS_EXCEPTION(NilObjectException, unbuilt.EditCopy());
    QVERIFY_THROWS_EXCEPTION(NilObjectException, unbuilt.FileQuit());
}

QLineEdit& MenusTest::focusField(const QString& name, const QString& text, bool selectAll)
{
    auto& field = static_cast<QLineEdit&>(window->Control(name));
    window->SetText(name, text);
    field.setFocus();
    if (selectAll)
        field.selectAll();
    return field;
}

void MenusTest::editCommandsActOnTheFocusedField_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("selectionStart"); // -1: no selection
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("clipboard");
    // The clipboard holds "7" before each command; the field holds "12.5".
    QTest::newRow("select all selects the whole text") << "EditSelectAll"
                                                       << "yF0" << -1 << 0 << "12.5"
                                                       << "12.5"
                                                       << "7";
    QTest::newRow("copy puts the selection on the clipboard") << "EditCopy"
                                                              << "yF0" << 0 << 2 << "12.5"
                                                              << "12"
                                                              << "12";
    QTest::newRow("cut moves the selection to the clipboard") << "EditCut"
                                                              << "yF0" << 0 << 2 << ".5"
                                                              << ""
                                                              << "12";
    QTest::newRow("paste replaces the selection") << "EditPaste"
                                                  << "yF0" << 0 << 2 << "7.5"
                                                  << ""
                                                  << "7";
    QTest::newRow("clear deletes the selection and leaves the clipboard") << "EditClear"
                                                                          << "yF0" << 2 << 2 << "12"
                                                                          << ""
                                                                          << "7";
    QTest::newRow("copy works on a read-only coefficient") << "EditCopy"
                                                           << "KF0" << 0 << 4 << "12.5"
                                                           << "12.5"
                                                           << "12.5";
    QTest::newRow("cut leaves a read-only coefficient alone") << "EditCut"
                                                              << "KF0" << 0 << 4 << "12.5"
                                                              << "12.5"
                                                              << "7";
    QTest::newRow("paste leaves a read-only coefficient alone") << "EditPaste"
                                                                << "KF0" << 0 << 4 << "12.5"
                                                                << "12.5"
                                                                << "7";
    QTest::newRow("clear leaves the fixed argument 0 alone") << "EditClear"
                                                             << "xF01" << 0 << 4 << "12.5"
                                                             << "12.5"
                                                             << "7";
}

void MenusTest::editCommandsActOnTheFocusedField()
{
    QFETCH(QString, item);
    QFETCH(QString, field);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(QString, clipboard);
    QApplication::clipboard()->setText("7");
    QLineEdit& edit = focusField(field, "12.5", false);
    QTRY_COMPARE(QApplication::focusWidget(), &edit);
    if (selectionStart >= 0)
        edit.setSelection(selectionStart, selectionLength);
    openEditMenu();
    MenuBar1::instance().Child(item)->Action().trigger();
    QCOMPARE(edit.text(), text);
    QCOMPARE(edit.selectedText(), selected);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    window->SetText(field, field == "xF01" ? "0" : "");
}

void MenusTest::undoTakesBackTheLastEdit()
{
    QLineEdit& edit = focusField("yF1", "12.5", true);
    QTRY_COMPARE(QApplication::focusWidget(), &edit);
    openEditMenu();
    window->EditClear().Action().trigger();
    QCOMPARE(edit.text(), QString());
    openEditMenu();
    window->EditUndo().Action().trigger();
    QCOMPARE(edit.text(), QStringLiteral("12.5"));
    window->SetText("yF1", "");
}

void MenusTest::editItemsAreEnabledWhenTheyCanAct_data()
{
    QTest::addColumn<QString>("field"); // empty: no field has the focus
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("no selection: nothing to cut, copy or clear")
        << "yF0"
        << "12.5"
        << "" << false << "7" << QStringList{"EditPaste", "EditSelectAll"};
    QTest::newRow("a selection can be cut, copied and cleared")
        << "yF0"
        << "12.5"
        << "" << true << "7"
        << QStringList{"EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"};
    QTest::newRow("an empty clipboard: nothing to paste")
        << "yF0"
        << "12.5"
        << "" << true << "" << QStringList{"EditCut", "EditCopy", "EditClear", "EditSelectAll"};
    QTest::newRow("after typing, undo is offered")
        << "yF0"
        << "12.5"
        << "3" << false << "7" << QStringList{"EditUndo", "EditPaste", "EditSelectAll"};
    QTest::newRow("a read-only coefficient can only be copied")
        << "KF0"
        << "12.5"
        << "" << true << "7" << QStringList{"EditCopy", "EditSelectAll"};
    QTest::newRow("an empty field: nothing to select") << "yF0"
                                                       << ""
                                                       << "" << false << "" << QStringList{};
    QTest::newRow("no focused field: every edit command is off")
        << ""
        << ""
        << "" << false << "7" << QStringList{};
}

void MenusTest::editItemsAreEnabledWhenTheyCanAct()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(bool, selectAll);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, enabled);
    if (clipboard.isEmpty())
        QApplication::clipboard()->clear();
    else
        QApplication::clipboard()->setText(clipboard);
    if (field.isEmpty()) {
        if (QWidget* focus = QApplication::focusWidget())
            focus->clearFocus();
        QTRY_COMPARE(QApplication::focusWidget(), nullptr);
    } else {
        QLineEdit& edit = focusField(field, text, false);
        QTRY_COMPARE(QApplication::focusWidget(), &edit);
        QTest::keyClicks(&edit, typed);
        if (selectAll)
            edit.selectAll();
    }
    const QStringList editItems = {"EditUndo",  "EditCut",   "EditCopy",
                                   "EditPaste", "EditClear", "EditSelectAll"};
    // Each case must set every state afresh: start from the opposite of what it expects.
    for (const QString& name : editItems)
        MenuBar1::instance().Child(name)->Action().setEnabled(!enabled.contains(name));
    openEditMenu();
    QStringList actual;
    for (const QString& name : editItems)
        if (MenuBar1::instance().Child(name)->Action().isEnabled())
            actual << name;
    QCOMPARE(actual, enabled);
    if (!field.isEmpty())
        window->SetText(field, "");
}

QTEST_MAIN(MenusTest)
#include "test_menus.moc"
