// The menu bar: one shared instance, the File and Edit menus as the window shows them, the
// window's item accessors, and the edit commands acting on the focused field.

#include "app/MenuBar1.h"
#include "app/RecentFiles.h"
#include "framework/NilObjectException.h"
#include "ui/HauptFenster.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QtTest>
#include <functional>

class MenusTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        window = new HauptFenster;
        window->Construct();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanupTestCase() { delete window; }
    void windowShowsTheMenuTree()
    {
        // One line per entry as the user sees it: "-" for a separator (a line with no text, which
        // some styles would paint across it), else text, tab, shortcut.
        QStringList shown;
        for (const QAction* menu : window->menuBar()->actions()) {
            shown << menu->text();
            QVERIFY(menu->menu());
            for (const QAction* entry : menu->menu()->actions())
                shown << (entry->isSeparator() && entry->text().isEmpty()
                              ? QStringLiteral("  -")
                              : "  " + entry->text() + '\t' +
                                    entry->shortcut().toString(QKeySequence::PortableText));
        }
        QCOMPARE(shown, QStringList({"&File",
                                     "  &Neu\tCtrl+N",
                                     "  Ö&ffnen…\tCtrl+O",
                                     "  &Zuletzt geöffnet\t",
                                     "  &Speichern\tCtrl+S",
                                     "  Speichern &unter…\tCtrl+Shift+S",
                                     "  &Exportieren\t",
                                     "  &Drucken…\tCtrl+P",
                                     "  -",
                                     "  &Quit\tCtrl+Q",
                                     "&Edit",
                                     "  &Undo\tCtrl+Z",
                                     "  -",
                                     "  Cu&t\tCtrl+X",
                                     "  &Copy\tCtrl+C",
                                     "  &Paste\tCtrl+V",
                                     "  &Delete\t",
                                     "  -",
                                     "  Select &All\tCtrl+A",
                                     "  -",
                                     "  &Ergebnisse kopieren\tCtrl+Shift+C",
                                     "  P&olynom kopieren\tCtrl+Shift+P",
                                     "  Polynom als Tabellen&formel kopieren\tCtrl+Shift+F",
                                     "&Ansicht",
                                     "  &Graph\tCtrl+G",
                                     "  &Rechenweg\tCtrl+R"}));
    }
    void documentItemsAreDescribedForScreenReaders()
    {
        // "Zuletzt geöffnet" opens a submenu, which its accessible item holds as its child.
        QStandardPaths::setTestModeEnabled(true);
        RememberFile(QStringLiteral("/daten/messung.kurvalo"));
        emit window->FileMenu().Menu()->aboutToShow();
        QVERIFY(MenuBar1::instance().Child("FileZuletztGeoeffnet")->Action().menu());
        for (const char* name : {"FileNeu", "FileOeffnen", "FileZuletztGeoeffnet", "FileSpeichern",
                                 "FileSpeichernUnter"}) {
            QAction& action = MenuBar1::instance().Child(name)->Action();
            QAccessibleInterface* item = QAccessible::queryAccessibleInterface(&action);
            QVERIFY2(item, name);
            QCOMPARE(item->role(), QAccessible::MenuItem);
            QVERIFY2(!item->text(QAccessible::Description).isEmpty(), name);
            QCOMPARE(item->childCount(), action.menu() ? 1 : 0);
        }
    }
    void accessorsReturnTheSharedItemsOfTheirName()
    {
        QCOMPARE(&window->GetMenuBar(), &MenuBar1::instance());
        QCOMPARE(window->menuBar()->actions(),
                 (QList<QAction*>{&window->FileMenu().Action(), &window->EditMenu().Action(),
                                  &MenuBar1::instance().Child("AnsichtMenu")->Action()}));
        // Pairs each accessor with its own name, so no entry can name the wrong item.
#define ACCESSOR(name) std::pair<const char*, Accessor>(#name, &HauptFenster::name)
        using Accessor = std::function<MenuItem&(const HauptFenster&)>;
        const std::pair<const char*, Accessor> accessors[] = {
            ACCESSOR(FileMenu),      ACCESSOR(FileQuit),      ACCESSOR(EditMenu),
            ACCESSOR(EditUndo),      ACCESSOR(UntitledMenu1), ACCESSOR(EditCut),
            ACCESSOR(EditCopy),      ACCESSOR(EditPaste),     ACCESSOR(EditClear),
            ACCESSOR(UntitledMenu0), ACCESSOR(EditSelectAll)};
#undef ACCESSOR
        for (const auto& [name, accessor] : accessors) {
            QCOMPARE(accessor(*window).Name(), QString::fromLatin1(name));
            QCOMPARE(MenuBar1::instance().Child(name), &accessor(*window));
            QVERIFY2(accessor(*window).AutoEnable(), name);
        }
        QVERIFY(qobject_cast<QuitMenuItem*>(&window->FileQuit()));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, HauptFenster().EditCopy());
    }
    void editCommandsActOnTheFocusedField_data()
    {
        QTest::addColumn<QString>(
            "commands"); // triggered in turn on yF0, the menu opened before each
        QTest::addColumn<QString>("before"); // the text, the selection in brackets
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("clipboard"); // it holds "7" before the commands
        const auto row = [](const char* name, const char* commands, const char* before,
                            const char* after, const char* clipboard) {
            QTest::newRow(name) << QString(commands) << QString(before) << QString(after)
                                << QString(clipboard);
        };
        row("select all selects the whole text", "SelectAll", "12.5", "[12.5]", "7");
        row("copy puts the selection on the clipboard", "Copy", "[12].5", "[12].5", "12");
        row("cut moves the selection to the clipboard", "Cut", "[12].5", ".5", "12");
        row("paste replaces the selection", "Paste", "[12].5", "7.5", "7");
        row("clear deletes the selection, not the clipboard", "Clear", "12[.5]", "12", "7");
        row("undo takes back the last edit", "Clear Undo", "[12.5]", "[12.5]", "7");
    }
    void editCommandsActOnTheFocusedField()
    {
        QFETCH(QString, commands);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, clipboard);
        QApplication::clipboard()->setText("7");
        QLineEdit& edit = focusField("yF0", before);
        for (const QString& command : commands.split(' ')) {
            openEditMenu();
            item(command).trigger();
        }
        QCOMPARE(stateOf(edit), after);
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
        window->SetText("yF0", "");
    }

    void editItemsAreEnabledWhenTheyCanAct_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("enabled");
        const auto row = [](const char* name, const char* field, const char* state,
                            const char* clipboard, const char* enabled) {
            QTest::newRow(name) << QString(field) << QString(state) << QString(clipboard)
                                << QString(enabled);
        };
        row("no selection: nothing to cut, copy or clear", "yF0", "12.5", "7", "Paste SelectAll");
        row("a selection can be cut, copied and cleared", "yF0", "[12.5]", "7",
            "Cut Copy Paste Clear SelectAll");
        row("a read-only coefficient can only be copied", "KF0", "[12.5]", "7", "Copy SelectAll");
        row("an empty clipboard: nothing to paste", "yF0", "[12.5]", "",
            "Cut Copy Clear SelectAll");
    }
    void editItemsAreEnabledWhenTheyCanAct()
    {
        QFETCH(QString, field);
        QFETCH(QString, state);
        QFETCH(QString, clipboard);
        QFETCH(QString, enabled);
        clipboard.isEmpty() ? QApplication::clipboard()->clear()
                            : QApplication::clipboard()->setText(clipboard);
        focusField(field, state);
        const QStringList commands = {"Undo", "Cut", "Copy", "Paste", "Clear", "SelectAll"};
        // Each case must set every state afresh: start from the opposite of what it expects.
        for (const QString& command : commands)
            item(command).setEnabled(!enabled.split(' ').contains(command));
        openEditMenu();
        QStringList actual;
        for (const QString& command : commands)
            if (item(command).isEnabled())
                actual << command;
        QCOMPARE(actual.join(' '), enabled);
        window->SetText(field, "");
    }

    // The program's commands follow its state without their menu being opened again, and a key
    // pressed while one cannot act says why. The Edit menu is opened first, before anything
    // is computed, as a person looking around would; the rows compute in order.
    void commandsFollowTheProgramsState_data()
    {
        QTest::addColumn<bool>("compute");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("answer"); // the status line, or the start of the clipboard
        QTest::newRow("before a compute Ctrl+Shift+C says why it copies nothing")
            << false << "Ctrl+Shift+C" << false << "Noch nichts berechnet";
        QTest::newRow("before a compute Ctrl+Shift+P says why too")
            << false << "Ctrl+Shift+P" << false << "Noch nichts berechnet";
        QTest::newRow("after a compute Ctrl+Shift+C copies the results")
            << true << "Ctrl+Shift+C" << true << "Stützstellen";
        QTest::newRow("after a compute Ctrl+Shift+P copies the polynomial")
            << true << "Ctrl+Shift+P" << true << "p(x) = ";
    }
    void commandsFollowTheProgramsState()
    {
        QFETCH(bool, compute);
        QFETCH(QString, key);
        QFETCH(bool, enabled);
        QFETCH(QString, answer);
        QLineEdit& field = focusField("yF0", "2");
        openEditMenu();
        if (compute)
            window->BevelButton1_Action();
        QApplication::clipboard()->clear();
        QAction& copy =
            MenuBar1::instance()
                .Child(key.endsWith('C') ? "EditErgebnisseKopieren" : "EditPolynomKopieren")
                ->Action();
        QTRY_COMPARE(copy.isEnabled(), enabled);
        QTest::keySequence(&field, QKeySequence(key));
        auto* status = window->findChild<QLabel*>("StatusLine");
        const QString answered = QApplication::clipboard()->text().isEmpty()
                                     ? (status ? status->text() : QString())
                                     : QApplication::clipboard()->text();
        QVERIFY2(answered.startsWith(answer), qPrintable(answered));
        if (status)
            status->clear();
    }

private:
    QAction& item(const QString& command) const
    {
        return MenuBar1::instance().Child("Edit" + command)->Action();
    }
    // Gives the field the focus and the text and selection of a state such as "[12].5".
    QLineEdit& focusField(const QString& name, const QString& state)
    {
        auto& field = static_cast<QLineEdit&>(window->Control(name));
        window->SetText(name, QString(state).remove('[').remove(']'));
        field.setFocus();
        [&] { QTRY_COMPARE(QApplication::focusWidget(), &field); }();
        if (const int start = state.indexOf('['); start >= 0)
            field.setSelection(start, state.indexOf(']') - start - 1);
        return field;
    }
    static QString stateOf(const QLineEdit& field)
    {
        QString state = field.text();
        if (field.hasSelectedText())
            state.insert(field.selectionEnd(), ']').insert(field.selectionStart(), '[');
        return state;
    }
    // The items decide whether they are enabled when their menu is about to show.
    void openEditMenu()
    {
        emit window->EditMenu().Menu()->aboutToShow();
    }

    HauptFenster* window = nullptr;
};

QTEST_MAIN(MenusTest)
#include "test_menus.moc"
