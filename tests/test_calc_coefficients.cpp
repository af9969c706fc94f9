// The expansion into the normal form, on the state alone: each point's contribution per power,
// and the coefficients after summing, signing and clearing.

#include "CalcState.h"

#include <QtTest>
#include <cmath>

using calc_test::setPoints;

namespace {

// Plain function pointers: GCC 12's bounds sanitizer misreads arrays of member pointers.
using Contribution = double (*)(HauptFenster&, std::int32_t);
constexpr Contribution kProdK[10] = {
    [](HauptFenster& w, std::int32_t i) { return w.Prod0(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod1(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod2(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod3(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod4(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod5(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod6(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod7(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod8(i); },
    [](HauptFenster& w, std::int32_t i) { return w.Prod9(i); },
};

// Leftovers of an earlier command that no coefficient may keep.
void fillWithStaleCoefficients(HauptFenster& window)
{
    for (int k = 0; k <= 9; ++k)
        window.Koeff[k] = 42.0 + k;
}

} // namespace

class CalcCoefficientsTest : public QObject
{
    Q_OBJECT
private slots:
    void contributionOfOnePoint_data();
    void contributionOfOnePoint();
    void coefficients_data();
    void coefficients();
    void tenPointsOnAParabolaKeepTheirRoundingAtX2();
    void fewerPointsLeaveNoTraceOfAnEarlierRun();
    void zeroThreshold_data();
    void zeroThreshold();
};

void CalcCoefficientsTest::contributionOfOnePoint_data()
{
    // Contributions to x^0, x^1, ...; every power not listed contributes 0.
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<int>("point");
    QTest::addColumn<QList<double>>("contributions");
    QTest::newRow("line (1,3),(3,7): the point at 1")
        << QList{1.0, 3.0} << QList{3.0, 7.0} << 0 << QList{4.5, 1.5};
    QTest::newRow("line (1,3),(3,7): the point at 3")
        << QList{1.0, 3.0} << QList{3.0, 7.0} << 1 << QList{-3.5, -3.5};
    QTest::newRow("line (1,3),(2,7): the point at 1")
        << QList{1.0, 2.0} << QList{3.0, 7.0} << 0 << QList{6.0, 3.0};
    QTest::newRow("line (2,7),(1,3): the point at 1 stands second")
        << QList{2.0, 1.0} << QList{7.0, 3.0} << 1 << QList{6.0, 3.0};
    QTest::newRow("line (2,7),(1,3): the point at 2 stands first")
        << QList{2.0, 1.0} << QList{7.0, 3.0} << 0 << QList{-7.0, -7.0};
    QTest::newRow("basis of the point at 1 among 1..4: sums 24, 26, 9, 1 over divisors 1, 2, 3")
        << QList{1.0, 2.0, 3.0, 4.0} << QList{1.0, 0.0, 0.0, 0.0} << 0
        << QList{4.0, 13.0 / 3.0, 1.5, 1.0 / 6.0};
    QTest::newRow("parabola x^2+x+1: the point at 0")
        << QList{0.0, 1.0, 2.0} << QList{1.0, 3.0, 7.0} << 0 << QList{1.0, 1.5, 0.5};
    QTest::newRow("parabola x^2+x+1: the point at 1 gives -0 at x^0")
        << QList{0.0, 1.0, 2.0} << QList{1.0, 3.0, 7.0} << 1 << QList{-0.0, -6.0, -3.0};
    QTest::newRow("parabola x^2+x+1: the point at 2")
        << QList{0.0, 1.0, 2.0} << QList{1.0, 3.0, 7.0} << 2 << QList{0.0, 3.5, 3.5};
    // The products of the left-out sets {0}, {1}, {2} are -1, -1e16, 1e16: in this order the -1
    // is lost to -1e16 and the sum is 0; summed from the last set it would be -1.
    QTest::newRow("left-out sets are summed in lexicographic order")
        << QList{0.0, 1e16, 1.0, -1.0} << QList{1.0, 0.0, 0.0, 0.0} << 0
        << QList{1.0, -0.0, -1.0, -1e-16};
    QTest::newRow("a single point contributes its ordinate undivided")
        << QList{5.0} << QList{3.0} << 0 << QList{3.0};
}

void CalcCoefficientsTest::contributionOfOnePoint()
{
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);
    QFETCH(int, point);
    QFETCH(QList<double>, contributions);
    HauptFenster window;
    setPoints(window, xs, ys);
    for (int k = 0; k <= 9; ++k) {
        const double actual = kProdK[k](window, point);
        if (k < contributions.size())
            CALC_COMPARE_BITS(actual, contributions[k]);
        else
            QCOMPARE(actual, 0.0);
    }
}

void CalcCoefficientsTest::coefficients_data()
{
    // Coefficients of x^0, x^1, ...; every power not listed is +0.0.
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("(1,3),(3,7) is the line 2x + 1")
        << QList{1.0, 3.0} << QList{3.0, 7.0} << QList{1.0, 2.0};
    QTest::newRow("(1,3),(2,7) is the line 4x - 1")
        << QList{1.0, 2.0} << QList{3.0, 7.0} << QList{-1.0, 4.0};
    QTest::newRow("the same line with its points swapped")
        << QList{2.0, 1.0} << QList{7.0, 3.0} << QList{-1.0, 4.0};
    QTest::newRow("three points give x^2 + x + 1")
        << QList{0.0, 1.0, 2.0} << QList{1.0, 3.0, 7.0} << QList{1.0, 1.0, 1.0};
    QTest::newRow("collinear points give exactly 0 at x^2")
        << QList{0.0, 1.0, 2.0} << QList{1.0, 3.0, 5.0} << QList{1.0, 2.0};
    QTest::newRow("1e-9 x^2 lies below the threshold and is cleared")
        << QList{0.0, 1.0, 2.0} << QList{0.0, 1e-9, 4e-9} << QList<double>{};
    QTest::newRow("an odd power summing to zero ends as +0, not -0")
        << QList{-1.0, 0.0, 1.0} << QList{1.0, 0.0, 1.0} << QList{0.0, 0.0, 1.0};
    QTest::newRow("one point is the constant") << QList{5.0} << QList{3.0} << QList{3.0};
    QTest::newRow("no points give all zeros")
        << QList<double>{} << QList<double>{} << QList<double>{};
}

void CalcCoefficientsTest::coefficients()
{
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);
    QFETCH(QList<double>, expected);
    HauptFenster window;
    fillWithStaleCoefficients(window);
    setPoints(window, xs, ys);
    window.Koeffizientenberechnung();
    for (int k = 0; k <= 9; ++k)
        CALC_COMPARE_BITS(window.Koeff[k], k < expected.size() ? expected[k] : 0.0);
}

void CalcCoefficientsTest::tenPointsOnAParabolaKeepTheirRoundingAtX2()
{
    HauptFenster window;
    QList<double> xs;
    QList<double> ys;
    for (int x = 1; x <= 10; ++x) {
        xs << x;
        ys << x * x;
    }
    setPoints(window, xs, ys);
    window.Koeffizientenberechnung();
    // Every other power holds a residue of at most a few 1e-12 before the threshold clears it;
    // the value near 1 is left exactly as the prescribed order of operations rounds it.
    QVERIFY(std::fabs(window.Koeff[2] - 1.0) < 1e-11);
    CALC_COMPARE_BITS(window.Koeff[2], 1.0000000000013074);
    for (int k = 0; k <= 9; ++k) {
        if (k != 2)
            CALC_COMPARE_BITS(window.Koeff[k], 0.0);
    }
}

void CalcCoefficientsTest::fewerPointsLeaveNoTraceOfAnEarlierRun()
{
    HauptFenster window;
    setPoints(window, {1.0, 2.0, 3.0, 4.0}, {1.0, 8.0, 27.0, 64.0});
    window.Koeffizientenberechnung();
    QCOMPARE(window.Koeff[3], 1.0);

    setPoints(window, {1.0, 3.0}, {3.0, 7.0});
    window.Koeffizientenberechnung();
    CALC_COMPARE_BITS(window.Koeff[0], 1.0);
    CALC_COMPARE_BITS(window.Koeff[1], 2.0);
    for (int k = 2; k <= 9; ++k)
        CALC_COMPARE_BITS(window.Koeff[k], 0.0);
}

void CalcCoefficientsTest::zeroThreshold_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("zero");
    QTest::newRow("just below 1e-8 is zero") << std::nextafter(1e-8, 0.0) << true;
    QTest::newRow("exactly 1e-8 is not zero") << 1e-8 << false;
    QTest::newRow("exactly -1e-8 is not zero") << -1e-8 << false;
    QTest::newRow("a tiny negative value is zero") << -1e-12 << true;
    QTest::newRow("a NaN is not zero") << std::nan("") << false;
}

void CalcCoefficientsTest::zeroThreshold()
{
    QFETCH(double, x);
    QFETCH(bool, zero);
    HauptFenster window;
    QCOMPARE(window.IstNull(x), zero);
}

QTEST_MAIN(CalcCoefficientsTest)
#include "test_calc_coefficients.moc"
