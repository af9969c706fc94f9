// The graph's second curve: the polynomial of the coefficients the form shows, dashed exactly
// where it lies more than a pixel from the exact polynomial through the points as typed, and
// the legend only then. Both polynomials are worked out here in GMP rationals.

#include "app/GraphF.h"
#include "app/MenuBar1.h"
#include "calc/ComputeRecord.h"
#include "framework/GraphView.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QtTest>
#include <gmpxx.h>

namespace {

// The sampled curves lie within this many pixels of their exact values (the graph's own
// tolerance); only a column whose exact distance is clear of one pixel by both is judged.
constexpr double kSampling = 0.4;

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

// The interpolating polynomial in Newton's form.
mpq_class newtonAt(const QStringList& xs, const QStringList& ys, const mpq_class& x)
{
    std::vector<mpq_class> X;
    std::vector<mpq_class> d;
    for (int i = 0; i < xs.size(); ++i) {
        X.push_back(exactOf(xs[i]));
        d.push_back(exactOf(ys[i]));
    }
    for (size_t level = 1; level < X.size(); ++level)
        for (size_t i = X.size() - 1; i >= level; --i)
            d[i] = (d[i] - d[i - 1]) / (X[i] - X[i - level]);
    mpq_class sum = d.back();
    for (size_t k = X.size() - 1; k-- > 0;)
        sum = sum * (x - X[k]) + d[k];
    return sum;
}

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

} // namespace

class CoefficientCurveTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { HauptFenster::instance(); }

    void dashedExactlyWhereTheCoefficientsPartFromTheExactPolynomial_data()
    {
        QTest::addColumn<QStringList>("xs");
        QTest::addColumn<QStringList>("ys");
        QTest::addColumn<QList<double>>("view"); // xMin, xMax, yMin, yMax; empty: the default
        QTest::addColumn<QString>("dashed");     // "drawn", "above", "none"
        const QStringList years{"2000", "2001", "2002", "2003", "2004", "2005", "2006"};
        const QStringList ordinates{"100", "102.5", "105", "107.5", "110", "112.5", "115"};
        QTest::newRow("the years line: the shown coefficients' curve lies far above the view")
            << years << ordinates << QList<double>{} << "above";
        QTest::newRow("the years line near 0: -4900 exact against 6144 shown, dashed")
            << years << ordinates << QList<double>{-5, 5, -6000, 7000} << "drawn";
        QTest::newRow("the textbook points: exact coefficients, one curve, no legend")
            << QStringList{"0", "1", "2"} << QStringList{"1", "3", "2"} << QList<double>{}
            << "none";
        QTest::newRow("ten Runge points: rounding below a pixel, one curve")
            << rungeXs() << rungeYs() << QList<double>{} << "none";
    }
    void dashedExactlyWhereTheCoefficientsPartFromTheExactPolynomial()
    {
        QFETCH(QStringList, xs);
        QFETCH(QStringList, ys);
        QFETCH(QList<double>, view);
        QFETCH(QString, dashed);
        HauptFenster& window = HauptFenster::instance();
        window.SetText("sstellen", QString::number(xs.size()));
        for (int k = 0; k < xs.size(); ++k) {
            window.SetText(kSupportRows[k].abscissa, xs[k]);
            window.SetText(kSupportRows[k].ordinate, ys[k]);
        }
        QTest::mouseClick(&window.Control("BevelButton1"), Qt::LeftButton);
        MenuBar1::instance().Child("AnsichtGraph")->Action().trigger();
        auto& graph = dynamic_cast<GraphView&>(GraphF::instance().Control("GraphView"));
        graph.resize(480, 360);
        if (!view.isEmpty())
            graph.SetView({view[0], view[1], view[2], view[3]});
        const auto record = window.LastCompute();

        const GraphView::View shown = graph.CurrentView();
        const mpq_class pixelsPerUnit =
            mpq_class(graph.height()) / (mpq_class(shown.yMax) - mpq_class(shown.yMin));
        const std::vector<GraphView::CurvePoint>& curve = graph.Curve();
        const std::vector<bool>& columns = graph.CompanionColumns();
        QCOMPARE(columns.size(), curve.size());
        int judged = 0;
        for (size_t j = 0; j < curve.size(); ++j) {
            const mpq_class x(curve[j].x);
            mpq_class q = 0;
            for (int k = 9; k >= 0; --k)
                q = q * x + mpq_class(record->coefficients[size_t(k)].computed);
            const mpq_class p = newtonAt(xs, ys, x);
            const double apart = mpq_class(abs(mpq_class(p - q)) * pixelsPerUnit).get_d();
            const double at = mpq_class((mpq_class(shown.yMax) - q) * pixelsPerUnit).get_d();
            if (at < 0 || at > graph.height())
                continue;
            if (apart > 1 + 2 * kSampling)
                QVERIFY2(columns[j], qPrintable(QStringLiteral("%1 pixels apart at x = %2, not "
                                                               "dashed")
                                                    .arg(apart)
                                                    .arg(Str(curve[j].x))));
            if (apart < 1 - 2 * kSampling)
                QVERIFY2(!columns[j], qPrintable(QStringLiteral("%1 pixels apart at x = %2, "
                                                                "dashed")
                                                     .arg(apart)
                                                     .arg(Str(curve[j].x))));
            ++judged;
        }
        QVERIFY(judged > 0 || dashed == "above");
        QCOMPARE(graph.CompanionShown(), dashed == "drawn");
        QCOMPARE(graph.CompanionOutside(), dashed == "above" ? 1 : 0);
        QCOMPARE(graph.accessibleDescription().contains(QStringLiteral("Gestrichelt")),
                 dashed == "drawn");
    }
};

QTEST_MAIN(CoefficientCurveTest)
#include "test_coefficient_curve.moc"
