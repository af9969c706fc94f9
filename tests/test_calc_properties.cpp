// Properties of the compute command's arithmetic on random well-conditioned points: the
// Lagrange values pass through the points, and the normal form agrees with them.

#include "CalcState.h"

#include <QtTest>
#include <cmath>
#include <random>

namespace {

constexpr double kUnitRoundoff = 0x1p-53;

// 2..10 points, abscissae about one apart (each k + [-0.3, 0.3], shifted as a whole), so that
// no difference of abscissae is below 0.4 and the basis polynomials stay moderate.
void setRandomPoints(HauptFenster& window, std::mt19937_64& random)
{
    std::uniform_real_distribution<double> jitter(-0.3, 0.3), shift(-5.0, 5.0), y(-10.0, 10.0);
    QList<double> xs, ys;
    const int n = std::uniform_int_distribution<int>(2, 10)(random);
    const double origin = shift(random);
    for (int k = 0; k < n; ++k) {
        xs << origin + k + jitter(random);
        ys << y(random);
    }
    calc_test::setPoints(window, xs, ys);
}

// Sum over the points of |y_i| * prod_{l != i} (|x_l| + |x|) / |x_l - x_i|. It bounds the sum
// of the magnitudes of every Lagrange term at x and of every coefficient contribution times
// |x|^k, so rounding errors of both routes are a modest multiple of the unit roundoff times it.
double conditioning(const HauptFenster& w, double x)
{
    double sum = 0.0;
    for (int i = 0; i < w.n; ++i) {
        double term = std::fabs(w.ywert[i]);
        for (int l = 0; l < w.n; ++l) {
            if (l != i)
                term *= (std::fabs(w.xwert[l]) + std::fabs(x)) / std::fabs(w.xwert[l] - w.xwert[i]);
        }
        sum += term;
    }
    return sum;
}

} // namespace

class CalcPropertiesTest : public QObject
{
    Q_OBJECT
private slots:
    void lagrangeValuesAndNormalFormOnRandomPoints()
    {
        std::mt19937_64 random(20240611);
        HauptFenster window;
        for (int trial = 0; trial < 500; ++trial) {
            setRandomPoints(window, random);
            window.Koeffizientenberechnung();
            const int n = window.n;
            for (int j = 0; j < n; ++j) {
                // At x_j every other term holds the exact factor x_j - x_j = 0; the own term
                // makes n-1 multiplications and n-1 divisions by the same differences, each
                // rounding by at most the unit roundoff: relative error at most 2(n-1)u,
                // doubled for margin.
                const double y = window.ywert[j];
                QVERIFY2(std::fabs(window.g(window.xwert[j]) - y) <=
                             4.0 * (n - 1) * kUnitRoundoff * std::fabs(y),
                         qPrintable(QStringLiteral("trial %1, point %2").arg(trial).arg(j)));
            }

            std::uniform_real_distribution<double> argument(window.xwert[0] - 1.0,
                                                            window.xwert[n - 1] + 1.0);
            for (int probe = 0; probe < 5; ++probe) {
                const double x = argument(random);
                double horner = 0.0;
                for (int k = 9; k >= 0; --k)
                    horner = horner * x + window.Koeff[k];
                // Both routes make fewer than 256 roundings along any path: at most 126 partial
                // sums of a symmetric sum, 9 products, 9 divisions, 9 sums over the points and
                // 18 Horner steps; the Lagrange side fewer still. Each error is relative to the
                // magnitudes that `conditioning` bounds. A coefficient that the threshold
                // cleared may have been off by up to 1e-8 before, which adds 1e-8 |x|^k.
                double tolerance = 256.0 * kUnitRoundoff * conditioning(window, x);
                for (int k = 0; k < n; ++k) {
                    if (window.Koeff[k] == 0.0)
                        tolerance += 1e-8 * std::pow(std::fabs(x), k);
                }
                QVERIFY2(
                    std::fabs(horner - window.g(x)) <= tolerance,
                    qPrintable(QStringLiteral("trial %1, x = %2").arg(trial).arg(x, 0, 'g', 17)));
            }
        }
    }
};

QTEST_MAIN(CalcPropertiesTest)
#include "test_calc_properties.moc"
