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

void setClipboard(const QString& text)
{
    if (text.isEmpty())
        QApplication::clipboard()->clear();
    else
        QApplication::clipboard()->setText(text);
}

} // namespace

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
        // One line per entry as the user sees it: "-" for a separator, else text, tab, shortcut.
        QStringList shown;
        for (const QAction* menu : window->menuBar()->actions()) {
            shown << menu->text();
            QVERIFY(menu->menu());
            for (const QAction* entry : menu->menu()->actions())
                shown << (entry->isSeparator()
                              ? QStringLiteral("  -")
                              : "  " + entry->text() + '\t' +
                                    entry->shortcut().toString(QKeySequence::PortableText));
        }
        QCOMPARE(shown, QStringList({"&File", "  &Quit\tCtrl+Q", "&Edit", "  &Undo\tCtrl+Z", "  -",
                                     "  Cu&t\tCtrl+X", "  &Copy\tCtrl+C", "  &Paste\tCtrl+V",
                                     "  &Delete\t", "  -", "  Select &All\tCtrl+A"}));
    }
    void accessorsReturnTheSharedItemsOfTheirName()
    {
        QCOMPARE(&window->GetMenuBar(), &MenuBar1::instance());
        // Pairs each accessor with its own name, so no entry can name the wrong item.
#define ACCESSOR(name) std::pair<const char*, Accessor>(#name, &HauptFenster::name)
        using Accessor = std::function<MenuItem&(const HauptFenster&)>;
        const std::pair<const char*, Accessor> accessors[] = {
            ACCESSOR(FileMenu),      ACCESSOR(FileQuit),      ACCESSOR(EditMenu),
            ACCESSOR(EditUndo),      ACCESSOR(UntitledMenu1), ACCESSOR(EditCut),
            ACCESSOR(EditCopy),      ACCESSOR(EditPaste),     ACCESSOR(EditClear),
            ACCESSOR(UntitledMenu0), ACCESSOR(EditSelectAll)};
#undef ACCESSOR
        const QMenuBar& shown = *window->menuBar();
        for (const auto& [name, accessor] : accessors) {
            MenuItem& item = accessor(*window);
            QCOMPARE(item.Name(), QString::fromLatin1(name));
            QCOMPARE(MenuBar1::instance().Child(name), &item);
            QVERIFY2(item.AutoEnable(), name);
            // The item is the very entry that the window's menu bar shows.
            const QByteArray id(name);
            const QList<QAction*> siblings =
                id.endsWith("Menu")
                    ? shown.actions()
                    : shown.actions()[id.startsWith("File") ? 0 : 1]->menu()->actions();
            QVERIFY2(siblings.contains(&item.Action()), name);
        }
        QVERIFY(qobject_cast<QuitMenuItem*>(&window->FileQuit()));
        QCOMPARE(MenuBar1::instance().Child("EditRedo"), nullptr);
    }
    void accessorsNeedAMenuBar()
    {
        HauptFenster unbuilt;
        QVERIFY_THROWS_EXCEPTION(NilObjectException, unbuilt.EditCopy());
        QVERIFY_THROWS_EXCEPTION(NilObjectException, unbuilt.FileQuit());
    }
    void editCommandsActOnTheFocusedField_data()
    {
        QTest::addColumn<QString>("commands"); // triggered in turn, the menu opened before each
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("clipboard"); // it holds "7" before the commands
        const auto row = [](const char* name, const char* commands, const char* field,
                            const char* before, const char* after, const char* clipboard) {
            QTest::newRow(name) << QString(commands) << QString(field) << QString(before)
                                << QString(after) << QString(clipboard);
        };
        row("select all selects the whole text", "SelectAll", "yF0", "12.5", "[12.5]", "7");
        row("copy puts the selection on the clipboard", "Copy", "yF0", "[12].5", "[12].5", "12");
        row("cut moves the selection to the clipboard", "Cut", "yF0", "[12].5", ".5", "12");
        row("paste replaces the selection", "Paste", "yF0", "[12].5", "7.5", "7");
        row("clear deletes the selection, not the clipboard", "Clear", "yF0", "12[.5]", "12", "7");
        row("undo takes back the last edit", "Clear Undo", "yF1", "[12.5]", "[12.5]", "7");
        row("copy works on a read-only coefficient", "Copy", "KF0", "[12.5]", "[12.5]", "12.5");
        row("cut leaves a read-only coefficient alone", "Cut", "KF0", "[12.5]", "[12.5]", "7");
        row("paste leaves a read-only coefficient alone", "Paste", "KF0", "[12.5]", "[12.5]", "7");
        row("clear leaves the fixed argument 0 alone", "Clear", "xF01", "[12.5]", "[12.5]", "7");
    }
    void editCommandsActOnTheFocusedField()
    {
        QFETCH(QString, commands);
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, clipboard);
        setClipboard("7");
        QLineEdit& edit = focusField(field, before);
        for (const QString& command : commands.split(' ')) {
            openEditMenu();
            item(command).trigger();
        }
        QCOMPARE(stateOf(edit), after);
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
        window->SetText(field, field == "xF01" ? "0" : "");
    }

    void editItemsAreEnabledWhenTheyCanAct_data()
    {
        QTest::addColumn<QString>("field"); // empty: no field has the focus
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("enabled");
        const auto row = [](const char* name, const char* field, const char* state,
                            const char* typed, const char* clipboard, const char* enabled) {
            QTest::newRow(name) << QString(field) << QString(state) << QString(typed)
                                << QString(clipboard) << QString(enabled);
        };
        row("no selection: nothing to cut, copy or clear", "yF0", "12.5", "", "7",
            "Paste SelectAll");
        row("a selection can be cut, copied and cleared", "yF0", "[12.5]", "", "7",
            "Cut Copy Paste Clear SelectAll");
        row("an empty clipboard: nothing to paste", "yF0", "[12.5]", "", "",
            "Cut Copy Clear SelectAll");
        row("after typing, undo is offered", "yF0", "12.5", "3", "7", "Undo Paste SelectAll");
        row("a read-only coefficient can only be copied", "KF0", "[12.5]", "", "7",
            "Copy SelectAll");
        row("an empty field: nothing to select", "yF0", "", "", "", "");
        row("no focused field: every edit command is off", "", "", "", "7", "");
    }
    void editItemsAreEnabledWhenTheyCanAct()
    {
        QFETCH(QString, field);
        QFETCH(QString, state);
        QFETCH(QString, typed);
        QFETCH(QString, clipboard);
        QFETCH(QString, enabled);
        setClipboard(clipboard);
        if (field.isEmpty()) {
            if (QWidget* focus = QApplication::focusWidget())
                focus->clearFocus();
            QTRY_COMPARE(QApplication::focusWidget(), nullptr);
        } else {
            QTest::keyClicks(&focusField(field, state), typed);
        }
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
        if (!field.isEmpty())
            window->SetText(field, "");
    }

private:
    QAction& item(const QString& command) const
    {
        return MenuBar1::instance().Child("Edit" + command)->Action();
    }
    // Gives the field the focus and the state "[12].5": the text, the selection in brackets.
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
