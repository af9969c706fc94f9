// The graph window: built on first use, the curve within half a pixel of exact values worked
// out here in GMP rationals (Newton's form, apart from the program's own), the view moved by
// keys, wheel and drag, and the states that follow the main window's results.

#include "app/GraphF.h"
#include "app/MenuBar1.h"
#include "calc/ComputeRecord.h"
#include "framework/AxisTicks.h"
#include "framework/GraphView.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <gmpxx.h>

namespace {

struct PointSet
{
    QStringList xs;
    QStringList ys;
};

// Ten equally spaced points of 1/(1+25x^2) on [-1, 1], as Str writes them.
PointSet runge()
{
    PointSet set;
    for (int k = 0; k < 10; ++k) {
        const double x = -1.0 + 2.0 * k / 9.0;
        set.xs << Str(x);
        set.ys << Str(1.0 / (1.0 + 25.0 * x * x));
    }
    return set;
}

const QHash<QString, PointSet>& pointSets()
{
    static const QHash<QString, PointSet> sets = {
        {"years",
         {{"2000", "2001", "2002", "2003", "2004", "2005", "2006"},
          {"100", "102.5", "105", "107.5", "110", "112.5", "115"}}},
        {"runge", runge()},
        {"near 1e300",
         {{"1e300", "2.5e300", "3e300", "4.5e300", "7e300"},
          {"1e300", "-2e300", "3.5e300", "1e299", "-4e300"}}},
        {"repeated", {{"1", "1"}, {"2", "3"}}},
        {"infinity", {{"1", "2", "3"}, {"inf", "3", "1"}}},
        {"decades",
         {{"1930", "1940", "1950", "1960", "1970", "1980", "1990", "2000", "2010", "2020"},
          {"59.7", "60.9", "65.6", "69.7", "70.8", "73.7", "75.4", "76.8", "78.7", "77"}}},
        {"1e307 up and down", {{"0", "1", "2"}, {"1e307", "-1e307", "1e307"}}},
        {"1e308 up and down", {{"0", "1", "2"}, {"1e308", "-1e308", "1e308"}}},
        {"the largest doubles",
         {{"-1.7976931348623157e308", "0", "1.7976931348623157e308"},
          {"1.7976931348623157e308", "-1.7976931348623157e308", "1.7976931348623157e308"}}},
        {"nan typed", {{"1", "nan"}, {"2", "3"}}},
        {"below a double's range", {{"1", "2"}, {"2", "1e-999999999"}}},
    };
    return sets;
}

mpq_class exactOf(const QString& text)
{
    const qsizetype e = text.indexOf(u'e');
    QString mantissa = e < 0 ? text : text.left(e);
    const int exponent = e < 0 ? 0 : text.mid(e + 1).toInt();
    const qsizetype point = mantissa.indexOf(u'.');
    const int fraction = point < 0 ? 0 : int(mantissa.size() - point - 1);
    mantissa.remove(u'.');
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, unsigned(std::abs(exponent - fraction)));
    mpq_class value(mpz_class(mantissa.toStdString(), 10));
    value = exponent >= fraction ? mpq_class(value * scale) : mpq_class(value / scale);
    value.canonicalize();
    return value;
}

// The interpolating polynomial in Newton's form, exactly.
struct NewtonForm
{
    std::vector<mpq_class> xs;
    std::vector<mpq_class> differences;

    explicit NewtonForm(const PointSet& set)
    {
        for (const QString& x : set.xs)
            xs.push_back(exactOf(x));
        for (const QString& y : set.ys)
            differences.push_back(exactOf(y));
        for (size_t level = 1; level < xs.size(); ++level)
            for (size_t i = xs.size() - 1; i >= level; --i)
                differences[i] = (differences[i] - differences[i - 1]) / (xs[i] - xs[i - level]);
    }
    mpq_class at(const mpq_class& x) const
    {
        mpq_class sum = differences.back();
        for (size_t k = xs.size() - 1; k-- > 0;)
            sum = sum * (x - xs[k]) + differences[k];
        return sum;
    }
};

// "−1.5·10³⁰¹" as "-1.5e301": the graph's way of writing numbers read back.
QString decimalText(QString written)
{
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    written.replace(u'\u2212', u'-').replace(QStringLiteral("·10"), QStringLiteral("e"));
    written.replace(u'\u207B', u'-');
    for (int digit = 0; digit < 10; ++digit)
        written.replace(superscripts[digit], QChar(u'0' + digit));
    return written;
}

// The power of ten of a decimal text's last digit.
int placeOf(const QString& decimal)
{
    const qsizetype e = decimal.indexOf(u'e');
    const QString mantissa = e < 0 ? decimal : decimal.left(e);
    const qsizetype point = mantissa.indexOf(u'.');
    return (e < 0 ? 0 : decimal.mid(e + 1).toInt()) -
           (point < 0 ? 0 : int(mantissa.size() - point - 1));
}

mpq_class powerOfTen(int exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, unsigned(std::abs(exponent)));
    return exponent >= 0 ? mpq_class(power) : mpq_class(1, power);
}

// Whether `value` rounded half to even at the place of the text's last digit is that text.
bool roundsTo(const mpq_class& value, const QString& decimal)
{
    const mpq_class scaled = value / powerOfTen(placeOf(decimal));
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    const int half = cmp(mpq_class(scaled - whole), mpq_class(1, 2));
    if (half > 0 || (half == 0 && mpz_odd_p(whole.get_mpz_t())))
        ++whole;
    return mpq_class(whole * powerOfTen(placeOf(decimal))) == exactOf(decimal);
}

HauptFenster& mainWindow()
{
    return HauptFenster::instance();
}

void type(const char* field, const QString& text)
{
    mainWindow().SetText(field, QString());
    QTest::keyClicks(&mainWindow().Control(field), text);
}

// Types the points and arguments and presses "Berechnen"; a refusal is answered at once.
void compute(const PointSet& points, const QStringList& arguments = {})
{
    type("sstellen", QString::number(points.xs.size()));
    for (int k = 0; k < points.xs.size(); ++k) {
        type(kSupportRows[k].abscissa, points.xs[k]);
        type(kSupportRows[k].ordinate, points.ys[k]);
    }
    for (int i = 1; i < 10; ++i)
        type(kArgumentRows[i].argument, arguments.value(i - 1));
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start(10);
    QTest::mouseClick(&mainWindow().Control("BevelButton1"), Qt::LeftButton);
}

GraphView& openGraph()
{
    MenuBar1::instance().Child("AnsichtGraph")->Action().trigger();
    return dynamic_cast<GraphView&>(GraphF::instance().Control("GraphView"));
}

QString viewText(const GraphView::View& view)
{
    return QStringLiteral("x %1 .. %2, y %3 .. %4")
        .arg(view.xMin, 0, 'g', 12)
        .arg(view.xMax, 0, 'g', 12)
        .arg(view.yMin, 0, 'g', 12)
        .arg(view.yMax, 0, 'g', 12);
}

} // namespace

class GraphTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { mainWindow(); }

    void nothingIsBuiltBeforeFirstUseThenOneSharedWindow()
    {
        QVERIFY(QApplication::allWidgets().size() > 0);
        for (QWidget* widget : QApplication::allWidgets())
            QVERIFY2(!qobject_cast<GraphView*>(widget) && !qobject_cast<GraphF*>(widget),
                     "the graph exists before it was asked for");
        GraphView& view = openGraph();
        GraphF& window = GraphF::instance();
        QCOMPARE(window.windowTitle(), QStringLiteral("Graph des Interpolationspolynoms"));
        QCOMPARE(view.accessibleName(), QStringLiteral("Graph des Interpolationspolynoms"));
        QVERIFY(window.isVisible());
        QCOMPARE(view.focusPolicy(), Qt::StrongFocus);
        QVERIFY(window.width() >= 600 && window.height() >= 440);

        // Escape and the close button hide it; Ctrl+G shows the same window again.
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(&openGraph(), &view);
        QVERIFY(window.isVisible());
        window.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(&openGraph(), &view);
    }

    void tickSteps_data()
    {
        QTest::addColumn<double>("least");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("third"); // the label of three steps
        QTest::newRow("a power of ten is its own step") << 1.0 << "1"
                                                        << "3";
        QTest::newRow("just above 1 takes 2") << 1.0000001 << "2"
                                              << "6";
        QTest::newRow("0.3 takes 0.5") << 0.3 << "0.5"
                                       << "1.5";
        QTest::newRow("7 takes 10") << 7.0 << "10"
                                    << "30";
        QTest::newRow("0.1 from a decimal text is 0.1") << 0.1 << "0.1"
                                                        << "0.3";
        QTest::newRow("1e-5, whose log10 lands near -5, is 1e-05") << 1e-5 << "1e-05"
                                                                   << "3·10⁻⁵";
        QTest::newRow("3e-300 takes 5e-300") << 3e-300 << "5e-300"
                                             << "1.5·10⁻²⁹⁹";
        QTest::newRow("1.5e300 takes 2e+300") << 1.5e300 << "2e+300"
                                              << "6·10³⁰⁰";
    }
    void tickSteps()
    {
        QFETCH(double, least);
        QFETCH(QString, step);
        QFETCH(QString, third);
        QCOMPARE(Str(NiceStep(least).Value()), step);
        // Labels come from the decimal of each multiple, not from adding up the step.
        QStringList labels;
        const TickStep found = NiceStep(least);
        for (const Tick& tick : TicksBetween(2.5 * found.Value(), 7.5 * found.Value(), found, 10))
            labels << tick.label;
        QCOMPARE(labels.size(), 5);
        QCOMPARE(labels[0], third);
    }

    void curveWithinHalfAPixelOfTheExactValue_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<double>("zoom"); // about the point `at` of the default view
        QTest::addColumn<double>("at");   // as a share of the default view's width
        QTest::newRow("years line, default view") << "years" << 1.0 << 0.5;
        QTest::newRow("years line, zoomed a millionfold") << "years" << 1e-6 << 0.37;
        QTest::newRow("1/(1+25x^2), default view") << "runge" << 1.0 << 0.5;
        QTest::newRow("1/(1+25x^2), zoomed near the end") << "runge" << 1e-3 << 0.91;
        QTest::newRow("near 1e300, default view") << "near 1e300" << 1.0 << 0.5;
        QTest::newRow("near 1e300, zoomed a billionfold") << "near 1e300" << 1e-9 << 0.6;
        QTest::newRow("the largest doubles, default view") << "the largest doubles" << 1.0 << 0.5;
    }
    void curveWithinHalfAPixelOfTheExactValue()
    {
        QFETCH(QString, set);
        QFETCH(double, zoom);
        QFETCH(double, at);
        compute(pointSets()[set], {"0.5", "1e301"});
        GraphView& view = openGraph();
        view.resize(480, 360);
        // Zoomed about the curve's own point, so that it stays in view.
        const auto column = size_t(view.Curve().size() * at);
        view.Zoom(zoom, view.Curve()[column].at);
        const GraphView::View shown = view.CurrentView();
        const NewtonForm exact(pointSets()[set]);
        const mpq_class top(shown.yMax);
        const int height = view.PlotArea().height();
        const mpq_class pixelsPerUnit = mpq_class(height) / (top - mpq_class(shown.yMin));

        int inView = 0;
        for (const GraphView::CurvePoint& point : view.Curve()) {
            const mpq_class y = (top - exact.at(mpq_class(point.x))) * pixelsPerUnit;
            const double drawn = point.at.y();
            if (y < 0)
                QVERIFY2(drawn < 0.5, qPrintable(QString::number(point.x)));
            else if (y > height)
                QVERIFY2(drawn > height - 0.5, qPrintable(QString::number(point.x)));
            else {
                ++inView;
                const double off = std::fabs(mpq_class(mpq_class(drawn) - y).get_d());
                QVERIFY2(off <= 0.5,
                         qPrintable(
                             QStringLiteral("%1 pixels off at x = %2").arg(off).arg(Str(point.x))));
            }
        }
        QVERIFY2(inView > view.width() / 10, "the curve hardly passes through the view");
    }

    void keysWheelAndDragMoveTheView_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("expected"); // from x 0 .. 10, y 0 .. 10 on a 400 x 400 plot
        QTest::newRow("+ zooms in about the centre") << "+"
                                                     << "x 1 .. 9, y 1 .. 9";
        QTest::newRow("- zooms out about the centre") << "-"
                                                      << "x -1.25 .. 11.25, y -1.25 .. 11.25";
        QTest::newRow("left arrow looks left") << "Left"
                                               << "x -1 .. 9, y 0 .. 10";
        QTest::newRow("right arrow looks right") << "Right"
                                                 << "x 1 .. 11, y 0 .. 10";
        QTest::newRow("up arrow looks up") << "Up"
                                           << "x 0 .. 10, y 1 .. 11";
        QTest::newRow("down arrow looks down") << "Down"
                                               << "x 0 .. 10, y -1 .. 9";
        QTest::newRow("wheel zooms in about the pointer at (2.5, 7.5)")
            << "wheel"
            << "x 0.5 .. 8.5, y 1.5 .. 9.5";
        QTest::newRow("dragging right and up moves the drawing with the pointer")
            << "drag"
            << "x -1 .. 9, y -0.5 .. 9.5";
    }
    void keysWheelAndDragMoveTheView()
    {
        QFETCH(QString, action);
        QFETCH(QString, expected);
        compute(pointSets()["runge"]);
        GraphView& view = openGraph();
        // A plot of 400 x 400 pixels above the readout line.
        view.resize(400, 400);
        view.resize(400, 800 - view.PlotArea().height());
        view.SetView({0, 10, 0, 10});
        if (action == "wheel") {
            QWheelEvent wheel(QPointF(100, 100), view.mapToGlobal(QPointF(100, 100)), {},
                              QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(&view, &wheel);
        } else if (action == "drag") {
            QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 200));
            QTest::mouseMove(&view, QPoint(240, 180));
            QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(240, 180));
        } else {
            QTest::keyClick(&view, QKeySequence(action)[0].key());
        }
        QCOMPARE(viewText(view.CurrentView()), expected);
    }

    void homeRestoresTheDefaultViewAndATakesInEveryArgument()
    {
        compute(pointSets()["runge"], {"3"});
        GraphView& view = openGraph();
        const GraphView::View home = view.CurrentView();
        // x over the points with 5 % on each side.
        QCOMPARE(viewText(home).section(',', 0, 0), QStringLiteral("x -1.1 .. 1.1"));
        QTest::keyClick(&view, Qt::Key_Plus);
        QTest::keyClick(&view, Qt::Key_Left);
        QVERIFY(view.CurrentView() != home);
        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(viewText(view.CurrentView()), viewText(home));
        QTest::keyClick(&view, Qt::Key_A);
        QCOMPARE(viewText(view.CurrentView()).section(',', 0, 0), QStringLiteral("x -1.2 .. 3.2"));
    }

    void statesFollowTheResults()
    {
        // A fresh main window with nothing computed: its graph says how to get one.
        delete &GraphF::instance();
        delete &mainWindow();
        GraphView* view = &openGraph();
        QVERIFY(!view->HasFunction());
        QVERIFY(view->Message().startsWith(QStringLiteral("Noch nichts berechnet")));
        QCOMPARE(view->accessibleDescription(), view->Message());

        compute(pointSets()["years"], {"2010"});
        QVERIFY(view->HasFunction() && !view->IsDimmed() && view->Notes().isEmpty());
        QVERIFY2(view->accessibleDescription().startsWith(
                     QStringLiteral("Polynom vom Grad 1 durch 7 Stützpunkte mit 2 Argumenten; "
                                    "gezeigt: x von 1999,7 bis 2006,3")),
                 qPrintable(view->accessibleDescription()));

        // The point under the pointer, p(x) exact as a value field would show it: the double
        // arithmetic's coefficients (-47104 + 6144 x ...) are far off here.
        QTest::mouseMove(view, QPoint(view->width() / 3, view->height() / 2));
        const QStringList readout = view->ReadoutText().split(QStringLiteral(", p(x) = "));
        QCOMPARE(readout.size(), 2);
        const double x = Val(readout[0].mid(4));
        QVERIFY2(std::fabs(Val(readout[1]) - (100 + 2.5 * (x - 2000))) < 1e-3,
                 qPrintable(view->ReadoutText()));

        // An input changes: dimmed and stale, in the drawing and in the description.
        const std::vector<GraphView::CurvePoint> before = view->Curve();
        type("yF3", "200");
        QVERIFY(view->IsDimmed());
        QCOMPARE(view->Notes(), QStringList{"Veraltet"});
        QVERIFY(view->accessibleDescription().endsWith(QStringLiteral("Veraltet.")));

        // A refused compute keeps the last graph, stale.
        type("xF1", "2000");
        compute(pointSets()["repeated"]);
        QVERIFY(view->IsDimmed());
        QCOMPARE(view->Curve().size(), before.size());
        QCOMPARE(view->Curve()[7].at, before[7].at);

        // inf typed: the double polynomial has no finite value anywhere, and the graph says so.
        compute(pointSets()["infinity"]);
        QVERIFY(!view->IsDimmed());
        QCOMPARE(view->Notes().size(), 1);
        QVERIFY2(
            view->Notes()[0].startsWith(QStringLiteral("Keine Kurve: Die Stützstelle (1, inf)")),
            qPrintable(view->Notes()[0]));
    }

    // The readout names an x that tells its pixel column from the next, no finer, and p at
    // exactly that x, every digit right; at the default view and after 300 wheel notches in.
    void readoutNamesItsPointExactly_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("mark"); // the support point zoomed about
        QTest::addColumn<int>("notches");
        QTest::newRow("years, default view") << "years" << 3 << 0;
        QTest::newRow("years, 300 notches in about (2003, 107.5)") << "years" << 3 << 300;
        QTest::newRow("decades, 300 notches in about (1970, 70.8)") << "decades" << 4 << 300;
        QTest::newRow("1/(1+25x^2), 40 notches in near the end") << "runge" << 8 << 40;
        QTest::newRow("near 1e300, 100 notches in") << "near 1e300" << 2 << 100;
    }
    void readoutNamesItsPointExactly()
    {
        QFETCH(QString, set);
        QFETCH(int, mark);
        QFETCH(int, notches);
        const PointSet& points = pointSets()[set];
        compute(points);
        GraphView& view = openGraph();
        view.resize(640, 480);
        const auto pixelOf = [&](double x, double y) {
            const GraphView::View& shown = view.CurrentView();
            const QRect plot = view.PlotArea();
            return QPointF((x - shown.xMin) / (shown.xMax - shown.xMin) * plot.width(),
                           (shown.yMax - y) / (shown.yMax - shown.yMin) * plot.height());
        };
        const double markX = Val(points.xs[mark]);
        const double markY = Val(points.ys[mark]);
        for (int notch = 0; notch < notches; ++notch) {
            const QPointF at = pixelOf(markX, markY);
            QWheelEvent wheel(at, view.mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&view, &wheel);
        }
        const GraphView::View shown = view.CurrentView();
        const QRect plot = view.PlotArea();
        const mpq_class column = (mpq_class(shown.xMax) - mpq_class(shown.xMin)) / plot.width();
        const NewtonForm exact(points);

        QStringList said;
        for (int offset : {0, 1}) {
            const QPoint pointer = pixelOf(markX, markY).toPoint() + QPoint(offset, 0);
            QMouseEvent move(QEvent::MouseMove, pointer, view.mapToGlobal(pointer), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&view, &move);
            const QString text = view.ReadoutText();
            const QRegularExpressionMatch parts =
                QRegularExpression(QStringLiteral("^x = (\\S+), p\\(x\\) = (\\S+)$")).match(text);
            QVERIFY2(parts.hasMatch(), qPrintable(text));
            const QString x = decimalText(parts.captured(1));
            const QString p = decimalText(parts.captured(2));
            // Within half a column of the pointer, to the place that tells columns apart.
            const mpq_class pointed = mpq_class(shown.xMin) + column * pointer.x();
            const mpq_class off = abs(mpq_class(exactOf(x) - pointed));
            QVERIFY2(off <= column * mpq_class(1000001, 2000000),
                     qPrintable(text + " is off by " + QString::number(off.get_d())));
            QVERIFY2(powerOfTen(placeOf(x)) <= column && powerOfTen(placeOf(x) + 1) > column,
                     qPrintable(text));
            QVERIFY2(roundsTo(exact.at(exactOf(x)), p), qPrintable(text));
            said << x;
        }
        QVERIFY2(said[0] != said[1], "neighbouring columns read the same x");
    }

    // A always brings every mark into view, however large; the default view frames the
    // support points; no step of either overflows.
    void everyMarkInViewAfterA_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("values of 1e308 up and down") << "1e308 up and down" << QStringList{};
        QTest::newRow("the largest doubles, either sign, as x and y")
            << "the largest doubles" << QStringList{"-1e308"};
        QTest::newRow("years with an argument 1e300 away") << "years" << QStringList{"1e300"};
        QTest::newRow("1/(1+25x^2) with arguments far either side")
            << "runge" << QStringList{"-1e10", "1e10"};
    }
    void everyMarkInViewAfterA()
    {
        QFETCH(QString, set);
        QFETCH(QStringList, arguments);
        compute(pointSets()[set], arguments);
        GraphView& view = openGraph();
        const auto inView = [&](double x, double y) {
            const GraphView::View& shown = view.CurrentView();
            return x >= shown.xMin && x <= shown.xMax && y >= shown.yMin && y <= shown.yMax;
        };
        const PointSet& points = pointSets()[set];
        for (int k = 0; k < points.xs.size(); ++k)
            QVERIFY2(inView(Val(points.xs[k]), Val(points.ys[k])),
                     qPrintable("default view misses point " + QString::number(k)));
        for (int press = 0; press < 30; ++press)
            QTest::keyClick(&view, Qt::Key_Plus);
        QTest::keyClick(&view, Qt::Key_A);
        const std::shared_ptr<const ComputeRecord> record = mainWindow().LastCompute();
        for (const auto& [x, y] : record->curve.points)
            QVERIFY2(inView(x, y), qPrintable(QStringLiteral("(%1, %2)").arg(Str(x), Str(y))));
        for (double x : record->curve.arguments) {
            const double y = record->curve.polynomial.ValueAt(x);
            if (std::isfinite(y))
                QVERIFY2(inView(x, y),
                         qPrintable(QStringLiteral("ring (%1, %2)").arg(Str(x), Str(y))));
        }
        QVERIFY(!view.Image().isNull());
    }

    // At any zoom and pan within the doubles both axes keep their ticks and labels; the
    // sanitizer build runs this too.
    void extremeViewsKeepTheirLabels_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("presses");
        QTest::newRow("1e307 up and down, as it opens") << "1e307 up and down"
                                                        << "" << 0;
        QTest::newRow("3300 presses of - zoom out to the whole doubles") << "1e307 up and down"
                                                                         << "-" << 3300;
        QTest::newRow("zoomed out, then 4000 presses of the right arrow to the end")
            << "1e307 up and down"
            << "- Right" << 4000;
        QTest::newRow("zoomed out, then 4000 presses of the down arrow to the end")
            << "1e307 up and down"
            << "- Down" << 4000;
        QTest::newRow("years, 400 presses of + to the narrowest view") << "years"
                                                                       << "+" << 400;
    }
    void extremeViewsKeepTheirLabels()
    {
        QFETCH(QString, set);
        QFETCH(QString, keys);
        QFETCH(int, presses);
        compute(pointSets()[set]);
        GraphView& view = openGraph();
        view.resize(640, 480);
        const QStringList pressed = keys.split(u' ', Qt::SkipEmptyParts);
        for (const QString& key : pressed) {
            // A key named before the last one is pressed until the view holds still.
            const int times = key == pressed.back() ? presses : 3300;
            for (int press = 0; press < times; ++press)
                QTest::keyClick(&view, QKeySequence(key)[0].key());
        }
        const GraphView::View& shown = view.CurrentView();
        QVERIFY(std::isfinite(shown.xMin) && std::isfinite(shown.xMax) && shown.xMin < shown.xMax);
        QVERIFY(std::isfinite(shown.yMin) && std::isfinite(shown.yMax) && shown.yMin < shown.yMax);
        QVERIFY(!view.Image().isNull());
        // The bounds are told as the numbers they are, not rounded beyond the doubles.
        QVERIFY2(!view.accessibleDescription().contains(QStringLiteral("inf")) &&
                     !view.accessibleDescription().contains(QStringLiteral("unendlich")),
                 qPrintable(view.accessibleDescription()));
        int onX = 0;
        int onY = 0;
        for (const AxisLabel& label : view.Labels())
            ++(label.onXAxis ? onX : onY);
        QVERIFY2(onX >= 2 && onY >= 2, qPrintable(QStringLiteral("%1 x labels, %2 y labels in %3")
                                                      .arg(onX)
                                                      .arg(onY)
                                                      .arg(viewText(shown))));
    }

    // The default view shows x over the points and y over the points and the curve between
    // the outermost ones, 5 % to spare; beyond them the curve may leave it.
    void defaultViewFramesTheData_data()
    {
        QTest::addColumn<QString>("set");
        QTest::newRow("decades: the data, not the curve beyond 1930 and 2020") << "decades";
        QTest::newRow("years") << "years";
        QTest::newRow("1/(1+25x^2): its swings between the points") << "runge";
        QTest::newRow("near 1e300") << "near 1e300";
    }
    void defaultViewFramesTheData()
    {
        QFETCH(QString, set);
        const PointSet& points = pointSets()[set];
        compute(points);
        GraphView& view = openGraph();
        const NewtonForm exact(points);
        mpq_class left = exactOf(points.xs[0]);
        mpq_class right = left;
        for (const QString& x : points.xs) {
            left = std::min(left, exactOf(x));
            right = std::max(right, exactOf(x));
        }
        mpq_class low = exact.at(left);
        mpq_class high = low;
        for (int i = 0; i <= 2000; ++i) {
            const mpq_class value = exact.at(left + (right - left) * mpq_class(i, 2000));
            low = std::min(low, value);
            high = std::max(high, value);
        }
        const GraphView::View shown = view.CurrentView();
        const mpq_class margin = (high - low) / 20;
        const mpq_class slack = (high - low) / 1000; // what 512 samples may miss of a peak
        QVERIFY2(mpq_class(shown.yMin) <= low - margin + slack &&
                     mpq_class(shown.yMin) >= low - margin - slack &&
                     mpq_class(shown.yMax) >= high + margin - slack &&
                     mpq_class(shown.yMax) <= high + margin + slack,
                 qPrintable(viewText(shown) + ", the curve between the points spans " +
                            QString::number(low.get_d()) + " .. " + QString::number(high.get_d())));
        QVERIFY(mpq_class(shown.xMin) < left && mpq_class(shown.xMax) > right);
    }

    // Notes say what is drawn, and where nothing is, why.
    void notesTellTheTruth_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("curveInView");
        QTest::newRow("inf typed: no curve, and the point that has no value")
            << "infinity"
            << ""
            << "Keine Kurve: Die Stützstelle (1, inf) ist keine endliche Zahl" << false;
        QTest::newRow("nan typed likewise") << "nan typed"
                                            << ""
                                            << "Keine Kurve: Die Stützstelle (nan, 3)" << false;
        QTest::newRow("a number below a double's range: the double arithmetic's curve")
            << "below a double's range"
            << ""
            << "Ohne exakten Bezug: gezeichnet ist das Polynom der Gleitkommarechnung" << true;
        QTest::newRow("the view moved off the curve") << "years"
                                                      << "Up Up Up Up Up Up Up Up Up Up Up Up"
                                                      << "Die Kurve verläuft außerhalb" << false;
        QTest::newRow("back home: nothing to say") << "years"
                                                   << "Up Up Up Up Up Up Up Up Up Up Up Up Home"
                                                   << "" << true;
    }
    void notesTellTheTruth()
    {
        QFETCH(QString, set);
        QFETCH(QString, keys);
        QFETCH(QString, note);
        QFETCH(bool, curveInView);
        compute(pointSets()[set]);
        GraphView& view = openGraph();
        for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts))
            QTest::keyClick(&view, QKeySequence(key)[0].key());
        const QString notes = view.Notes().join(u'\n');
        QVERIFY2(note.isEmpty() ? notes.isEmpty() : notes.startsWith(note), qPrintable(notes));
        const auto coverage = view.CurveCoverage();
        QCOMPARE(coverage == GraphView::Coverage::Whole, curveInView);
        QVERIFY(view.accessibleDescription().endsWith(note.isEmpty() ? "." : notes + '.') ||
                view.accessibleDescription().contains(notes));
    }
};

QTEST_MAIN(GraphTest)
#include "test_graph.moc"
