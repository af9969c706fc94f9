// What the fields tell beside their texts: the start of a text too wide for its field, inputs
// that were not read as they stand, and results that no longer belong to the inputs.

#include "framework/EditLine.h"
#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QtTest>

namespace {

EditLine& field(HauptFenster& window, const QString& name)
{
    return dynamic_cast<EditLine&>(window.Control(name));
}

void type(HauptFenster& window, const QString& name, const QString& text)
{
    window.SetText(name, QString());
    window.Control(name).setFocus();
    QTest::keyClicks(&window.Control(name), text);
}

// Three points on x^2 + 1 and the argument 4: every field read as it stands.
void computeParabola(HauptFenster& window)
{
    const QStringList texts{"3", "1", "2", "2", "5", "3", "10", "4"};
    const char* names[] = {"sstellen", "xF0", "yF0", "xF1", "yF1", "xF2", "yF2", "xF11"};
    for (int k = 0; k < 8; ++k)
        type(window, names[k], texts[k]);
    for (int i = 2; i < 10; ++i)
        window.SetText(kArgumentRows[i].argument, QString());
    QTest::mouseClick(&window.Control("BevelButton1"), Qt::LeftButton);
}

} // namespace

class FieldStatesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        window = &HauptFenster::instance();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void fieldsShowTheirStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start"); // what the field shows before "…"
        QTest::newRow("an abscissa keeps its sign and leading digits") << "xF0"
                                                                       << "-1234.5678"
                                                                       << "-12";
        QTest::newRow("an ordinate likewise") << "yF0"
                                              << "-98765.4321"
                                              << "-98";
        QTest::newRow("a small number keeps its leading zeros") << "yF1"
                                                                << "-0.0012345"
                                                                << "-0.0";
        QTest::newRow("a value field holding typed text") << "yF11"
                                                          << "12345678901234567890x"
                                                          << "1234";
    }
    void fieldsShowTheirStart()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, start);
        type(*window, name, text); // typing leaves the cursor, and Qt's view, at the end
        window->Control("xF91").setFocus();
        const QString painted = field(*window, name).PaintedText();
        QVERIFY2(painted.startsWith(start) && painted.endsWith(u'\u2026'), qPrintable(painted));
        QCOMPARE(field(*window, name).text(), text);
    }

    void tabIntoAResultShowsItsStart()
    {
        window->SetText("sstellen", "10");
        for (int k = 0; k < 10; ++k) {
            window->SetText(kSupportRows[k].abscissa, QString::number(k + 1));
            window->SetText(kSupportRows[k].ordinate, QString::number((k * 7) % 5));
        }
        QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton);
        QLineEdit& coefficient = field(*window, "KF1");
        QVERIFY(coefficient.text().size() > 12);
        window->Control("yF91").setFocus();
        QTest::keyClick(&window->Control("yF91"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &window->Control("KF0"));
        QTest::keyClick(&window->Control("KF0"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &coefficient);
        QTRY_COMPARE(coefficient.selectedText(), coefficient.text());
        QCOMPARE(coefficient.cursorPosition(), 0);
    }

    void inputsAsRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readAs"); // empty: not marked
        QTest::newRow("a word computes as 0") << "yF1"
                                              << "abc"
                                              << "Gelesen als 0";
        QTest::newRow("a unit after the number is left out") << "yF1"
                                                             << "1,5 kg"
                                                             << "Gelesen als 1.5";
        QTest::newRow("an empty ordinate in use computes as 0") << "yF2"
                                                                << ""
                                                                << "Gelesen als 0";
        QTest::newRow("a decimal comma is read whole") << "yF1"
                                                       << "2,5"
                                                       << "";
        QTest::newRow("blanks around a number are read whole") << "xF1"
                                                               << " 2 "
                                                               << "";
        QTest::newRow("a point beyond the count is not read") << "yF5"
                                                              << "abc"
                                                              << "";
        QTest::newRow("an argument read in part") << "xF21"
                                                  << "7x"
                                                  << "Gelesen als 7";
        QTest::newRow("an empty argument is no argument") << "xF21"
                                                          << ""
                                                          << "";
    }
    void inputsAsRead()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, readAs);
        computeParabola(*window);
        window->SetText(name, text);
        QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton);

        EditLine& input = field(*window, name);
        QCOMPARE(input.IsMarked(), !readAs.isEmpty());
        QCOMPARE(input.toolTip(), readAs);
        QCOMPARE(input.accessibleDescription().contains(QString(readAs).replace(u'.', u',')), true);
        // Editing the field drops the mark: it spoke of the text before.
        type(*window, name, "1");
        QVERIFY(!input.IsMarked());
        QVERIFY(input.toolTip().isEmpty());
    }

    void anEditedValueDropsItsCheck()
    {
        computeParabola(*window);
        auto& value = dynamic_cast<FittedNumberField&>(window->Control("yF11"));
        QVERIFY(value.Reference());
        type(*window, "yF11", "18");
        QVERIFY(!value.Reference());
        QVERIFY(!value.toolTip().contains("Exakt"));
        QVERIFY(!value.accessibleDescription().contains("Angezeigt: 17"));
    }

    void undoBringsTheCheckBack_data()
    {
        QTest::addColumn<QStringList>("points"); // count, then x and y of each point
        QTest::addColumn<QString>("name");
        QTest::newRow("a right value gets its exact value again")
            << QStringList{"3", "1", "2", "2", "5", "3", "10"} << "yF11";
        QTest::newRow("a marked value gets its mark again")
            << QStringList{"2", "7", "1e-8", "9", "1e-8"} << "yF01";
    }
    void undoBringsTheCheckBack()
    {
        QFETCH(QStringList, points);
        QFETCH(QString, name);
        computeParabola(*window);
        const char* names[] = {"sstellen", "xF0", "yF0", "xF1", "yF1", "xF2", "yF2"};
        for (int k = 0; k < points.size(); ++k)
            window->SetText(names[k], points[k]);
        QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton);
        auto& value = dynamic_cast<FittedNumberField&>(window->Control(name));
        const QString computed = value.text();
        const QString tooltip = value.toolTip();
        const QString description = value.accessibleDescription();
        const bool marked = value.IsMarked();

        value.setFocus();
        value.selectAll();
        QTest::keyClicks(&value, "18");
        QVERIFY(!value.Reference());
        while (value.text() != computed && value.isUndoAvailable())
            QTest::keyClick(&value, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(value.text(), computed);
        QVERIFY(value.Reference());
        QCOMPARE(value.toolTip(), tooltip);
        QCOMPARE(value.accessibleDescription(), description);
        QCOMPARE(value.IsMarked(), marked);
    }

    void staleResults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stale");
        QTest::newRow("the count") << "sstellen" << true;
        QTest::newRow("a support point in use") << "yF2" << true;
        QTest::newRow("an argument") << "xF51" << true;
        QTest::newRow("a support point beyond the count") << "xF5" << false;
        QTest::newRow("a value field") << "yF31" << false;
    }
    void staleResults()
    {
        QFETCH(QString, name);
        QFETCH(bool, stale);
        computeParabola(*window);
        const QString value = window->Text("yF11");
        type(*window, name, "7");

        for (const char* result : {"yF01", "yF11", "KF0", "KF2"}) {
            EditLine& shown = field(*window, result);
            QCOMPARE(shown.IsStale(), stale);
            QCOMPARE(shown.toolTip().startsWith("Veraltet"), stale);
            QCOMPARE(shown.accessibleDescription().startsWith("Veraltet"), stale);
        }
        QCOMPARE(window->Text("yF11"), value); // the texts stay as they are
        // An empty result holds nothing stale; why the results are stale is said once, as
        // they turn stale, not by every field and not at every further key.
        QVERIFY(!field(*window, "yF91").accessibleDescription().contains("Veraltet"));
        const QPointer<QWidget> news = staleNews(*window);
        QCOMPARE(bool(news), stale);
        type(*window, name, "8");
        QCOMPARE(staleNews(*window), news.data());

        QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton);
        QVERIFY(!field(*window, "yF01").IsStale());
    }

private:
    // The window's announcement that its results turned stale, if it made one.
    static QWidget* staleNews(const HauptFenster& window)
    {
        for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child);
            if (face && face->role() == QAccessible::Notification &&
                face->text(QAccessible::Name).startsWith("Ergebnisse veraltet"))
                return child;
        }
        return nullptr;
    }

    HauptFenster* window = nullptr;
};

QTEST_MAIN(FieldStatesTest)
#include "test_field_states.moc"
