// The graph by keyboard and by ear, as a screen reader user meets it: the cursor's keys and
// what each move says, "Wert an der Stelle", a change of view said once it settles, the context
// menu by key and in "Ansicht", and the shape in the description. All on p(x) = x^2 - 1 through
// (-1, 0), (0, -1), (1, 0), (2, 3), with the argument 0.5 or 0.123456789.

#include "app/GraphExplorer.h"
#include "app/GraphF.h"
#include "app/MenuBar1.h"
#include "framework/EditLine.h"
#include "framework/FittedNumberField.h"
#include "framework/GraphCursor.h"
#include "framework/GraphView.h"
#include "framework/Menu.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

namespace {

HauptFenster& mainWindow()
{
    return HauptFenster::instance();
}

void type(const char* field, const QString& text)
{
    mainWindow().SetText(field, QString());
    QTest::keyClicks(&mainWindow().Control(field), text);
}

void computeParabola(const QString& argument)
{
    const QStringList xs{"-1", "0", "1", "2"};
    const QStringList ys{"0", "-1", "0", "3"};
    type("sstellen", "4");
    for (int k = 0; k < 4; ++k) {
        type(kSupportRows[k].abscissa, xs[k]);
        type(kSupportRows[k].ordinate, ys[k]);
    }
    type(kArgumentRows[1].argument, argument);
    QTest::mouseClick(&mainWindow().Control("BevelButton1"), Qt::LeftButton);
}

GraphF& graphWindow()
{
    return GraphF::instance();
}

GraphView& openGraph()
{
    MenuBar1::instance().Child("AnsichtGraph")->Action().trigger();
    auto& view = dynamic_cast<GraphView&>(graphWindow().Control("GraphView"));
    QApplication::setActiveWindow(&graphWindow());
    view.setFocus();
    // The shape is worked out beside the window; a few milliseconds for this parabola.
    const GraphExplorer* explorer = graphWindow().findChild<GraphExplorer*>();
    if (!QTest::qWaitFor([explorer] { return !explorer->ShapePending(); }, 10000))
        QTest::qFail("the shape of the curve was not found within 10 s", __FILE__, __LINE__);
    return view;
}

// The text of the window's showing notification, empty while there is none.
QString announcement(const QWidget& window)
{
    for (QWidget* child : window.findChildren<QWidget*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child);
        if (face && face->role() == QAccessible::Notification && !face->state().invisible)
            return face->text(QAccessible::Name);
    }
    return QString();
}

// "N", "Shift+N", ".", ",", "click" in the middle, or "edit": an input of the main window
// changes, so that the graph is stale.
void press(GraphView& view, const QString& key)
{
    if (key == "edit") {
        type(kSupportRows[0].ordinate, "0"); // typed anew, the same value
        return;
    }
    if (key == "click") {
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() / 2, view.height() / 2));
        return;
    }
    const QKeyCombination combination = QKeySequence(key)[0];
    QTest::keyClick(&view, combination.key(), combination.keyboardModifiers());
}

} // namespace

class GraphKeyboardTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { mainWindow(); }

    void eachMoveOfTheCursorSaysWhereItStands_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<double>("span"); // of the view, about the default view's middle; 0: as is
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("heard"); // {yF11}: what the value field of the argument shows

        QTest::newRow("N goes to the first zero from the left") << "0.5" << 0.0 << "N"
                                                                << "Nullstelle: x = −1; p(x) = 0";
        QTest::newRow("N again goes to the next zero") << "0.5" << 0.0 << "N N"
                                                       << "Nullstelle: x = 1; p(x) = 0";
        QTest::newRow("past the last zero N says there is none further")
            << "0.5" << 0.0 << "N N N"
            << "Keine weitere Nullstelle rechts.";
        QTest::newRow("Shift+N without a cursor goes to the last zero")
            << "0.5" << 0.0 << "Shift+N"
            << "Nullstelle: x = 1; p(x) = 0";
        QTest::newRow("E goes to the minimum") << "0.5" << 0.0 << "E"
                                               << "Tiefpunkt: x = 0; p(x) = −1";
        QTest::newRow("S twice goes to the second support point")
            << "0.5" << 0.0 << "S S"
            << "Stützstelle 2: x = 0; p(x) = −1";
        QTest::newRow("W twice goes to the second argument") << "0.5" << 0.0 << "W W"
                                                             << "Argument 2: x = 0,5; p(x) = −0,75";
        QTest::newRow("p(x) has the digits that its value field shows")
            << "0.123456789" << 0.0 << "W W"
            << "Argument 2: x = 0,123456789; p(x) = {yF11}";
        QTest::newRow("a period steps right by a tenth in the first view")
            << "0.5" << 0.0 << "N ."
            << "x = −0,9; p(x) = −0,19";
        QTest::newRow("a comma steps left, onto the minimum, which is said")
            << "0.5" << 0.0 << "W W , , , , ,"
            << "x = 0; p(x) = −1; hier: Tiefpunkt (0 | −1)";
        QTest::newRow("a step of 2 in a wide view passes the zero at 1")
            << "0.5" << 80.0 << "W W ."
            << "x = 2; p(x) = 3; dazwischen: Nullstelle bei 1";
        QTest::newRow("a step follows the zoom: 0.02 in a view 0.5 wide")
            << "0.5" << 0.5 << "W W ."
            << "x = 0,52; p(x) = −0,7296";
        QTest::newRow("a jump out of a narrow view takes the view along")
            << "0.5" << 0.5 << "N"
            << "Nullstelle: x = −1; p(x) = 0";
        QTest::newRow("a click puts the cursor there, on a round x") << "0.5" << 4.0 << "click"
                                                                     << "x = 0,5; p(x) = −0,75";
        QTest::newRow("space says it again") << "0.5" << 0.0 << "E Space"
                                             << "Tiefpunkt: x = 0; p(x) = −1";
        QTest::newRow("on a stale graph each move says so")
            << "0.5" << 0.0 << "edit N"
            << "Nullstelle: x = −1; p(x) = 0; veraltet";
    }
    void eachMoveOfTheCursorSaysWhereItStands()
    {
        QFETCH(QString, argument);
        QFETCH(double, span);
        QFETCH(QString, keys);
        QFETCH(QString, heard);
        computeParabola(argument);
        GraphView& view = openGraph();
        GraphView::View shown = view.DefaultView();
        if (span > 0) {
            const double middle = shown.xMin / 2 + shown.xMax / 2;
            shown.xMin = middle - span / 2;
            shown.xMax = middle + span / 2;
        }
        view.SetView(shown);
        const QString valueField =
            dynamic_cast<FittedNumberField&>(mainWindow().Control("yF11")).PaintedText();
        heard.replace("{yF11}", QString(valueField).replace('.', ',').replace('-', u'\u2212'));
        for (const QString& key : keys.split(' '))
            press(view, key);
        QTRY_COMPARE(announcement(graphWindow()), heard);
        QCOMPARE(graphWindow().Text("GraphReadout"), heard);
        // The cursor stands in the view, and so does its point of the curve.
        GraphCursor& cursor = graphWindow().findChild<GraphExplorer*>()->Cursor();
        if (cursor.Position()) {
            const GraphView::View now = view.CurrentView();
            QVERIFY(*cursor.Position() >= now.xMin && *cursor.Position() <= now.xMax);
        }
    }

    void wertAnDerStelleIsExactAndSaid_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("value"); // the text of GraphValue
        QTest::addColumn<QString>("heard");
        QTest::newRow("2.2 gives exactly 3.84") << "2.2"
                                                << "3.84"
                                                << "p(2,2) = 3,84.";
        QTest::newRow("a comma is read as the point") << "-0,1"
                                                      << "-0.99"
                                                      << "p(−0,1) = −0,99.";
        QTest::newRow("beyond the doubles: the exact value, and what a double makes of it")
            << "1e200"
            << "inf"
            << "p(1 mal 10 hoch 200) = etwa 9,9999999999999999999 mal 10 hoch 399; als "
               "Gleitkommazahl: inf.";
        QTest::newRow("nothing typed asks for a number") << ""
                                                         << ""
                                                         << "Erst eine Zahl für x eingeben.";
    }
    void wertAnDerStelleIsExactAndSaid()
    {
        QFETCH(QString, x);
        QFETCH(QString, value);
        QFETCH(QString, heard);
        computeParabola("0.5");
        openGraph();
        auto& field = dynamic_cast<EditLine&>(graphWindow().Control("GraphX"));
        field.setFocus();
        field.clear();
        QTest::keyClicks(&field, x);
        QTest::keyClick(&field, Qt::Key_Return);
        QTRY_COMPARE(announcement(graphWindow()), heard);
        QCOMPARE(graphWindow().Text("GraphValue"), value);
    }

    void aChangeOfViewIsSaidOnceItSettles()
    {
        computeParabola("0.5");
        GraphView& view = openGraph();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&view, Qt::Key_Plus);
        QTRY_VERIFY(announcement(graphWindow()).startsWith("Ansicht: x von "));
        const QString said = announcement(graphWindow());
        const GraphView::View now = view.CurrentView();
        QVERIFY2(said.contains(QString::number(now.xMax, 'g', 5).replace('.', ',')),
                 qPrintable(said));
        // Said once: no second notification follows for the same view.
        QTest::qWait(1200);
        QCOMPARE(announcement(graphWindow()), said);
    }

    void theContextMenuOpensByKeyAndItsCommandsStandInAnsicht_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("the Menu key") << "Menu";
        QTest::newRow("Shift+F10") << "Shift+F10";
    }
    void theContextMenuOpensByKeyAndItsCommandsStandInAnsicht()
    {
        QFETCH(QString, key);
        computeParabola("0.5");
        GraphView& view = openGraph();
        // The menu runs a loop of its own: it is read and closed from within.
        QList<QAction*> shown;
        QAction* chosen = nullptr;
        QTimer reader;
        connect(&reader, &QTimer::timeout, [&shown, &chosen] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (popup && popup->activeAction()) {
                shown = popup->actions();
                chosen = popup->activeAction();
                popup->close();
            }
        });
        reader.start(20);
        press(view, key);
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(shown, view.actions());
        // Opened by key, its first command is chosen, so that a screen reader says it.
        QCOMPARE(chosen, view.actions().first());

        // The same commands in the window's menu "Ansicht".
        QMenu* ansicht = nullptr;
        for (QAction* item : graphWindow().menuBar()->actions()) {
            if (item->menu() && item->text() == "&Ansicht")
                ansicht = item->menu();
        }
        QVERIFY(ansicht);
        emit ansicht->aboutToShow();
        QCOMPARE(ansicht->actions(), view.actions());
    }

    void theDescriptionGivesTheShapeAndTheKeys()
    {
        computeParabola(""); // 0 is the one argument
        GraphView& view = openGraph();
        const QString description = view.accessibleDescription();
        QVERIFY2(description.contains("mit 1 Argument;"), qPrintable(description));
        QVERIFY2(description.contains("Verlauf: Nullstellen bei −1 und 1; Tiefpunkt (0 | −1); "
                                      "fällt bis 0, steigt danach."),
                 qPrintable(description));
        QVERIFY(graphWindow().accessibleDescription().contains("Komma und Punkt"));
    }
};

QTEST_MAIN(GraphKeyboardTest)
#include "test_graph_keyboard.moc"
