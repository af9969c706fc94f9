// What the shape of the curve costs ("Verlauf": zeros, maxima and minima, isolated exactly and
// given to six digits), worked out once per compute that the graph shows: on short decimals, on
// ten points across the whole range of a double, at the thousand digits the exact reading takes,
// with a double zero there, and with roots packed within 1e-900 of each other.

#include "calc/CurveFeatures.h"
#include "calc/ExactInterpolation.h"

#include <QtTest>

namespace {

struct Points
{
    QStringList xs;
    QStringList ys;
};

// "d.ddd...e<exponent>" with pseudo-random digits.
QStringList texts(int count, int digits, const std::vector<int>& exponents, std::uint32_t seed)
{
    QStringList result;
    for (int i = 0; i < count; ++i) {
        QString mantissa;
        for (int d = 0; d < digits; ++d) {
            seed = seed * 1103515245u + 12345u;
            mantissa += QChar(u'1' + (seed >> 16) % 9);
        }
        mantissa.insert(1, u'.');
        result << (i % 2 ? "-" : "") + mantissa + 'e' +
                      QString::number(exponents[size_t(i) % exponents.size()]);
    }
    return result;
}

// A number of 1000 digits, 0.123...: `a`; the points a + k carry it whole.
QString longNumber(int shift)
{
    QString digits = QStringLiteral("0.");
    for (int d = 0; d < 998; ++d)
        digits += QChar(u'0' + (d * 7 + 3) % 10);
    digits += QChar(u'0' + shift);
    return digits;
}

Points points(const QString& name)
{
    if (name == "short") {
        return {{"0.1", "0.7", "1.3", "2.2", "2.9", "3.4", "4.8", "5.5", "6.1", "7.9"},
                {"1.1", "-2.3", "0.7", "4.4", "-0.9", "3.3", "2.2", "-1.7", "0.3", "5.9"}};
    }
    if (name == "extreme") {
        const std::vector<int> exponents{-300, -200, -100, -1, 0, 100, 200, 300, 307, -250};
        return {texts(10, 17, exponents, 1), texts(10, 17, exponents, 7)};
    }
    if (name == "thousand digits") {
        const std::vector<int> exponents{-300, -200, -100, -1, 0, 100, 200, 300, 307, -250};
        return {texts(10, 1000, exponents, 1), texts(10, 1000, exponents, 7)};
    }
    if (name == "double zero") {
        // (x - a)^2 (x - a - 0.5) through x = a + k: the values k^2 (k - 0.5) are short.
        Points set;
        for (int k = 0; k < 4; ++k) {
            QString x = longNumber(0);
            x.replace(0, 1, QString::number(k));
            set.xs << x;
            set.ys << QString::number(k * k * (k - 0.5));
        }
        return set;
    }
    // Ten abscissae within 1e-990 of each other, alternating values: roots packed as tightly.
    Points set;
    for (int k = 0; k < 10; ++k) {
        set.xs << longNumber(k);
        set.ys << (k % 2 ? "1" : "-1");
    }
    return set;
}

} // namespace

class BenchCurveShape : public QObject
{
    Q_OBJECT
private slots:
    void shapeOfTenPoints_data()
    {
        QTest::addColumn<QString>("set");
        QTest::newRow("ten points of short decimals") << "short";
        QTest::newRow("ten points of 17 digits, exponents 1e-300 ... 1e307") << "extreme";
        QTest::newRow("ten points of 1000 digits, exponents 1e-300 ... 1e307") << "thousand digits";
        QTest::newRow("a double zero at a number of 1000 digits") << "double zero";
        QTest::newRow("ten abscissae of 1000 digits within 1e-990") << "packed";
    }
    void shapeOfTenPoints()
    {
        QFETCH(QString, set);
        const Points chosen = points(set);
        std::vector<ScaledDecimal> xs;
        std::vector<ScaledDecimal> ys;
        for (int k = 0; k < chosen.xs.size(); ++k) {
            xs.push_back(*ReadExact(chosen.xs[k]));
            ys.push_back(*ReadExact(chosen.ys[k]));
        }
        const std::optional<ScaledPolynomial> polynomial = Interpolate(xs, ys);
        QVERIFY(polynomial);
        CurveShape shape;
        QBENCHMARK
        {
            shape = ShapeOf(*polynomial);
        }
        qInfo("%s: %s, %zu zeros, %zu turns", qPrintable(set), shape.known ? "known" : "unknown",
              shape.zeros.size(), shape.turns.size());
    }
};

QTEST_MAIN(BenchCurveShape)
#include "bench_curve_shape.moc"
