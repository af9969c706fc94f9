// Properties of the compute command's arithmetic on random well-conditioned points: the
// Lagrange values pass through the points, and the normal form agrees with them.

#include "CalcState.h"

#include <QtTest>
#include <cmath>
#include <random>

using calc_test::setPoints;

namespace {

constexpr double kUnitRoundoff = 0x1p-53;

// 2..10 points, abscissae about one apart (each k + [-0.3, 0.3], shifted as a whole), so that
// no difference of abscissae is below 0.4 and the basis polynomials stay moderate.
struct RandomPoints
{
    QList<double> xs;
    QList<double> ys;
};

RandomPoints randomPoints(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> count(2, 10);
    std::uniform_real_distribution<double> jitter(-0.3, 0.3);
    std::uniform_real_distribution<double> shift(-5.0, 5.0);
    std::uniform_real_distribution<double> ordinate(-10.0, 10.0);
    RandomPoints points;
    const int n = count(random);
    const double origin = shift(random);
    for (int k = 0; k < n; ++k) {
        points.xs << origin + k + jitter(random);
        points.ys << ordinate(random);
    }
    return points;
}

// Sum over the points of |y_i| * prod_{l != i} (|x_l| + |x|) / |x_l - x_i|. It bounds the sum
// of the magnitudes of every Lagrange term at x and of every coefficient contribution times
// |x|^k, so rounding errors of both routes are a modest multiple of the unit roundoff times it.
double conditioning(const RandomPoints& points, double x)
{
    double sum = 0.0;
    for (qsizetype i = 0; i < points.xs.size(); ++i) {
        double term = std::fabs(points.ys[i]);
        for (qsizetype l = 0; l < points.xs.size(); ++l) {
            if (l != i)
                term *= (std::fabs(points.xs[l]) + std::fabs(x)) /
                        std::fabs(points.xs[l] - points.xs[i]);
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
    void valuesPassThroughTheSupportPoints();
    void normalFormAgreesWithTheLagrangeValues();
};

void CalcPropertiesTest::valuesPassThroughTheSupportPoints()
{
    std::mt19937_64 random(20240611);
    HauptFenster window;
    for (int trial = 0; trial < 500; ++trial) {
        const RandomPoints points = randomPoints(random);
        setPoints(window, points.xs, points.ys);
        const int n = int(points.xs.size());
        for (int j = 0; j < n; ++j) {
            // At x_j every other term holds the exact factor x_j - x_j = 0; the own term makes
            // n-1 multiplications and n-1 divisions by the same differences, each rounding by
            // at most the unit roundoff: relative error at most 2(n-1)u, doubled for margin.
            const double y = points.ys[j];
            const double tolerance = 4.0 * (n - 1) * kUnitRoundoff * std::fabs(y);
            QVERIFY2(std::fabs(window.g(points.xs[j]) - y) <= tolerance,
                     qPrintable(QStringLiteral("trial %1, point %2").arg(trial).arg(j)));
        }
    }
}

void CalcPropertiesTest::normalFormAgreesWithTheLagrangeValues()
{
    std::mt19937_64 random(19700101);
    HauptFenster window;
    for (int trial = 0; trial < 500; ++trial) {
        const RandomPoints points = randomPoints(random);
        setPoints(window, points.xs, points.ys);
        window.Koeffizientenberechnung();
        const int n = int(points.xs.size());
        std::uniform_real_distribution<double> argument(points.xs.front() - 1.0,
                                                        points.xs.back() + 1.0);
        for (int probe = 0; probe < 5; ++probe) {
            const double x = argument(random);
            double horner = 0.0;
            for (int k = 9; k >= 0; --k)
                horner = horner * x + window.Koeff[k];

            // Both routes make fewer than 256 roundings along any path: at most 126 partial
            // sums of a symmetric sum, 9 products, 9 divisions, 9 sums over the points and 18
            // Horner steps; the Lagrange side fewer still. Each error is relative to the
            // magnitudes that `conditioning` bounds. A coefficient that the threshold cleared
            // may have been off by up to 1e-8 before, which adds 1e-8 |x|^k.
            double tolerance = 256.0 * kUnitRoundoff * conditioning(points, x);
            for (int k = 0; k < n; ++k) {
                if (window.Koeff[k] == 0.0)
                    tolerance += 1e-8 * std::pow(std::fabs(x), k);
            }
            QVERIFY2(std::fabs(horner - window.g(x)) <= tolerance,
                     qPrintable(QStringLiteral("trial %1, x = %2, normal form %3, Lagrange %4")
                                    .arg(trial)
                                    .arg(x, 0, 'g', 17)
                                    .arg(horner, 0, 'g', 17)
                                    .arg(window.g(x), 0, 'g', 17)));
        }
    }
}

QTEST_MAIN(CalcPropertiesTest)
#include "test_calc_properties.moc"
