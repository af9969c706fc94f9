// The worked solution: textbook cases through the real form, the copies against exact values
// of the test's own (tests/exact/worked_reference.py, Python's fractions), and the window
// "Rechenweg" as a person and a screen reader meet it.

#include "app/MenuBar1.h"
#include "app/RechenwegF.h"
#include "app/WorkedCopies.h"
#include "app/WorkedScreen.h"
#include "calc/ComputeRecord.h"
#include "calc/WorkedSolution.h"
#include "framework/NumberText.h"
#include "framework/RichTextView.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QProcess>
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

// Ten equally spaced points of 1/(1+25x^2) on [-1, 1], as Str writes them.
QStringList rungeXs()
{
    QStringList xs;
    for (int k = 0; k < 10; ++k)
        xs << Str(-1.0 + 2.0 * k / 9.0);
    return xs;
}
QStringList rungeYs()
{
    QStringList ys;
    for (const QString& x : rungeXs())
        ys << Str(1.0 / (1.0 + 25.0 * Val(x) * Val(x)));
    return ys;
}

QStringList years()
{
    return {"2000", "2001", "2002", "2003", "2004", "2005", "2006"};
}

// Types the points and arguments, presses "Berechnen" and works the solution out.
WorkedSolution compute(const QStringList& xs, const QStringList& ys,
                       const QStringList& arguments = {})
{
    type("sstellen", QString::number(xs.size()));
    for (int k = 0; k < xs.size(); ++k) {
        type(kSupportRows[k].abscissa, xs[k]);
        type(kSupportRows[k].ordinate, ys[k]);
    }
    for (int i = 1; i < 10; ++i)
        type(kArgumentRows[i].argument, arguments.value(i - 1));
    QTest::mouseClick(&mainWindow().Control("BevelButton1"), Qt::LeftButton);
    return WorkOut(*mainWindow().LastCompute());
}

RichTextView& openWindow()
{
    MenuBar1::instance().Child("AnsichtRechenweg")->Action().trigger();
    return dynamic_cast<RichTextView&>(RechenwegF::instance().Control("RechenwegText"));
}

QString heard(RichTextView& view)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    return accessible->textInterface()->text(0, accessible->textInterface()->characterCount());
}

} // namespace

class WorkedSolutionTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { mainWindow(); }

    // The window from its first opening on: the hint, the solution after a compute, read as a
    // screen reader reads it, stale after an edit, and its copies.
    void windowFollowsTheResultsAndCopies()
    {
        for (QWidget* widget : QApplication::allWidgets())
            QVERIFY2(!qobject_cast<RechenwegF*>(widget),
                     "the Rechenweg exists before it was asked for");
        RichTextView& view = openWindow();
        RechenwegF& window = RechenwegF::instance();
        QCOMPARE(window.windowTitle(), QStringLiteral("Rechenweg"));
        QCOMPARE(view.accessibleName(), QStringLiteral("Rechenweg"));
        QVERIFY(view.isReadOnly());
        QCOMPARE(view.focusPolicy(), Qt::StrongFocus);
        QVERIFY(view.toPlainText().startsWith(QStringLiteral("Noch nichts berechnet")));

        compute({"0", "1", "2"}, {"1", "3", "2"}, {"0.5"});
        const QString spoken = heard(view);
        QVERIFY2(spoken.contains(QStringLiteral("p von x gleich 1 plus 7 durch 2 mal x minus "
                                                "3 durch 2 mal x hoch 2")),
                 qPrintable(spoken));
        // The scheme is read cell by cell under its headings, its diagonal named as such.
        QVERIFY2(spoken.contains(QStringLiteral("dividierte Differenz 2. Ordnung: Diagonale, c 2 "
                                                "gleich minus 3 durch 2")),
                 qPrintable(spoken));
        QVERIFY(spoken.contains(QStringLiteral("dividierte Differenz 1. Ordnung: minus 1")));

        // The window's commands copy the whole; Ctrl+C copies a selection, fractions as a/b.
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), WorkedSolutionText(*window.Shown()));
        QTest::keyClick(&view, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), WorkedSolutionLatex(*window.Shown()));
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QVERIFY2(QApplication::clipboard()->text().contains(
                     QStringLiteral("p(x) = 1 + 7/2*x - 3/2*x^2")),
                 qPrintable(QApplication::clipboard()->text()));

        // An edit makes it stale, in words and in colour; the next compute makes it current.
        const QColor current = view.palette().color(QPalette::Text);
        type(kSupportRows[1].ordinate, "4");
        QVERIFY(view.toPlainText().startsWith(QStringLiteral("⚠ Veraltet")));
        QVERIFY(heard(view).startsWith(QStringLiteral("Veraltet")));
        QVERIFY(view.palette().color(QPalette::Text) != current);
        compute({"0", "1", "2"}, {"1", "4", "2"});
        QVERIFY(!view.toPlainText().contains(QStringLiteral("Veraltet")));
        QCOMPARE(view.palette().color(QPalette::Text), current);

        // A number of more than 60 digits is shortened on screen, whole in its tooltip.
        compute({QString(70, u'7'), "1"}, {"1", "2"});
        QVERIFY(
            view.toPlainText().contains(QStringLiteral("777777777777…(70 Ziffern)…777777777777")));
        QVERIFY(!view.toPlainText().contains(QString(61, u'7')));

        // Points of a thousand digits are worked out on another thread: a note first, then the
        // steps, while the window goes on handling events.
        for (int k = 0; k < 3; ++k) {
            const QChar digit(u'1' + k);
            mainWindow().SetText(kSupportRows[k].abscissa, digit + u'.' + QString(999, digit));
            mainWindow().SetText(kSupportRows[k].ordinate,
                                 QStringLiteral("0.") + QString(999, digit));
        }
        mainWindow().SetText("sstellen", "3");
        QTest::mouseClick(&mainWindow().Control("BevelButton1"), Qt::LeftButton);
        QVERIFY(view.toPlainText().startsWith(QStringLiteral("Der Rechenweg wird ausgerechnet")));
        QTRY_VERIFY_WITH_TIMEOUT(window.Shown() != nullptr, 60000);
        QVERIFY(view.toPlainText().contains(QStringLiteral("Lagrange")));
        QCOMPARE(window.Shown()->coefficients.size(), size_t(3));

        // Escape hides it; the menu shows the same window again.
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(&openWindow(), &view);
    }

    void textbookCases_data()
    {
        QTest::addColumn<QStringList>("xs");
        QTest::addColumn<QStringList>("ys");
        QTest::addColumn<QString>("newton");
        QTest::addColumn<QString>("normal");
        QTest::addColumn<int>("degree");
        QTest::newRow("(0,1), (1,3), (2,2) give c = 1, 2, -3/2 and 1 + 7/2 x - 3/2 x^2")
            << QStringList{"0", "1", "2"} << QStringList{"1", "3", "2"}
            << "p(x) = 1 + 2*x - 3/2*x*(x - 1)"
            << "p(x) = 1 + 7/2*x - 3/2*x^2" << 2;
        QTest::newRow("the years line is -4900 + 5/2 x, its higher differences 0")
            << years() << QStringList{"100", "102.5", "105", "107.5", "110", "112.5", "115"}
            << "p(x) = 100 + 5/2*(x - 2000)"
            << "p(x) = -4900 + 5/2*x" << 1;
        QTest::newRow("a constant is one term in both forms")
            << QStringList{"-1", "0.5", "3"} << QStringList{"5", "5", "5"} << "p(x) = 5"
            << "p(x) = 5" << 0;
        // As typed, the abscissae are not quite symmetric ("-0.7777777777777778" against
        // "0.7777777777777777"): the exact polynomial has degree 9, not 8.
        QTest::newRow("ten Runge points as typed give degree 9")
            << rungeXs() << rungeYs() << QString() << QString() << 9;
    }
    void textbookCases()
    {
        QFETCH(QStringList, xs);
        QFETCH(QStringList, ys);
        QFETCH(QString, newton);
        QFETCH(QString, normal);
        QFETCH(int, degree);
        const WorkedSolution solution = compute(xs, ys);
        QVERIFY(solution.exact);
        QCOMPARE(solution.exactDegree, degree);
        const QStringList lines = WorkedSolutionText(solution).split(u'\n');
        if (!newton.isEmpty()) {
            const qsizetype newtonAt = lines.indexOf(QStringLiteral("Newton"));
            QCOMPARE(lines.indexOf(newton, newtonAt),
                     lines.indexOf(QStringLiteral("Normalform")) - 2);
            const qsizetype normalAt = lines.indexOf(QStringLiteral("Normalform"));
            QCOMPARE(lines.indexOf(normal, normalAt), normalAt + 1);
        }
        // Each diagonal entry of the scheme is Newton's coefficient, the first the first ordinate.
        QCOMPARE(solution.NewtonCoefficient(0).numerator, solution.ys[0].exact->numerator);
        for (int k = 1; k < 10 && degree == 8 && k < int(solution.coefficients.size()); k += 2)
            QVERIFY2(solution.coefficients[size_t(k)].exact->IsZero(),
                     "an odd power of an even set");
    }

    void copiesAgreeWithExactFractions_data()
    {
        QTest::addColumn<QStringList>("xs");
        QTest::addColumn<QStringList>("ys");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("the textbook points, with arguments between them")
            << QStringList{"0", "1", "2"} << QStringList{"1", "3", "2"}
            << QStringList{"0.5", "-1.25", "7"};
        QTest::newRow("the years line, at 2010")
            << years() << QStringList{"100", "102.5", "105", "107.5", "110", "112.5", "115"}
            << QStringList{"2010"};
        QTest::newRow("decimals, negatives and a text read in part")
            << QStringList{"0.1", "-0.25", "1,5 kg", "3e-2"}
            << QStringList{"-1", "2.75", "0", "1e3"} << QStringList{"0.2", "1,5 kg"};
        QTest::newRow("ten Runge points") << rungeXs() << rungeYs() << QStringList{"0.9", "-0.05"};
        QTest::newRow("seventy-digit abscissae, whole in the copies")
            << QStringList{QString(70, u'9'), "1" + QString(69, u'0'), "-3"}
            << QStringList{"1", "2", "3"} << QStringList{"1"};
        // A text read in part goes onto the sheet as text: nothing typed becomes a command.
        QTest::newRow("LaTeX's special characters typed after a number stay text")
            << QStringList{"0", "1 \\input{/etc/passwd} $x$ 50% #1 _a ^b ~c & {"}
            << QStringList{"2", "3"} << QStringList{};
        QTest::newRow("one point is a constant")
            << QStringList{"4"} << QStringList{"-2.5"} << QStringList{"3"};
    }
    void copiesAgreeWithExactFractions()
    {
        QFETCH(QStringList, xs);
        QFETCH(QStringList, ys);
        QFETCH(QStringList, arguments);
        const WorkedSolution solution = compute(xs, ys, arguments);
        const QString text = WorkedSolutionText(solution);
        const QString latex = WorkedSolutionLatex(solution);
        QJsonObject input{{"xs", QJsonArray::fromStringList(xs)},
                          {"ys", QJsonArray::fromStringList(ys)},
                          {"args", QJsonArray::fromStringList(arguments)},
                          {"text", text},
                          {"latex", latex}};
        QProcess check;
        check.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(KURVALO_EXACT_DIR "/worked_reference.py")});
        QVERIFY(check.waitForStarted());
        check.write(QJsonDocument(input).toJson());
        check.closeWriteChannel();
        QVERIFY(check.waitForFinished(60000));
        QVERIFY2(check.exitCode() == 0,
                 qPrintable(QString::fromUtf8(check.readAllStandardError()) + "\n" + text + latex));
        // No step of the copies is shortened, however long its numbers are.
        QVERIFY(!text.contains(QStringLiteral("Ziffern")));
        QVERIFY(!latex.contains(QStringLiteral("Ziffern")));
    }
};

QTEST_MAIN(WorkedSolutionTest)
#include "test_worked_solution.moc"
