// The compute command's arithmetic before the expansion, on the state alone: the Lagrange
// terms and values, and the test that refuses abscissae that are not pairwise distinct.

#include "CalcState.h"

#include <QtTest>
#include <limits>

using calc_test::setPoints;

constexpr double kInf = std::numeric_limits<double>::infinity();

class CalcEvaluationTest : public QObject
{
    Q_OBJECT
private slots:
    void lagrange_data()
    {
        QTest::addColumn<QList<double>>("xs");
        QTest::addColumn<QList<double>>("ys");
        QTest::addColumn<int>("term"); // which term gi gives; -1 for the whole sum g
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        const QList<double> line{1.0, 2.0}, lineYs{1.0, 3.0};
        QTest::newRow("g: line through (1,1),(2,3) at 0") << line << lineYs << -1 << 0.0 << -1.0;
        QTest::newRow("g: line through (1,1),(2,3) at 3") << line << lineYs << -1 << 3.0 << 5.0;
        QTest::newRow("g: parabola through (0,0),(1,1),(2,4) at -1")
            << QList{0.0, 1.0, 2.0} << QList{0.0, 1.0, 4.0} << -1 << -1.0 << 1.0;
        QTest::newRow("g: no points sum to 0")
            << QList<double>{} << QList<double>{} << -1 << 7.0 << 0.0;
        QTest::newRow("g: one point is its ordinate everywhere")
            << QList{5.0} << QList{3.0} << -1 << -123.5 << 3.0;
        QTest::newRow("g: an overflowing term makes the value infinite")
            << QList{0.0, 1e-300} << QList{1e300, 0.0} << -1 << 1e10 << -kInf;
        QTest::newRow("gi: first term of the line at 0") << line << lineYs << 0 << 0.0 << 2.0;
        QTest::newRow("gi: second term of the line at 0") << line << lineYs << 1 << 0.0 << -3.0;
        // 0.1 * 3 rounds up and the division by 3 keeps that; 3 / 3 first would give 0.1.
        QTest::newRow("gi: each factor multiplies before it divides")
            << QList{0.0, 3.0} << QList{0.1, 0.0} << 0 << 0.0 << 0.10000000000000002;
        QTest::newRow("gi: a term at another point's abscissa is 0, signed like its factors")
            << QList{1.0, 2.0, 4.0} << QList{5.0, 6.0, 7.0} << 0 << 4.0 << -0.0;
    }
    void lagrange()
    {
        QFETCH(QList<double>, xs);
        QFETCH(QList<double>, ys);
        QFETCH(int, term);
        QFETCH(double, x);
        QFETCH(double, expected);
        HauptFenster window;
        setPoints(window, xs, ys);
        CALC_COMPARE_BITS(term < 0 ? window.g(x) : window.gi(term, x), expected);
    }

    void distinctAbscissae_data()
    {
        QTest::addColumn<QList<double>>("xs");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a repeated abscissa is refused") << QList{1.0, 2.0, 3.0, 3.0} << false;
        QTest::newRow("ten abscissae 1e-8 apart underflow and are refused")
            << QList{0.0, 1e-8, 2e-8, 3e-8, 4e-8, 5e-8, 6e-8, 7e-8, 8e-8, 9e-8} << false;
        QTest::newRow("ten abscissae 5e-8 apart pass")
            << QList{0.0, 5e-8, 1e-7, 1.5e-7, 2e-7, 2.5e-7, 3e-7, 3.5e-7, 4e-7, 4.5e-7} << true;
        QTest::newRow("three abscissae 1e-110 apart underflow and are refused")
            << QList{0.0, 1e-110, 2e-110} << false;
        QTest::newRow("no point passes") << QList<double>{} << true;
        QTest::newRow("one point passes") << QList{7.0} << true;
        QTest::newRow("a repeat behind an overflowing product is refused")
            << QList{1e200, -1e200, 5.0, 5.0} << false;
        QTest::newRow("a repeated infinity is refused") << QList{kInf, 1.0, kInf} << false;
        QTest::newRow("a NaN abscissa is not refused")
            << QList{1.0, std::numeric_limits<double>::quiet_NaN(), 2.0} << true;
    }
    void distinctAbscissae()
    {
        QFETCH(QList<double>, xs);
        QFETCH(bool, accepted);
        HauptFenster window;
        setPoints(window, xs, QList<double>(xs.size(), 1.0));
        QCOMPARE(window.Pruefen(), accepted);
    }
};

QTEST_MAIN(CalcEvaluationTest)
#include "test_calc_evaluation.moc"
