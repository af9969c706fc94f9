// Data in and out of the main window: tables pasted into the inputs in one step that one undo
// takes back, and the results and the polynomial copied with their exact values.

#include "InputForm.h"
#include "app/MenuBar1.h"
#include "calc/ComputeRecord.h"
#include "framework/EditLine.h"
#include "ui/HauptFenster.h"
#include "ui/ResultCopies.h"
#include "ui/RowNames.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <limits>

using namespace form_test;
using namespace Qt::StringLiterals;

namespace {

QString announced(const HauptFenster& window)
{
    QStringList names;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child))
            names << face->text(QAccessible::Name);
    }
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

    void copyItemsAreDescribedForScreenReaders()
    {
        QAccessibleInterface* menu =
            QAccessible::queryAccessibleInterface(window->EditMenu().Menu());
        QStringList heard;
        for (int i = 0; i < menu->childCount(); ++i) {
            const QAccessibleInterface* entry = menu->child(i);
            if (!entry->text(QAccessible::Description).isEmpty())
                heard << entry->text(QAccessible::Name) + " (" +
                             entry->text(QAccessible::Accelerator) +
                             "): " + entry->text(QAccessible::Description);
        }
        QCOMPARE(heard, QStringList({"Ergebnisse kopieren (Ctrl+Shift+C): Kopiert Stützstellen, "
                                     "Funktionswerte und Koeffizienten mit ihren exakten Werten "
                                     "als Tabelle",
                                     "Polynom kopieren (Ctrl+Shift+P): Kopiert das Polynom mit "
                                     "seinen exakten Koeffizienten als eine Zeile",
                                     "Polynom als Tabellenformel kopieren (Ctrl+Shift+F): Kopiert "
                                     "das Polynom als Formel für eine Tabellenkalkulation, mit x "
                                     "in der Zelle A1"}));
    }

    void pasteFillsTheForm_data()
    {
        QTest::addColumn<QString>("field"); // focused, its text selected
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("changes"); // "field=text" against the baseline, "; "
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("marks"); // "field: reason", "; "
        const auto row = [](const char* name, const char* field, const QString& clipboard,
                            const char* changes, const char* message = "", const char* marks = "") {
            QTest::newRow(name) << QString(field) << clipboard << QString(changes)
                                << QString::fromUtf8(message) << QString::fromUtf8(marks);
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
        row("cells keep their text, trimmed of blanks, and say how they read", "xF0",
            "0\t1,5 kg\n\" 2 \"\t abc \n", "sstellen=2; xF0=0; yF0=1,5 kg; xF1=2; yF1=abc", "",
            "yF0: Gelesen als 1.5; yF1: Gelesen als 0");
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
        row("a labelled column is neither shape", "xF0", "P1\t1\nP2\t2\nP3\t3", "",
            "Die Tabelle hat 3 Zeilen mit je 1 Wert. Erwartet: je Zeile x und y einer "
            "Stützstelle, oder eine Zeile x-Werte und eine Zeile y-Werte. "
            "Nichts wurde eingefügt.");
        row("three columns are neither shape", "xF0", "1 2 3\n4 5 6\n7 8 9", "",
            "Die Tabelle hat 3 Zeilen mit je 3 Werten. Erwartet: je Zeile x und y einer "
            "Stützstelle, oder eine Zeile x-Werte und eine Zeile y-Werte. "
            "Nichts wurde eingefügt.");
        row("a single cell copied with its line end pastes without it", "yF1", "2,5\r\n",
            "yF1=2,5");
        row("a single cell without a line end pastes as typed", "yF1", " 7 kg", "yF1= 7 kg", "",
            "yF1: Gelesen als 7");
        row("a column of arguments fills them from the focused one on", "xF21", "t\n0,5\n1\n1,5\n",
            "xF21=0,5; xF31=1; xF41=1,5");
        row("a row of arguments too", "xF71", "7\t8\t9", "xF71=7; xF81=8; xF91=9");
        row("more arguments than fields from the focused one on", "xF91", "1\t2", "",
            "Die Tabelle enthält 2 Werte; ab diesem Feld ist Platz für ein Argument. "
            "Nichts wurde eingefügt.");
        row("a table in a value field is no paste into the inputs", "yF11", "1\t2\n3\t4", "");
        row("a table of points in an argument field", "xF11", "1\t2\n3\t4", "",
            "Zeile 1 hat 2 Werte; Argumente werden als eine Spalte oder eine Zeile von Zahlen "
            "eingefügt. Nichts wurde eingefügt.");

        // No row of data is taken for a heading.
        row("a byte-order mark is no part of the first cell", "xF0", u"\uFEFF1\t2\n3\t4\n5\t6"_s,
            "sstellen=3; xF0=1; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6");
        row("a first row with a Unicode minus is data", "xF0", u"\u22121\t2\n3\t4\n5\t6"_s,
            "sstellen=3; xF0=-1; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6");
        row("a first row with an error cell is data, the cell marked", "xF0",
            "#DIV/0!\t2\n3\t4\n5\t6", "sstellen=3; xF0=#DIV/0!; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6",
            "", "xF0: Gelesen als 0");
        row("a first row with an empty first cell is data, the cell marked", "xF0",
            "\t2\n3\t4\n5\t6", "sstellen=3; xF0=; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6", "",
            "xF0: Gelesen als 0");
        row("a first row in dollars is data", "xF0", "$5.00\t2\n$7.50\t4\n",
            "sstellen=2; xF0=5.00; yF0=2; xF1=7.50; yF1=4");

        // Numbers read as meant where the column tells, marked at the paste where it does not.
        row("German thousands points and decimal commas", "xF0",
            "x\ty\n1\t1.234,50\n2\t1.234.567,89\n3\t-2.500,00\n",
            "sstellen=3; xF0=1; yF0=1234,50; xF1=2; yF1=1234567,89; xF2=3; yF2=-2500,00");
        row("1.000.000 tells that the points of its column group thousands", "xF0",
            "1\t1.234\n2\t2.500\n3\t1.000.000",
            "sstellen=3; xF0=1; yF0=1234; xF1=2; yF1=2500; xF2=3; yF2=1000000");
        row("a decimal point in the column tells that 1,234 is 1234", "xF0", "1\t1,234\n2\t0.5",
            "sstellen=2; xF0=1; yF0=1234; xF1=2; yF1=0.5");
        row("1.234 with nothing to tell goes in as it stands, marked", "xF0", "1\t1.234\n2\t2",
            "sstellen=2; xF0=1; yF0=1.234; xF1=2; yF1=2", "",
            "yF0: Gelesen als 1.234. Ist der Punkt ein Tausendertrennzeichen, ist es 1234.");
        row("2,500 likewise", "xF0", "1\t2,500\n2\t3", "sstellen=2; xF0=1; yF0=2,500; xF1=2; yF1=3",
            "", "yF0: Gelesen als 2.5. Ist das Komma ein Tausendertrennzeichen, ist es 2500.");
        row("percent, euros and a Unicode minus", "xF0",
            u"1\t12,00\u00A0%\n2\t5,00 \u20AC\n3\t\u22121"_s,
            "sstellen=3; xF0=1; yF0=0,12; xF1=2; yF1=5,00; xF2=3; yF2=-1");
        row("English percent and dollars", "xF0", "1\t12.5%\n2\t-$3.00",
            "sstellen=2; xF0=1; yF0=0.125; xF1=2; yF1=-3.00");
        row("an English comma-separated table", "xF0", "x,y\n1.5,2.25\n-2.5,6.25\n",
            "sstellen=2; xF0=1.5; yF0=2.25; xF1=-2.5; yF1=6.25");
        row("comma-separated with a blank after each comma", "xF0", "1, 2\n3, 4\n5, 6",
            "sstellen=3; xF0=1; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6");
        row("a column of decimal commas is no comma-separated table", "xF0", "1,5\n2,5\n3,5", "",
            "Die Tabelle hat 3 Zeilen mit je 1 Wert. Erwartet: je Zeile x und y einer "
            "Stützstelle, oder eine Zeile x-Werte und eine Zeile y-Werte. "
            "Nichts wurde eingefügt.");
        row("a line of many words is one cell", "yF1", "1 2 3 4 5 6 7 8 9 10 11 12 13",
            "yF1=1 2 3 4 5 6 7 8 9 10 11 12 13", "", "yF1: Gelesen als 1");
        row("a single cell with a thousands point", "yF1", "1.234,5\n", "yF1=1234,5");
        row("an ambiguous single cell is marked", "yF1", "2.500\n", "yF1=2.500", "",
            "yF1: Gelesen als 2.5. Ist der Punkt ein Tausendertrennzeichen, ist es 2500.");

        // Labels and headings tell the shape.
        row("two rows of two labelled in the first column are an x row and a y row", "xF0",
            "x\t1\t2\ny\t3\t4", "sstellen=2; xF0=1; yF0=3; xF1=2; yF1=4");
        row("two rows of two under headings are a point a row", "xF0", "x\ty\n1\t2\n3\t4",
            "sstellen=2; xF0=1; yF0=2; xF1=3; yF1=4");

        // Bounded: what no table of the form can be is not read.
        row("thirteen rows are more than any table the form takes", "xF0",
            QString("1\t2\n").repeated(13), "",
            "Die Tabelle hat mehr als 12 Zeilen; Kurvalo rechnet mit 2 bis 10 Stützstellen. "
            "Nichts wurde eingefügt.");
        row("a cell longer than a field holds", "xF0", "1\t" + QString(1001, u'1') + "\n3\t4", "",
            "Zeile 1 hat eine Zelle von 1.001 Zeichen; ein Eingabefeld fasst höchstens 1.000. "
            "Nichts wurde eingefügt.");
        row("a single cell that would make the field longer than it holds", "yF1",
            QString(1001, u'7'), "",
            "Mit dem eingefügten Text hätte das Feld 1.001 Zeichen; ein Eingabefeld fasst "
            "höchstens 1.000. Nichts wurde eingefügt.");
        row("50 MB in the clipboard are refused unread", "xF0", QString(50 << 20, u'1'), "",
            "Die Zwischenablage enthält 52.428.800 Zeichen, mehr als eine Tabelle von 10 "
            "Stützstellen je braucht (höchstens 1.048.576). Nichts wurde eingefügt.");
    }
    void pasteFillsTheForm()
    {
        QFETCH(QString, field);
        QFETCH(QString, clipboard);
        QFETCH(QString, changes);
        QFETCH(QString, message);
        QFETCH(QString, marks);
        setBaseline();
        QApplication::clipboard()->setText(clipboard);
        EditLine& target = focus(field);
        target.selectAll();
        QCOMPARE(answered([&] { QTest::keyClick(&target, Qt::Key_V, Qt::ControlModifier); }),
                 message);
        QCOMPARE(changesFromBaseline(), changes);
        QCOMPARE(form_test::marks(*window), marks);
        QApplication::clipboard()->clear();
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
                                                                          << "key in xF11"
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
        QTRY_VERIFY(announced(*window).contains("3 Stützstellen eingefügt"));
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

    void undoReachesThePasteFromEveryField_data()
    {
        QTest::addColumn<QString>("undoIn"); // empty: where the paste left the focus
        QTest::addColumn<QString>("undoBy");
        QTest::newRow("the focus goes on in the column, where Ctrl+Z takes the paste back")
            << ""
            << "key";
        QTest::newRow("Ctrl+Z in the read-only argument 0") << "xF01"
                                                            << "key";
        QTest::newRow("Ctrl+Z in a coefficient") << "KF0"
                                                 << "key";
        QTest::newRow("Edit > Undo in a value") << "yF51"
                                                << "menu";
        QTest::newRow("Edit > Undo in the count") << "sstellen"
                                                  << "menu";
    }
    void undoReachesThePasteFromEveryField()
    {
        QFETCH(QString, undoIn);
        QFETCH(QString, undoBy);
        setBaseline();
        window->SetText("sstellen", "8");
        QApplication::clipboard()->setText("1\t2\n3\t4\n5\t6\n");
        EditLine& pasted = focus("yF7");
        QTest::keySequence(&pasted, QKeySequence::Paste);
        QCOMPARE(changesFromBaseline(), QString(kPasted));
        // yF7 went with its row; the focus stays in an input, in the y column.
        QCOMPARE(QApplication::focusWidget(), &window->Control("yF2"));

        EditLine& undoing =
            undoIn.isEmpty() ? dynamic_cast<EditLine&>(window->Control("yF2")) : focus(undoIn);
        if (undoBy == "menu") {
            emit window->EditMenu().Menu()->aboutToShow();
            QVERIFY(item("EditUndo").isEnabled());
        }
        edit(undoing, undoBy, QKeySequence::Undo);
        QCOMPARE(changesFromBaseline(), QString("sstellen=8"));
        // Nothing more to undo, and the item says so.
        emit window->EditMenu().Menu()->aboutToShow();
        QVERIFY(!item("EditUndo").isEnabled());
    }

    void copiedResultsCarryTheExactValues_data()
    {
        QTest::addColumn<QStringList>("abscissae");
        QTest::addColumn<QStringList>("ordinates");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("locale");    // the desktop's number locale
        QTest::addColumn<bool>("stale");        // an input changed after the compute
        QTest::addColumn<QStringList>("lines"); // of text/plain, the table of text/html alike
        // Exact: y = 100 + 2.5 (x - 2000) = -4900 + 2.5 x, so p(2010) = 125.
        QTest::newRow("seven years on a line, German: decimal commas")
            << QStringList{"2000", "2001", "2002", "2003", "2004", "2005", "2006"}
            << QStringList{"100", "102.5", "105", "107.5", "110", "112.5", "115"}
            << QStringList{"2010"} << "de_DE" << false
            << sheet(false,
                     "2000|100; 2001|102,5; 2002|105; 2003|107,5; 2004|110; 2005|112,5; 2006|115",
                     "0|47104|-4900|ungenau; 2010|125|125|",
                     "0|6144|-4900|ungenau; 1|60|2,5|ungenau; 2|0,1640625|0|ungenau; "
                     "3|3,0517578125e-05|0|ungenau; 4|-4,0978193283081055e-08|0|ungenau; " +
                         hiddenPowers(5, "0|ausgeblendet"));
        // Exact: x + 1e-9 x (x - 1)(x - 2) = 1.000000002 x - 3e-9 x^2 + 1e-9 x^3, below the
        // zero tolerance from x^2 on; p(0.5) = 0.500000000375.
        QTest::newRow("a wobble of 1e-9 on a line, English: decimal points")
            << QStringList{"0", "1", "2", "3"} << QStringList{"0", "1", "2", "3,000000006"}
            << QStringList{"", "0,5"} << "en_US" << false
            << sheet(false, "0|0; 1|1; 2|2; 3|3.000000006",
                     "0|0|0|; 0.5|0.500000000375|0.500000000375|",
                     "0|0|0|; 1|1.000000002|1.000000002|; 2|0|-3e-09|ausgeblendet; "
                     "3|0|1e-09|ausgeblendet; " +
                         hiddenPowers(4, "0|ausgeblendet"));
        QTest::newRow("an infinite ordinate, inputs changed since: no exact values, Veraltet")
            << QStringList{"0", "1"} << QStringList{"inf", "1"} << QStringList{} << "de_DE" << true
            << sheet(true, "0|inf; 1|1", "0|inf||veraltet, kein exakter Wert",
                     "0|inf||veraltet, kein exakter Wert; 1|-inf||veraltet, kein exakter Wert; " +
                         hiddenPowers(2, "|veraltet, ausgeblendet, kein exakter Wert"));
    }
    void copiedResultsCarryTheExactValues()
    {
        QFETCH(QStringList, abscissae);
        QFETCH(QStringList, ordinates);
        QFETCH(QStringList, arguments);
        QFETCH(QString, locale);
        QFETCH(bool, stale);
        QFETCH(QStringList, lines);
        const QLocale desktop;
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([&] { QLocale::setDefault(desktop); });
        compute(abscissae, ordinates, arguments);
        // Text typed over a result is not what the compute gave.
        window->SetText("yF01", "12345");
        if (stale) {
            // A refused compute leaves the results, and what they were computed from.
            window->SetText("xF1", abscissae[0]);
            answered([&] { QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton); });
        }
        press("Ctrl+Shift+C");
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QCOMPARE(copied->text().split('\n'), lines + QStringList{""});

        // One HTML table holds the same rows; every number cell carries the number with a
        // decimal point, for spreadsheets of any locale.
        const QString html = copied->html();
        static const QRegularExpression number(
            "<td sdval=\"([^\"]*)\" sdnum=\"1033;\" x:num=\"\\1\">([^<]*)</td>");
        static const QRegularExpression plain("^-?[0-9.]+(e[-+][0-9]+)?$");
        for (const QRegularExpressionMatch& cell : number.globalMatch(html)) {
            QCOMPARE(cell.captured(2),
                     QString(cell.captured(1)).replace('.', QLocale().decimalPoint()));
            QVERIFY2(plain.match(cell.captured(1)).hasMatch(), qPrintable(cell.captured(1)));
        }
        QCOMPARE(html.count("<table"), 1);
        QString rows = html;
        rows.remove('\n')
            .replace(QRegularExpression("</tr>(?=<tr)"), "\n")
            .replace(QRegularExpression("</t[hd]><t[hd][^>]*>"), "\t")
            .remove(QRegularExpression("<[^>]*>"));
        QCOMPARE(rows.split('\n'), lines);
    }

    // A value the doubles give as nan, whose exact value is finite, copies that exact value; a
    // comma-separated copy quotes what holds a comma.
    void aValueWithoutADoubleCopiesItsExactValue()
    {
        compute({"1", "3"}, {"3", "4"});
        ComputeRecord record = *window->LastCompute();
        record.values[0].computed = std::numeric_limits<double>::quiet_NaN();
        record.values[0].marked = true;
        const QStringList lines =
            ResultsAsDelimitedText(record, ',', QLocale(QLocale::German), false).split('\n');
        QVERIFY2(lines.contains("Argument,\"Wert, berechnet\",\"Wert, exakt\",Hinweis") &&
                     lines.contains("0,nan,\"2,5\",ungenau"),
                 qPrintable(lines.join('\n')));
    }

    void polynomialReadsBackExactly_data()
    {
        QTest::addColumn<QStringList>("abscissae");
        QTest::addColumn<QStringList>("ordinates");
        QTest::addColumn<QString>("line");    // as copied; empty: read back only
        QTest::addColumn<QString>("formula"); // as copied for a German spreadsheet
        QTest::newRow("seven years on a line")
            << QStringList{"2000", "2001", "2002", "2003", "2004", "2005", "2006"}
            << QStringList{"100", "102.5", "105", "107.5", "110", "112.5", "115"}
            << "p(x) = -4900 + 2.5*x"
            << "=-4900+2,5*A1";
        QTest::newRow("terms below the zero tolerance are there, zero terms are not")
            << QStringList{"0", "1", "2", "3"} << QStringList{"0", "1", "2", "3,000000006"}
            << "p(x) = 1.000000002*x - 3e-09*x^2 + 1e-09*x^3"
            << "=1,000000002*A1-3e-09*A1^2+1e-09*A1^3";
        QTest::newRow("coefficients of 1 and -1 are left out")
            << QStringList{"-1", "0", "1", "2"} << QStringList{"1", "0", "-1", "4"}
            << "p(x) = -2*x + x^3"
            << "=-2*A1+A1^3";
        // In a spreadsheet -A1^2 is the square of -A1.
        QTest::newRow("a leading -1 is a factor in the formula")
            << QStringList{"1", "2", "3"} << QStringList{"-1", "-4", "-9"} << "p(x) = -x^2"
            << "=-1*A1^2";
        QTest::newRow("the zero polynomial")
            << QStringList{"1", "2"} << QStringList{"0", "0"} << "p(x) = 0"
            << "=0";
        QTest::newRow("ten decades of anomalies, every power")
            << QStringList{"1930", "1940", "1950", "1960", "1970",
                           "1980", "1990", "2000", "2010", "2020"}
            << QStringList{"-0.03", "-0.04", "-0.05", "0.01", "0.03",
                           "0.26",  "0.32",  "0.45",  "0.72", "1.01"}
            << QString() << QString();
        QTest::newRow("ten points from 1e-3 to 1e3")
            << QStringList{"0,001", "0,01", "0,1", "1", "3", "10", "30", "100", "300", "1000"}
            << QStringList{"1", "-2", "3", "-4", "5", "-6", "7", "-8", "9", "-10"} << QString()
            << QString();
    }
    void polynomialReadsBackExactly()
    {
        QFETCH(QStringList, abscissae);
        QFETCH(QStringList, ordinates);
        QFETCH(QString, line);
        QFETCH(QString, formula);
        compute(abscissae, ordinates);
        const QLocale desktop;
        const auto restore = qScopeGuard([&] { QLocale::setDefault(desktop); });
        for (const auto language : {QLocale::German, QLocale::English}) {
            QLocale::setDefault(language);
            press("Ctrl+Shift+F");
            if (!formula.isEmpty())
                QCOMPARE(QApplication::clipboard()->text(),
                         language == QLocale::German ? formula
                                                     : QString(formula).replace(',', '.'));
        }
        press("Ctrl+Shift+P");
        const QString copied = QApplication::clipboard()->text();
        if (!line.isEmpty())
            QCOMPARE(copied, line);

        QProcess python;
        python.start("python3", {QFINDTESTDATA("exact/polynomial_readback.py")});
        python.write((abscissae.join('\t') + '\n' + ordinates.join('\t') + '\n' + copied).toUtf8());
        python.closeWriteChannel();
        QVERIFY(python.waitForFinished(30000));
        QVERIFY2(python.exitCode() == 0,
                 qPrintable(copied + '\n' + QString::fromUtf8(python.readAllStandardError())));
    }

    void polynomialWithoutExactValuesIsNotCopied()
    {
        compute({"0", "1"}, {"nan", "1"});
        QApplication::clipboard()->setText("unchanged");
        const QString message = answered([&] { item("EditPolynomKopieren").trigger(); });
        QVERIFY2(message.startsWith("Das Polynom hat keine exakten Koeffizienten"),
                 qPrintable(message));
        QCOMPARE(QApplication::clipboard()->text(), QString("unchanged"));
    }

private:
    static constexpr const char* kPasted = "sstellen=3; xF0=1; yF0=2; xF1=3; yF1=4; xF2=5; yF2=6";

    QAction& item(const char* name) const { return MenuBar1::instance().Child(name)->Action(); }

    // The copied text: each part's title, its heading, its rows "cell|cell; cell|cell"; after a
    // line that says so where the results are stale.
    static QStringList sheet(bool stale, const QString& points, const QString& values,
                             const QString& powers)
    {
        const QString parts[][3] = {
            {"Stützstellen", "x|y", points},
            {"Funktionswerte", "Argument|Wert, berechnet|Wert, exakt|Hinweis", values},
            {"Koeffizienten", "Potenz|Koeffizient, berechnet|Koeffizient, exakt|Hinweis", powers}};
        QStringList lines;
        if (stale)
            lines << "Veraltet: Die Eingaben wurden seit der Berechnung geändert.";
        for (const auto& [title, heading, rows] : parts) {
            if (!lines.isEmpty())
                lines << "";
            lines << title << QString(heading).replace('|', '	');
            for (const QString& row : rows.split("; "))
                lines << QString(row).replace('|', '	');
        }
        return lines;
    }
    // The rows of the powers from `first` to 9, computed as 0, then `rest`.
    static QString hiddenPowers(int first, const QString& rest)
    {
        QStringList rows;
        for (int k = first; k < 10; ++k)
            rows << QString::number(k) + "|0|" + rest;
        return rows.join("; ");
    }

    // Keys of a menu item, in the window, active again after any message box.
    void press(const char* keys)
    {
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keySequence(window, QKeySequence(keys));
    }

    EditLine& focus(const QString& name) { return form_test::focus(*window, name); }
    void compute(const QStringList& xs, const QStringList& ys, const QStringList& arguments = {})
    {
        form_test::compute(*window, xs, ys, arguments);
    }
    void setBaseline() { form_test::setBaseline(*window); }
    QString changesFromBaseline() const { return form_test::changesFromBaseline(*window); }

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
