// The compute command's arithmetic before the expansion, on the state alone: the Lagrange
// terms and values, and the test that refuses abscissae that are not pairwise distinct.

#include "CalcState.h"

#include <QtTest>
#include <limits>

using calc_test::setPoints;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

class CalcEvaluationTest : public QObject
{
    Q_OBJECT
private slots:
    void valueOfThePolynomial_data();
    void valueOfThePolynomial();
    void termOfTheLagrangeSum_data();
    void termOfTheLagrangeSum();
    void distinctAbscissae_data();
    void distinctAbscissae();
};

void CalcEvaluationTest::valueOfThePolynomial_data()
{
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("value");
    QTest::newRow("line through (1,1),(2,3) at 0")
        << QList{1.0, 2.0} << QList{1.0, 3.0} << 0.0 << -1.0;
    QTest::newRow("line through (1,1),(2,3) at 3")
        << QList{1.0, 2.0} << QList{1.0, 3.0} << 3.0 << 5.0;
    QTest::newRow("parabola through (0,0),(1,1),(2,4) at 3")
        << QList{0.0, 1.0, 2.0} << QList{0.0, 1.0, 4.0} << 3.0 << 9.0;
    QTest::newRow("parabola through (0,0),(1,1),(2,4) at -1")
        << QList{0.0, 1.0, 2.0} << QList{0.0, 1.0, 4.0} << -1.0 << 1.0;
    QTest::newRow("no points sum to 0") << QList<double>{} << QList<double>{} << 7.0 << 0.0;
    QTest::newRow("one point is its ordinate everywhere")
        << QList{5.0} << QList{3.0} << -123.5 << 3.0;
    QTest::newRow("an overflowing term makes the value infinite")
        << QList{0.0, 1e-300} << QList{1e300, 0.0} << 1e10 << -kInf;
}

void CalcEvaluationTest::valueOfThePolynomial()
{
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);
    QFETCH(double, x);
    QFETCH(double, value);
    HauptFenster window;
    setPoints(window, xs, ys);
    CALC_COMPARE_BITS(window.g(x), value);
}

void CalcEvaluationTest::termOfTheLagrangeSum_data()
{
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("term");
    QTest::newRow("first term of the line (1,1),(2,3) at 0")
        << QList{1.0, 2.0} << QList{1.0, 3.0} << 0 << 0.0 << 2.0;
    QTest::newRow("second term of the line (1,1),(2,3) at 0")
        << QList{1.0, 2.0} << QList{1.0, 3.0} << 1 << 0.0 << -3.0;
    // 0.1 * 3 rounds up and the division by 3 keeps that; the quotient 3 / 3 first would give 0.1.
    QTest::newRow("each factor multiplies before it divides")
        << QList{0.0, 3.0} << QList{0.1, 0.0} << 0 << 0.0 << 0.10000000000000002;
    QTest::newRow("a term at another point's abscissa is 0, signed like its factors")
        << QList{1.0, 2.0, 4.0} << QList{5.0, 6.0, 7.0} << 0 << 4.0 << -0.0;
}

void CalcEvaluationTest::termOfTheLagrangeSum()
{
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);
    QFETCH(int, k);
    QFETCH(double, x);
    QFETCH(double, term);
    HauptFenster window;
    setPoints(window, xs, ys);
    CALC_COMPARE_BITS(window.gi(k, x), term);
}

void CalcEvaluationTest::distinctAbscissae_data()
{
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("four distinct abscissae pass") << QList{1.0, 2.0, 3.0, 4.0} << true;
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
    QTest::newRow("a NaN abscissa is not refused") << QList{1.0, kNaN, 2.0} << true;
}

void CalcEvaluationTest::distinctAbscissae()
{
    QFETCH(QList<double>, xs);
    QFETCH(bool, accepted);
    HauptFenster window;
    setPoints(window, xs, QList<double>(xs.size(), 1.0));
    QCOMPARE(window.Pruefen(), accepted);
}

QTEST_MAIN(CalcEvaluationTest)
#include "test_calc_evaluation.moc"
