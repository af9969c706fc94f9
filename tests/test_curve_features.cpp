// The shape of the exact polynomial: zeros, maxima, minima and saddle points against values
// derived by hand from each polynomial's closed form (roots of x^2 - 2 are +-sqrt 2 =
// +-1.41421356..., and so on), written to six significant digits, "~" where rounded.

#include "calc/CurveFeatures.h"
#include "calc/ExactInterpolation.h"

#include <QtTest>

namespace {

std::optional<ScaledPolynomial> through(const QStringList& xs, const QStringList& ys)
{
    std::vector<ScaledDecimal> exactXs;
    std::vector<ScaledDecimal> exactYs;
    for (int k = 0; k < xs.size(); ++k) {
        exactXs.push_back(*ReadExact(xs[k]));
        exactYs.push_back(*ReadExact(ys[k]));
    }
    return Interpolate(exactXs, exactYs);
}

QString written(const ShapeNumber& number)
{
    if (!number.settled)
        return number.text + ".." + number.upTo;
    return (number.exact ? "" : "~") + number.text;
}

QString zerosOf(const CurveShape& shape)
{
    QStringList zeros;
    for (const CurveZero& zero : shape.zeros)
        zeros << written(zero.x) +
                     (zero.multiplicity > 1 ? QStringLiteral(" x%1").arg(zero.multiplicity) : "");
    return zeros.join(", ");
}

QString turnsOf(const CurveShape& shape)
{
    QStringList turns;
    for (const CurveTurn& turn : shape.turns) {
        const char* kind = turn.kind == TurnKind::Maximum   ? "max"
                           : turn.kind == TurnKind::Minimum ? "min"
                                                            : "saddle";
        turns << QStringLiteral("%1 (%2 | %3)").arg(kind, written(turn.x), written(turn.y));
    }
    return turns.join(", ");
}

// 1 followed by `zeros` zeros and a final 1 after the point: 1 + 10^-(zeros+1).
QString justAboveOne(int zeros)
{
    return "1." + QString(zeros, '0') + "1";
}

} // namespace

class CurveFeaturesTest : public QObject
{
    Q_OBJECT
private slots:
    void zerosAndTurnsOfTheExactPolynomial_data()
    {
        QTest::addColumn<QStringList>("xs");
        QTest::addColumn<QStringList>("ys");
        QTest::addColumn<QString>("zeros");
        QTest::addColumn<QString>("turns");
        QTest::addColumn<int>("slopeBefore");

        QTest::newRow("x^2 - 1: zeros at -1 and 1, lowest at (0 | -1), all exact")
            << QStringList{"-1", "0", "1", "2"} << QStringList{"0", "-1", "0", "3"} << "-1, 1"
            << "min (0 | -1)" << -1;
        QTest::newRow("x^2 - 2: zeros at -+sqrt 2, rounded")
            << QStringList{"0", "1", "2"} << QStringList{"-2", "-1", "2"} << "~-1.41421, ~1.41421"
            << "min (0 | -2)" << -1;
        QTest::newRow("x^3 - 3x: zeros -+sqrt 3 and 0, a maximum and a minimum")
            << QStringList{"-2", "-1", "0", "1"} << QStringList{"-2", "2", "0", "-2"}
            << "~-1.73205, 0, ~1.73205"
            << "max (-1 | 2), min (1 | -2)" << 1;
        QTest::newRow("x^3: a triple zero that is a saddle, rising throughout")
            << QStringList{"-1", "0", "1", "2"} << QStringList{"-1", "0", "1", "8"} << "0 x3"
            << "saddle (0 | 0)" << 1;
        QTest::newRow("(x - 1)^2: a double zero at the minimum")
            << QStringList{"0", "1", "2"} << QStringList{"1", "0", "1"} << "1 x2"
            << "min (1 | 0)" << -1;
        QTest::newRow("x^4 - 4x^2 + 5: no zero, minima at -+sqrt 2 exactly 1 high")
            << QStringList{"-2", "-1", "0", "1", "2"} << QStringList{"5", "2", "5", "2", "5"} << ""
            << "min (~-1.41421 | 1), max (0 | 5), min (~1.41421 | 1)" << -1;
        QTest::newRow("-x^2 + x: zeros 0 and 1, the maximum at (0.5 | 0.25)")
            << QStringList{"0", "1", "2"} << QStringList{"0", "0", "-2"} << "0, 1"
            << "max (0.5 | 0.25)" << 1;
        QTest::newRow("3x - 1: the zero 1/3 is no decimal")
            << QStringList{"0", "1"} << QStringList{"-1", "2"} << "~0.333333"
            << "" << 1;
        QTest::newRow("a zero exactly at a tie of the sixth digit is told exactly")
            << QStringList{"1.0000005", "2"} << QStringList{"0", "1"} << "1.0000005"
            << "" << 1;
        QTest::newRow("(x - 1)(x - 1.000001): two zeros a millionth apart")
            << QStringList{"0", "1", "1.000001"} << QStringList{"1.000001", "0", "0"}
            << "1, 1.000001"
            << "min (1.0000005 | -2.5e-13)" << -1;
        QTest::newRow("near 1e300: 2x/1e300 - 1 is zero at 5e299")
            << QStringList{"1e300", "2e300"} << QStringList{"1", "3"} << "5e+299"
            << "" << 1;
        QTest::newRow("a zero beyond the doubles: 1 + 1e-320 x at -1e320")
            << QStringList{"0", "1"} << QStringList{"1", justAboveOne(319)} << "-1e+320"
            << "" << 1;
        QTest::newRow("a constant has neither zeros nor turns")
            << QStringList{"0", "1"} << QStringList{"3", "3"} << ""
            << "" << 0;
    }
    void zerosAndTurnsOfTheExactPolynomial()
    {
        QFETCH(QStringList, xs);
        QFETCH(QStringList, ys);
        QFETCH(QString, zeros);
        QFETCH(QString, turns);
        QFETCH(int, slopeBefore);
        const std::optional<ScaledPolynomial> polynomial = through(xs, ys);
        QVERIFY(polynomial);
        const CurveShape shape = ShapeOf(*polynomial);
        QVERIFY(shape.known);
        QVERIFY(!shape.zeroEverywhere);
        QCOMPARE(zerosOf(shape), zeros);
        QCOMPARE(turnsOf(shape), turns);
        QCOMPARE(shape.slopeBefore, slopeBefore);
    }
};

QTEST_MAIN(CurveFeaturesTest)
#include "test_curve_features.moc"
