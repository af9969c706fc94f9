// The expansion into the normal form, on the state alone: each point's contribution per power,
// and the coefficients after summing, signing and clearing.

#include "CalcState.h"
#include "calc/ProdK.h"

#include <QtTest>
#include <cmath>

using calc_test::setPoints;

class CalcCoefficientsTest : public QObject
{
    Q_OBJECT
private slots:
    void contributionOfOnePoint_data()
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
        QTest::newRow("line (2,7),(1,3): the point at 1 stands second")
            << QList{2.0, 1.0} << QList{7.0, 3.0} << 1 << QList{6.0, 3.0};
        QTest::newRow("line (2,7),(1,3): the point at 2 stands first")
            << QList{2.0, 1.0} << QList{7.0, 3.0} << 0 << QList{-7.0, -7.0};
        QTest::newRow("basis of the point at 1 among 1..4: sums 24, 26, 9, 1 over divisors 1, 2, 3")
            << QList{1.0, 2.0, 3.0, 4.0} << QList{1.0, 0.0, 0.0, 0.0} << 0
            << QList{4.0, 13.0 / 3.0, 1.5, 1.0 / 6.0};
        const QList<double> parabolaXs{0.0, 1.0, 2.0}, parabolaYs{1.0, 3.0, 7.0};
        QTest::newRow("parabola x^2+x+1: the point at 0")
            << parabolaXs << parabolaYs << 0 << QList{1.0, 1.5, 0.5};
        QTest::newRow("parabola x^2+x+1: the point at 1 gives -0 at x^0")
            << parabolaXs << parabolaYs << 1 << QList{-0.0, -6.0, -3.0};
        QTest::newRow("parabola x^2+x+1: the point at 2")
            << parabolaXs << parabolaYs << 2 << QList{0.0, 3.5, 3.5};
        // The products of the left-out sets {0}, {1}, {2} are -1, -1e16, 1e16: in this order the -1
        // is lost to -1e16 and the sum is 0; summed from the last set it would be -1.
        QTest::newRow("left-out sets are summed in lexicographic order")
            << QList{0.0, 1e16, 1.0, -1.0} << QList{1.0, 0.0, 0.0, 0.0} << 0
            << QList{1.0, -0.0, -1.0, -1e-16};
        QTest::newRow("a single point contributes its ordinate undivided")
            << QList{5.0} << QList{3.0} << 0 << QList{3.0};
    }

    void contributionOfOnePoint()
    {
        QFETCH(QList<double>, xs);
        QFETCH(QList<double>, ys);
        QFETCH(int, point);
        QFETCH(QList<double>, contributions);
        HauptFenster window;
        setPoints(window, xs, ys);
        for (int k = 0; k <= 9; ++k) {
            const double actual = ProdK(window, k, point);
            if (k < contributions.size())
                CALC_COMPARE_BITS(actual, contributions[k]);
            else
                QCOMPARE(actual, 0.0);
        }
    }

    void coefficients_data()
    {
        // Coefficients of x^0, x^1, ...; every power not listed must be +0.0, whatever an earlier
        // run left there.
        QTest::addColumn<QList<double>>("xs");
        QTest::addColumn<QList<double>>("ys");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("(1,3),(3,7) is the line 2x + 1")
            << QList{1.0, 3.0} << QList{3.0, 7.0} << QList{1.0, 2.0};
        QTest::newRow("(2,7),(1,3) is the line 4x - 1")
            << QList{2.0, 1.0} << QList{7.0, 3.0} << QList{-1.0, 4.0};
        QTest::newRow("three points give x^2 + x + 1")
            << QList{0.0, 1.0, 2.0} << QList{1.0, 3.0, 7.0} << QList{1.0, 1.0, 1.0};
        QTest::newRow("four points give x^3")
            << QList{1.0, 2.0, 3.0, 4.0} << QList{1.0, 8.0, 27.0, 64.0}
            << QList{0.0, 0.0, 0.0, 1.0};
        // Every other power holds a residue of a few 1e-12 before the threshold clears it; the
        // value near 1 is left exactly as the prescribed order of operations rounds it.
        QTest::newRow("ten points on x^2 keep their rounding at x^2")
            << QList{1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0, 10.0}
            << QList{1.0, 4.0, 9.0, 16.0, 25.0, 36.0, 49.0, 64.0, 81.0, 100.0}
            << QList{0.0, 0.0, 1.0000000000013074};
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

    void coefficients()
    {
        QFETCH(QList<double>, xs);
        QFETCH(QList<double>, ys);
        QFETCH(QList<double>, expected);
        HauptFenster window;
        for (int k = 0; k <= 9; ++k)
            window.Koeff[k] = 42.0 + k;
        setPoints(window, xs, ys);
        window.Koeffizientenberechnung();
        for (int k = 0; k <= 9; ++k)
            CALC_COMPARE_BITS(window.Koeff[k], k < expected.size() ? expected[k] : 0.0);
    }

    void zeroThresholdClearsBelow1e8()
    {
        HauptFenster window;
        QVERIFY2(window.IstNull(std::nextafter(1e-8, 0.0)), "just below 1e-8 is zero");
        QVERIFY2(!window.IstNull(1e-8), "exactly 1e-8 is not zero");
    }
};

QTEST_MAIN(CalcCoefficientsTest)
#include "test_calc_coefficients.moc"
