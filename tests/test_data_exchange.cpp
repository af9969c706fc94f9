// Data in and out of the main window: tables pasted into the inputs in one step that one undo
// takes back, and the results and the polynomial copied with their exact values.

#include "app/MenuBar1.h"
#include "framework/EditLine.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QStringList inputNames()
{
    QStringList names{"sstellen"};
    for (const SupportRow& row : kSupportRows)
        names << row.abscissa << row.ordinate;
    for (int i = 1; i < 10; ++i)
        names << kArgumentRows[i].argument;
    return names;
}

// Four points and no arguments; a row's expected changes are written against these.
QString baseline(const QString& name)
{
    static const QHash<QString, QString> texts = {{"sstellen", "4"}, {"xF0", "10"}, {"xF1", "20"},
                                                  {"xF2", "30"},     {"xF3", "40"}, {"yF0", "50"},
                                                  {"yF1", "60"},     {"yF2", "70"}, {"yF3", "80"}};
    return texts.value(name);
}

// Runs `action`; a message box it shows is answered at once, and its text returned.
QString answered(const std::function<void()>& action)
{
    QString message;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    answer.start(10);
    action();
    return message;
}

QString announced(const HauptFenster& window)
{
    QStringList names;
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        names << child->accessibleName();
    return names.join(u' ');
}

} // namespace

class DataExchangeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        window = &HauptFenster::instance();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void copyItemsWaitForTheFirstCompute()
    {
        QApplication::clipboard()->setText("unchanged");
        emit window->EditMenu().Menu()->aboutToShow();
        QVERIFY(!item("EditErgebnisseKopieren").isEnabled());
        QVERIFY(!item("EditPolynomKopieren").isEnabled());
        item("EditErgebnisseKopieren").trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("unchanged"));
        compute({"1", "2"}, {"3", "4"});
        emit window->EditMenu().Menu()->aboutToShow();
        QVERIFY(item("EditErgebnisseKopieren").isEnabled());
        QVERIFY(item("EditPolynomKopieren").isEnabled());
        QCOMPARE(item("EditErgebnisseKopieren").shortcut(), QKeySequence("Ctrl+Shift+C"));
    }

    void pasteFillsTheForm_data()
    {
        QTest::addColumn<QString>("field"); // focused, its text selected
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("changes"); // "field=text" against the baseline, "; "
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* field, const char* clipboard,
                            const char* changes, const char* message = "") {
            QTest::newRow(name) << QString(field) << QString::fromUtf8(clipboard)
                                << QString(changes) << QString::fromUtf8(message);
        };
        row("tab-separated rows of x and y", "xF0", "1\t2\n3\t4\n5\t6\n",
            "sstellen=3; xF0=1; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6");
        row("semicolons, decimal commas, a header row", "yF2", "x;y\n0,5;1,5\n2,5;3\n",
            "sstellen=2; xF0=0,5; yF0=1,5; xF1=2,5; yF1=3");
        row("runs of spaces, Windows line ends, a trailing empty row", "sstellen",
            "  1   2\r\n 3  4 \r\n\r\n", "sstellen=2; xF0=1; yF0=2; xF1=3; yF1=4");
        row("a row of x and a row of y, labelled in the first column", "xF0",
            "x\t1\t2\t3\ny\t4\t5\t6\n", "sstellen=3; xF0=1; yF0=4; xF1=2; yF1=5; xF2=3; yF2=6");
        row("two rows of two cells are two points, one a row", "xF0", "1\t2\n3\t4",
            "sstellen=2; xF0=1; yF0=2; xF1=3; yF1=4");
        row("cells keep their text, trimmed of blanks", "xF0", "0\t1,5 kg\n\" 2 \"\t abc \n",
            "sstellen=2; xF0=0; yF0=1,5 kg; xF1=2; yF1=abc");
        row("one point is too few", "xF0", "x\ty\n1\t2\n", "",
            "Die Tabelle enthält 1 Stützstelle; Kurvalo rechnet mit 2 bis 10. "
            "Nichts wurde eingefügt.");
        row("eleven points are too many", "xF0", "1 2 3 4 5 6 7 8 9 10 11\n1 2 3 4 5 6 7 8 9 10 11",
            "",
            "Die Tabelle enthält 11 Stützstellen; Kurvalo rechnet mit 2 bis 10. "
            "Nichts wurde eingefügt.");
        row("rows of unequal length", "xF0", "1\t2\n3\n5\t6", "",
            "Die Zeilen der Tabelle sind ungleich lang: Zeile 1 hat 2 Werte, Zeile 2 hat 1 Wert. "
            "Nichts wurde eingefügt.");
        row("three columns are neither shape", "xF0", "1 2 3\n4 5 6\n7 8 9", "",
            "Die Tabelle hat 3 Zeilen mit je 3 Werten. Erwartet: je Zeile x und y einer "
            "Stützstelle, oder eine Zeile x-Werte und eine Zeile y-Werte. "
            "Nichts wurde eingefügt.");
        row("a single cell copied with its line end pastes without it", "yF1", "2,5\r\n",
            "yF1=2,5");
        row("a single cell without a line end pastes as typed", "yF1", " 7 kg", "yF1= 7 kg");
        row("a column of arguments fills them from the focused one on", "xF21", "t\n0,5\n1\n1,5\n",
            "xF21=0,5; xF31=1; xF41=1,5");
        row("a row of arguments too", "xF71", "7\t8\t9", "xF71=7; xF81=8; xF91=9");
        row("more arguments than fields from the focused one on", "xF91", "1\t2", "",
            "Die Tabelle enthält 2 Werte; ab diesem Feld ist Platz für ein Argument. "
            "Nichts wurde eingefügt.");
        row("a table of points in an argument field", "xF11", "1\t2\n3\t4", "",
            "Zeile 1 hat 2 Werte; Argumente werden als eine Spalte oder eine Zeile von Zahlen "
            "eingefügt. Nichts wurde eingefügt.");
    }
    void pasteFillsTheForm()
    {
        QFETCH(QString, field);
        QFETCH(QString, clipboard);
        QFETCH(QString, changes);
        QFETCH(QString, message);
        setBaseline();
        QApplication::clipboard()->setText(clipboard);
        EditLine& target = focus(field);
        target.selectAll();
        QCOMPARE(answered([&] { QTest::keyClick(&target, Qt::Key_V, Qt::ControlModifier); }),
                 message);
        QCOMPARE(changesFromBaseline(), changes);
    }

    void pasteIsOneStepToUndo_data()
    {
        QTest::addColumn<QString>("pasteBy");
        QTest::addColumn<QString>("undoBy");
        QTest::addColumn<QString>("left"); // the changes that stay after the undo
        QTest::newRow("Ctrl+V pastes, Ctrl+Z takes back every field and the count") << "key"
                                                                                    << "key"
                                                                                    << "";
        QTest::newRow("Edit > Paste, Edit > Undo") << "menu"
                                                   << "menu"
                                                   << "";
        QTest::newRow("the context menu's Paste and Undo") << "context"
                                                           << "context"
                                                           << "";
        QTest::newRow("Ctrl+Z in another field takes back the paste too") << "key"
                                                                          << "key in yF9"
                                                                          << "";
        QTest::newRow("typed after the paste: Ctrl+Z takes back the typing only")
            << "key"
            << "typing, key" << QString(kPasted);
    }
    void pasteIsOneStepToUndo()
    {
        QFETCH(QString, pasteBy);
        QFETCH(QString, undoBy);
        QFETCH(QString, left);
        setBaseline();
        compute({"10", "20", "30", "40"}, {"50", "60", "70", "80"});
        setBaseline();
        QApplication::clipboard()->setText("1\t2\n3\t4\n5\t6\n");
        EditLine& pasted = focus("xF1");
        edit(pasted, pasteBy, QKeySequence::Paste);
        QCOMPARE(changesFromBaseline(), QString(kPasted));
        QCOMPARE(window->n, 3);
        QVERIFY(announced(*window).contains("3 Stützstellen eingefügt"));
        QVERIFY(dynamic_cast<EditLine&>(window->Control("yF01")).IsStale());

        if (undoBy.startsWith("typing")) {
            QTest::keyClick(&pasted, Qt::Key_9);
            undoBy = "key";
        }
        EditLine& undoing = undoBy == "key in xF11" ? focus("xF11") : pasted;
        edit(undoing, undoBy.section(' ', 0, 0), QKeySequence::Undo);
        QCOMPARE(changesFromBaseline(), left);
        QCOMPARE(window->n, left.isEmpty() ? 4 : 3);
    }

private:
    static constexpr const char* kPasted = "sstellen=3; xF0=1; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6";

    QAction& item(const char* name) const { return MenuBar1::instance().Child(name)->Action(); }

    void setBaseline()
    {
        for (const QString& name : inputNames())
            window->SetText(name, baseline(name));
    }

    QString changesFromBaseline() const
    {
        QStringList changes;
        for (const QString& name : inputNames()) {
            if (window->Text(name) != baseline(name))
                changes << name + '=' + window->Text(name);
        }
        return changes.join("; ");
    }

    EditLine& focus(const QString& name)
    {
        auto& field = dynamic_cast<EditLine&>(window->Control(name));
        // A message box took the activation with it.
        QApplication::setActiveWindow(window);
        field.setFocus();
        [&] { QTRY_COMPARE(QApplication::focusWidget(), &field); }();
        return field;
    }

    void compute(const QStringList& xs, const QStringList& ys, const QStringList& arguments = {})
    {
        window->SetText("sstellen", QString::number(xs.size()));
        for (int k = 0; k < xs.size(); ++k) {
            window->SetText(kSupportRows[k].abscissa, xs[k]);
            window->SetText(kSupportRows[k].ordinate, ys[k]);
        }
        for (int i = 1; i < 10; ++i)
            window->SetText(kArgumentRows[i].argument, arguments.value(i - 1));
        QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton);
    }

    // Paste or undo in the field by its key, the Edit menu, or its context menu.
    void edit(EditLine& field, const QString& by, QKeySequence::StandardKey key)
    {
        if (by == "key") {
            QTest::keySequence(&field, QKeySequence(key));
        } else if (by == "menu") {
            emit window->EditMenu().Menu()->aboutToShow();
            item(key == QKeySequence::Paste ? "EditPaste" : "EditUndo").trigger();
        } else {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                    field.mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(&field, &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            const QString text = QLineEdit::tr(key == QKeySequence::Paste ? "&Paste" : "&Undo");
            for (QAction* entry : menu->actions()) {
                if (entry->text().section('\t', 0, 0) == text) {
                    QVERIFY(entry->isEnabled());
                    entry->trigger();
                }
            }
            menu->close();
        }
    }

    HauptFenster* window = nullptr;
};

QTEST_MAIN(DataExchangeTest)
#include "test_data_exchange.moc"
