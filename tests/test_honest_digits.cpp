// Every digit a result field paints is right for the numbers as typed, or the field is marked:
// checked against exact fractions worked out here, apart from the program's own exact check
// (the expected values of the table come from Python's fractions.Fraction).

#include "calc/ComputeRecord.h"
#include "framework/FittedNumberField.h"
#include "framework/NumberText.h"
#include "framework/SpokenText.h"
#include "ui/HauptFenster.h"
#include "ui/ResultCopies.h"
#include "ui/RowNames.h"

#include <QApplication>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>
#include <gmpxx.h>

namespace {

struct PointSet
{
    QStringList xs;
    QStringList ys;
};

const QHash<QString, PointSet>& pointSets()
{
    static const QHash<QString, PointSet> sets = {
        {"years7",
         {{"2000", "2001", "2002", "2003", "2004", "2005", "2006"},
          {"100", "102.5", "105", "107.5", "110", "112.5", "115"}}},
        {"years10",
         {{"2000", "2001", "2002", "2003", "2004", "2005", "2006", "2007", "2008", "2009"},
          {"100", "102.5", "105", "107.5", "110", "112.5", "115", "117.5", "120", "122.5"}}},
        {"decades",
         {{"1930", "1940", "1950", "1960", "1970", "1980", "1990", "2000", "2010", "2020"},
          {"-0.03", "-0.04", "-0.05", "0.01", "0.03", "0.26", "0.32", "0.45", "0.72", "1.01"}}},
        {"tie", {{"2019", "2020", "2021"}, {"2914.16", "2765.99", "2787.26"}}},
        {"tiny", {{"1", "2"}, {"1", "2,000000001"}}},
        {"padded", {{"3215293811525", "3215293811528"}, {"6910.7647", "6910.7647"}}},
        {"at 1e-8", {{"7", "9"}, {"1e-8", "1e-8"}}},
        {"just above 1e-8",
         {{"7", "9"}, {"1.00000000000000000001e-8", "1.00000000000000000001e-8"}}},
        {"infinity", {{"1", "2"}, {"inf", "3"}}},
        {"nan", {{"1", "2"}, {"nan", "3"}}},
        {"repeated", {{"1", "1"}, {"2", "3"}}},
    };
    return sets;
}

void type(HauptFenster& window, const char* field, const QString& text)
{
    window.SetText(field, QString());
    QTest::keyClicks(&window.Control(field), text);
}

// Types the points and arguments and presses "Berechnen"; a refusal is answered at once.
void compute(HauptFenster& window, const PointSet& points, const QStringList& arguments)
{
    type(window, "sstellen", QString::number(points.xs.size()));
    for (int k = 0; k < points.xs.size(); ++k) {
        type(window, kSupportRows[k].abscissa, points.xs[k]);
        type(window, kSupportRows[k].ordinate, points.ys[k]);
    }
    for (int i = 1; i < 10; ++i)
        type(window, kArgumentRows[i].argument, arguments.value(i - 1));
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start(10);
    QTest::mouseClick(&window.Control("BevelButton1"), Qt::LeftButton);
}

FittedNumberField& resultField(HauptFenster& window, const QString& name)
{
    return dynamic_cast<FittedNumberField&>(window.Control(name));
}

mpq_class exactOf(const QString& text)
{
    QString decimal = text.trimmed().replace(u',', u'.');
    const qsizetype e = decimal.indexOf(u'e', 0, Qt::CaseInsensitive);
    const int exponent = e < 0 ? 0 : decimal.mid(e + 1).toInt();
    QString mantissa = e < 0 ? decimal : decimal.left(e);
    const qsizetype point = mantissa.indexOf(u'.');
    const int fraction = point < 0 ? 0 : int(mantissa.size() - point - 1);
    mantissa.remove(u'.');
    mpq_class value(mpz_class(mantissa.toStdString(), 10));
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, unsigned(std::abs(exponent - fraction)));
    if (exponent - fraction >= 0)
        value *= scale;
    else
        value /= scale;
    value.canonicalize();
    return value;
}

// The polynomial through the points, exactly: its value at a and its ten coefficients.
struct ExactPolynomial
{
    std::vector<mpq_class> coefficients = std::vector<mpq_class>(10);

    ExactPolynomial(const QStringList& xs, const QStringList& ys)
    {
        for (qsizetype i = 0; i < xs.size(); ++i) {
            std::vector<mpq_class> basis{1};
            mpq_class denominator = 1;
            for (qsizetype j = 0; j < xs.size(); ++j) {
                if (j == i)
                    continue;
                basis.insert(basis.begin(), 0);
                for (std::size_t k = 0; k + 1 < basis.size(); ++k)
                    basis[k] -= exactOf(xs[j]) * basis[k + 1];
                denominator *= exactOf(xs[i]) - exactOf(xs[j]);
            }
            for (std::size_t k = 0; k < basis.size(); ++k)
                coefficients[k] += exactOf(ys[i]) * basis[k] / denominator;
        }
    }
    mpq_class at(const mpq_class& a) const
    {
        mpq_class sum = 0;
        for (int k = 9; k >= 0; --k)
            sum = sum * a + coefficients[std::size_t(k)];
        return sum;
    }
};

// Whether the exact value, rounded half to even at the place of the number's last digit, is
// that number: "2871" is right for 2870.975, "2870.97" is not.
bool roundsTo(const mpq_class& exact, const QString& number)
{

    const qsizetype e = number.indexOf(u'e');
    const int exponent = e < 0 ? 0 : number.mid(e + 1).toInt();
    QString mantissa = e < 0 ? number : number.left(e);
    const qsizetype point = mantissa.indexOf(u'.');
    const int place = exponent - (point < 0 ? 0 : int(mantissa.size() - point - 1));
    mantissa.remove(u'.');
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, unsigned(std::abs(place)));
    mpq_class scaled = place >= 0 ? mpq_class(exact / scale) : mpq_class(exact * scale);
    mpz_class floor;
    mpz_fdiv_q(floor.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    const mpq_class rest = scaled - floor;
    const int half = cmp(rest, mpq_class(1, 2));
    if (half > 0 || (half == 0 && mpz_odd_p(floor.get_mpz_t())))
        floor += 1;
    return floor == mpz_class(mantissa.toStdString(), 10);
}

// A decimal text of the kind people type: small measurements, years, positions near 1e6, each
// with a few decimals, sometimes with a decimal comma. Far from 0 the points are close together
// for their size, where the double arithmetic loses most.
QString typedNumber(QRandomGenerator& random, int scale)
{
    const double offsets[] = {0, 0, 2000, 1e6};
    const double spreads[] = {1e-3, 10, 0.05, 0.01};
    double value = offsets[scale] + spreads[scale] * (random.bounded(2001) - 1000) / 100.0;
    QString text = QString::number(value, 'f', 2 + random.bounded(3));
    return random.bounded(5) == 0 ? text.replace(u'.', u',') : text;
}

} // namespace

class HonestDigitsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        window = &HauptFenster::instance();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void casesThroughTheForm_data()
    {
        QTest::addColumn<QString>("before"); // a set computed first, or none
        QTest::addColumn<QString>("points");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("painted"); // "*": whatever the double arithmetic gave
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("tooltip"); // a pattern its tooltip matches
        const auto row = [](const char* name, const char* before, const char* points,
                            QStringList arguments, const char* field, const char* painted,
                            bool marked, const char* tooltip) {
            QTest::newRow(name) << before << points << arguments << field << painted << marked
                                << tooltip;
        };
        row("seven years on a line: the value at 0 is marked, exactly -4900", "", "years7", {},
            "yF01", "*", true, "^Ungenau: .*\nBerechnet: .*\nExakt: -4900$");
        row("seven years on a line: the slope is marked, exactly 2.5", "", "years7", {}, "KF1", "*",
            true, "^Ungenau: .*\nBerechnet: .*\nExakt: 2.5$");
        row("seven years on a line: x^2 is marked, exactly 0", "", "years7", {}, "KF2", "*", true,
            "^Ungenau: Der exakte Wert ist 0.\n");
        row("ten years on a line: the constant term is marked, exactly -4900", "", "years10", {},
            "KF0", "*", true, "\nExakt: -4900$");
        row("decades: the hidden x^8 and x^9 move the points by 1.8e17, so x^7 is marked", "",
            "decades", {}, "KF7", "*", true,
            "^Ungenau: Die ausgeblendeten Potenzen ändern das Polynom an einer Stützstelle um bis "
            "zu 182251391465850464.\nBerechnet: .*\nExakt: .*\nx\\^8 ausgeblendet, Exakt: "
            "-7.417237103174603e-10\n"
            "x\\^9 ausgeblendet, Exakt: 4.1721781305114636e-14$");
        row("a tie: 2818.8949999999995 against exactly 2818.895 paints 2818.9, not 2818.89", "",
            "tie", {"2019.5"}, "yF11", "2818.9", false, "^Berechnet: .*\nExakt: 2818.895$");
        row("a value below 1e-8 is 0 by the zero rule, not marked", "", "tiny", {}, "yF01", "0",
            false,
            "^Berechnet: 0\nExakt: -1e-09\nAls 0 angezeigt, weil der Betrag berechnet und "
            "exakt unter 1e-8 liegt.$");
        row("a coefficient below 1e-8 likewise", "", "tiny", {}, "KF0", "0", false, "unter 1e-8");
        row("a 0 for exactly 1e-8 is marked", "", "at 1e-8", {}, "yF01", "0", true,
            "^Ungenau: Als 0 angezeigt, weil der berechnete Betrag unter 1e-8 liegt; der exakte "
            "Betrag ist 1e-8 oder mehr.\n");
        row("a 0 for just above 1e-8 is marked", "", "just above 1e-8", {}, "KF0", "0", true,
            "^Ungenau: Als 0 angezeigt");
        row("padding zeros are not checked digits: 6910 for 6910.7647 paints 6.91e3", "", "padded",
            {}, "yF01", "6.91e3", false, "^Berechnet: 6910\nExakt: 6910.7647$");
        row("likewise the constant coefficient", "", "padded", {}, "KF0", "6.91e+03", false,
            "^Berechnet: 6910\n");
        row("infinity typed: no exact check, the field as it was", "", "infinity", {}, "yF01",
            "inf", false, "^$");
        row("nan typed: no exact check", "", "nan", {}, "yF01", "nan", false, "^$");
        row("refused: the last results stay, with their check, and are stale", "tie", "repeated",
            {"2019.5"}, "yF11", "2818.9", false, "^Veraltet: .*\nBerechnet: .*\nExakt: 2818.895$");
    }
    void casesThroughTheForm()
    {
        QFETCH(QString, before);
        QFETCH(QString, points);
        QFETCH(QStringList, arguments);
        QFETCH(QString, field);
        QFETCH(QString, painted);
        QFETCH(bool, marked);
        QFETCH(QString, tooltip);
        if (!before.isEmpty())
            compute(*window, pointSets()[before], arguments);
        compute(*window, pointSets()[points], arguments);

        const FittedNumberField& result = resultField(*window, field);
        if (painted != "*")
            QCOMPARE(result.PaintedText(), painted);
        QCOMPARE(result.IsMarked(), marked);
        QVERIFY2(QRegularExpression(tooltip).match(result.toolTip()).hasMatch(),
                 qPrintable(result.toolTip()));
        // A screen reader hears what the eye sees, numbers with a decimal comma.
        QVERIFY2(result.accessibleDescription().contains("Angezeigt: " +
                                                         NumbersInWords(result.PaintedText())),
                 qPrintable(result.accessibleDescription()));
        QCOMPARE(result.accessibleDescription().startsWith("Ungenau"), marked && !result.IsStale());
    }

    // A result that is not a finite number where the exact value is one is wrong as a whole:
    // marked, with the exact value in its tooltip, its description and both copies.
    void nonFiniteResultsOfFiniteValues_data()
    {
        QTest::addColumn<QStringList>("xs");
        QTest::addColumn<QStringList>("ys");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("copied"); // its line in the copied table
        QTest::addColumn<QString>("tooltip");
        const QString noNumber = "^Ungenau: Die Gleitkommarechnung ergab keine Zahl \\(nan\\); der "
                                 "exakte Wert ist eine.\nBerechnet: nan\nExakt: ";
        QTest::newRow("a constant 1e300 through 0 and 1e-10 at 5: nan, exactly 1e300")
            << QStringList{"0", "1e-10"} << QStringList{"1e300", "1e300"} << "5"
            << "yF11"
            << "5\tnan\t1e+300\tungenau" << noNumber + "1e\\+300$";
        QTest::newRow("its slope: nan, exactly 0")
            << QStringList{"0", "1e-10"} << QStringList{"1e300", "1e300"} << "5"
            << "KF1"
            << "1\tnan\t0\tungenau" << noNumber + "0$";
        QTest::newRow("a constant 1e308 at 2: inf on the way, exactly 1e308")
            << QStringList{"0", "1"} << QStringList{"1e308", "1e308"} << "2"
            << "yF11"
            << "2\tinf\t1e+308\tungenau"
            << "^Ungenau: Die Gleitkommarechnung lief über \\(inf\\); der exakte Wert ist "
               "endlich.\nBerechnet: inf\nExakt: 1e\\+308$";
        QTest::newRow("a slope of -2e308: -inf, exactly beyond the doubles")
            << QStringList{"0", "1"} << QStringList{"1e308", "-1e308"} << ""
            << "KF1"
            << "1\t-inf\t-2e+308\tungenau"
            << "^Ungenau: Die Gleitkommarechnung lief über \\(-inf\\); der exakte Wert ist "
               "endlich, liegt aber jenseits der größten Gleitkommazahl.\nBerechnet: -inf\n"
               "Exakt: -2e\\+308$";
    }
    void nonFiniteResultsOfFiniteValues()
    {
        QFETCH(QStringList, xs);
        QFETCH(QStringList, ys);
        QFETCH(QString, argument);
        QFETCH(QString, field);
        QFETCH(QString, copied);
        QFETCH(QString, tooltip);
        compute(*window, {xs, ys}, {argument});
        const FittedNumberField& result = resultField(*window, field);
        QVERIFY(result.IsMarked());
        QVERIFY2(QRegularExpression(tooltip).match(result.toolTip()).hasMatch(),
                 qPrintable(result.toolTip()));
        QVERIFY2(result.accessibleDescription().startsWith("Ungenau"),
                 qPrintable(result.accessibleDescription()));
        const QString exact = result.Reference()->exactText;
        QVERIFY2(result.accessibleDescription().contains("Exakt: " + NumbersInWords(exact)),
                 qPrintable(result.accessibleDescription()));
        const ComputeRecord& record = *window->LastCompute();
        const QString text = ResultsAsDelimitedText(record, u'\t', QLocale::c(), false);
        QVERIFY2(text.split(u'\n').contains(copied), qPrintable(text));
        // The HTML cell of the exact value shows it as the text copy does.
        const QString html = ResultsAsHtml(record, QLocale::c(), false);
        QVERIFY2(html.contains(u'>' + copied.split(u'\t')[2] + QStringLiteral("</td>")),
                 qPrintable(html));
    }

    // Over random sets: every painted number is the exact value rounded at its last digit, or
    // its field is marked; and a marked field has not even one right digit.
    void randomSetsPaintRightDigitsOrAreMarked()
    {
        QRandomGenerator random(20261209);
        int marked = 0;
        int checked = 0;
        for (int set = 0; set < 150; ++set) {
            const int count = 2 + int(random.bounded(9));
            const int scale = int(random.bounded(4));
            PointSet points;
            QSet<double> abscissae;
            while (points.xs.size() < count) {
                const QString x = typedNumber(random, scale);
                if (!abscissae.contains(Val(x)) && Val(x) != 0.0) {
                    abscissae << Val(x);
                    points.xs << x;
                    points.ys << typedNumber(random, int(random.bounded(4)));
                }
            }
            // Every third set a straight line through whole years: exact zeros above x^1.
            if (set % 3 == 0) {
                const double intercept = int(random.bounded(2001)) - 1000;
                const double slope = (int(random.bounded(201)) - 100) / 10.0;
                for (int k = 0; k < count; ++k) {
                    points.xs[k] = QString::number(1990 + 3 * k + int(random.bounded(3)));
                    points.ys[k] = QString::number(intercept + slope * Val(points.xs[k]), 'f', 1);
                }
            }
            // Every fifth set a constant through two points near 3e12: the double arithmetic
            // gives round numbers ("6910" for 6910.7647) whose padding zeros were never checked.
            if (set % 5 == 1) {
                const QString y = QString::number(random.bounded(100000000) / 1e4, 'f', 4);
                const qint64 x = 3215293811525 + random.bounded(1000);
                points = {{QString::number(x), QString::number(x + 1 + random.bounded(5))}, {y, y}};
            }
            QStringList arguments{typedNumber(random, scale), typedNumber(random, scale)};
            compute(*window, points, arguments);
            const ExactPolynomial exact(points.xs, points.ys);

            QList<std::pair<QString, mpq_class>> shown;
            shown << std::pair{QString("yF01"), exact.at(0)};
            for (int i = 1; i <= 2; ++i)
                shown << std::pair{QString(kArgumentRows[i].value),
                                   exact.at(exactOf(arguments[i - 1]))};
            for (int k = 0; k < 10; ++k) {
                if (!window->Control(kCoefficientRows[k].field).isHidden())
                    shown << std::pair{QString(kCoefficientRows[k].field),
                                       exact.coefficients[std::size_t(k)]};
            }
            for (const auto& [name, value] : shown) {
                const FittedNumberField& field = resultField(*window, name);
                const QString text = field.PaintedText();
                const double computed = Val(field.text());
                const QString why = name + " paints " + text + " of " + field.text() +
                                    " for exactly " + QString::fromStdString(value.get_str());
                // No argument, too narrow for any digit, or no finite number to judge.
                if (text.isEmpty() || text.contains(u'#') || !std::isfinite(computed))
                    continue;
                QVERIFY2(field.Reference(), qPrintable(why));
                ++checked;
                if (!field.IsMarked()) {
                    const bool zeroByRule = text == "0" && field.toolTip().contains("unter 1e-8");
                    QVERIFY2(roundsTo(value, text) || zeroByRule, qPrintable(why));
                } else if (field.Reference()->markedFor.isEmpty() && computed != 0.0) {
                    ++marked;
                    char digit[32];
                    std::snprintf(digit, sizeof digit, "%.0e", computed);
                    QVERIFY2(!roundsTo(value, QString(digit).replace("e+", "e")), qPrintable(why));
                }
            }
        }
        qInfo("%d results checked, %d of them marked", checked, marked);
        QVERIFY(marked > 0);
    }

private:
    HauptFenster* window = nullptr;
};

QTEST_MAIN(HonestDigitsTest)
#include "test_honest_digits.moc"
