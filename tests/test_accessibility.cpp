// The form as assistive technology and the keyboard reach it: every control announces what it
// holds, Tab walks the fields in the order they stand in the form, the buttons, which take
// no keyboard focus, can be pressed through their accessible action, and a compute announces
// its results without taking the focus.

#include "app/InfoF.h"
#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/SpokenNumber.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Every named control of a window, in the order the window built them.
QList<QWidget*> controlsInBuildOrder(const Window& window)
{
    QList<QWidget*> controls;
    for (QWidget* child : window.ContentArea().findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_"))
            controls << child;
    }
    return controls;
}

QString accessibleText(QWidget* control, QAccessible::Text which)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(which) : QString();
}

// The text of the window's showing notification, empty while there is none.
QString announcement(const Window& window)
{
    for (QWidget* child : window.findChildren<QWidget*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child);
        if (face && face->role() == QAccessible::Notification && !face->state().invisible)
            return face->text(QAccessible::Name);
    }
    return QString();
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT
    HauptFenster& window = HauptFenster::instance();

private slots:
    void initTestCase() { QVERIFY(QTest::qWaitForWindowExposed(&window)); }

    void everyControlSaysWhatItHolds()
    {
        for (const Window* shown :
             std::initializer_list<const Window*>{&window, &InfoF::instance()}) {
            const QList<QWidget*> controls = controlsInBuildOrder(*shown);
            QCOMPARE(controls.size(), shown == &window ? 75 : 2);
            for (QWidget* control : controls) {
                for (QAccessible::Text which : {QAccessible::Name, QAccessible::Description}) {
                    const QString text = accessibleText(control, which);
                    QVERIFY2(!text.isEmpty(), qPrintable(control->objectName()));
                    // Spelt-out umlauts are read out letter by letter.
                    static const QRegularExpression spelledOut("Stuetz|Ueber|Rueck|Schliess");
                    QVERIFY2(!text.contains(spelledOut), qPrintable(text));
                }
            }
        }
        QCOMPARE(accessibleText(&window.Control("xF3"), QAccessible::Name),
                 QString("Stützstelle 4, x-Wert"));
        QCOMPARE(accessibleText(&window.Control("yF31"), QAccessible::Name),
                 QString("Funktionswert an Argument 4"));
        QCOMPARE(accessibleText(&window.Control("KF2"), QAccessible::Name),
                 QString("Koeffizient von x hoch 2"));
    }

    void fieldNamesTellTheFieldsApart()
    {
        QSet<QString> names;
        for (QLineEdit* field : window.ContentArea().findChildren<QLineEdit*>()) {
            const QString name = accessibleText(field, QAccessible::Name);
            QVERIFY2(!names.contains(name), qPrintable(name + " is announced for two fields"));
            names << name;
        }
        QCOMPARE(names.size(), 51);
    }

    void tabWalksTheFieldsInReadingOrder()
    {
        window.SetText("sstellen", "10"); // every support-point row shows
        QList<QWidget*> expected = controlsInBuildOrder(window);
        expected.removeIf(
            [](QWidget* control) { return !(control->focusPolicy() & Qt::TabFocus); });
        QCOMPARE(expected.size(), 51); // the fields; buttons and labels take no focus
        // The coefficients are built x^3..x^9, x^0..x^2, and read x^0..x^9.
        const qsizetype firstCoefficient = expected.indexOf(&window.Control("KF3"));
        std::sort(expected.begin() + firstCoefficient, expected.end(),
                  [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        expected.first()->setFocus(Qt::TabFocusReason);
        for (qsizetype k = 1; k < expected.size(); ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected[k]->objectName());
        }
    }

    void buttonsArePressedThroughTheirAction()
    {
        for (const char* name : {"BevelButton1", "BevelButton2", "BevelButton3"}) {
            QAccessibleInterface* face =
                QAccessible::queryAccessibleInterface(&window.Control(name));
            QVERIFY(face && face->actionInterface());
            QVERIFY2(face->actionInterface()->actionNames().contains(
                         QAccessibleActionInterface::pressAction()),
                     name);
        }

        const char* texts[][2] = {{"sstellen", "3"}, {"xF0", "1"}, {"yF0", "2"},  {"xF1", "2"},
                                  {"yF1", "5"},      {"xF2", "3"}, {"yF2", "10"}, {"xF11", "4"}};
        for (const auto& [field, text] : texts)
            window.SetText(field, text);
        QAccessible::queryAccessibleInterface(&window.Control("BevelButton1"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        // The toolkit presses the button as a click would animate it: a moment later.
        QTRY_COMPARE(window.Text("yF11"), QString("17"));
        QCOMPARE(window.Text("KF2"), QString("1"));
    }

    void computeAnnouncesValueAtZeroAndDegree_data()
    {
        QTest::addColumn<QString>("points"); // x y x y ...
        QTest::addColumn<QString>("heard");  // %1: the value at 0 as its field paints it
        QTest::newRow("a parabola: 1 at 0, degree 2")
            << "1 2 2 5 3 10"
            << "Wert an der Stelle 0: 1. Grad des Polynoms: 2.";
        QTest::newRow("a line through 0: degree 1")
            << "1 1 2 2"
            << "Wert an der Stelle 0: 0. Grad des Polynoms: 1.";
        QTest::newRow("a constant with decimals: spoken with a comma, degree 0")
            << "1 2.5 2 2.5 3 2.5"
            << "Wert an der Stelle 0: 2,5. Grad des Polynoms: 0.";
        QTest::newRow("seven years on a line: the degree of marked coefficients and the exact one")
            << "2000 100 2001 102.5 2002 105 2003 107.5 2004 110 2005 112.5 2006 115"
            << "Wert an der Stelle 0: 47104, ungenau. Grad des Polynoms: 4, ungenau; exakt: 1.";
        QTest::newRow("4/3, too wide for its field: spoken as painted")
            << "1 1 4 0"
            << "Wert an der Stelle 0: %1. Grad des Polynoms: 1.";
    }
    void computeAnnouncesValueAtZeroAndDegree()
    {
        QFETCH(QString, points);
        QFETCH(QString, heard);
        const QStringList numbers = points.split(u' ');
        window.SetText("sstellen", QString::number(numbers.size() / 2));
        for (qsizetype k = 0; k < numbers.size(); ++k)
            window.SetText(QStringLiteral("%1F%2").arg(k % 2 ? 'y' : 'x').arg(k / 2), numbers[k]);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget& typedIn = window.Control("yF0");
        typedIn.setFocus();
        QTest::keyClick(&typedIn, Qt::Key_Return);

        if (heard.contains("%1")) {
            const QString painted =
                static_cast<FittedNumberField&>(window.Control("yF01")).ShownText();
            QVERIFY2(painted != window.Text("yF01"), qPrintable(painted));
            heard = heard.arg(SpokenNumber(painted));
        }
        QTRY_VERIFY2(announcement(window).startsWith("Ergebnisse berechnet. " + heard),
                     qPrintable(announcement(window)));
        QCOMPARE(QApplication::focusWidget(), &typedIn);
    }

    // What a screen reader reads of a field's text: the whole of it as one run, numbers with a
    // decimal comma and a spoken exponent minus, every offset that of the text.
    void fieldTextForTheEar_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("heard");
        QTest::newRow("one character, whole") << "7"
                                              << "7";
        QTest::newRow("a decimal point is heard as a comma") << "0.1640625"
                                                             << "0,1640625";
        QTest::newRow("an exponent keeps its minus") << "3.0518e-05"
                                                     << "3,0518e\u2212"
                                                        "05";
        QTest::newRow("a leading minus and typed words stay") << "-4900 kg."
                                                              << "-4900 kg.";
    }
    void fieldTextForTheEar()
    {
        QFETCH(QString, text);
        QFETCH(QString, heard);
        window.SetText("yF21", text);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&window.Control("yF21"));
        QAccessibleTextInterface* reading = face->textInterface();
        QVERIFY(reading);
        QCOMPARE(reading->text(0, reading->characterCount()), heard);
        QCOMPARE(face->text(QAccessible::Value), heard);
        int start = -1;
        int end = -1;
        reading->attributes(int(text.size()) - 1, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, int(text.size())));
        QCOMPARE(window.Text("yF21"), text);
    }

    // What a screen reader is told of a field's selection: only while the field has the focus,
    // and a whole selection kept where the program writes into it. (That the field's leaving
    // and the program's writing are not heard as news, the end-to-end test with Orca hears.)
    void selectionForTheEar_data()
    {
        QTest::addColumn<QString>("step"); // after Tab into yF21, holding "17"
        QTest::addColumn<QString>("reported");
        QTest::newRow("Tab selects the whole text") << ""
                                                    << "17";
        QTest::newRow("a field left by Tab reports no selection") << "tab away"
                                                                  << "";
        QTest::newRow("the same text written again keeps the selection") << "write 17"
                                                                         << "17";
        QTest::newRow("a new text in the focused field is selected whole") << "write 18.5"
                                                                           << "18,5";
    }
    void selectionForTheEar()
    {
        QFETCH(QString, step);
        QFETCH(QString, reported);
        window.SetText("yF21", "17");
        window.Control("xF21").setFocus();
        QTest::keyClick(&window.Control("xF21"), Qt::Key_Tab);
        auto& field = static_cast<QLineEdit&>(window.Control("yF21"));
        QTRY_COMPARE(field.selectedText(), QString("17"));
        if (step == "tab away")
            QTest::keyClick(&field, Qt::Key_Tab);
        else if (step.startsWith("write"))
            window.SetText("yF21", step.section(' ', -1));

        int start = -1;
        int end = -1;
        QAccessibleTextInterface* reading =
            QAccessible::queryAccessibleInterface(&field)->textInterface();
        reading->selection(0, &start, &end);
        QCOMPARE(reading->text(start, end), reported);
        QCOMPARE(reading->selectionCount(), reported.isEmpty() ? 0 : 1);
        QVERIFY(field.hasFocus() || !field.hasSelectedText());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
