// The compute command through the form: typed fields in, the press of "Berechnen", value and
// coefficient fields and row visibility out.

#include "CalcState.h"

#include "framework/NumberText.h"
#include "ui/RowNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace {

const QString kNotDistinct =
    QStringLiteral("Die Stuetzstellen muessen paarweise verschieden sein!");

// Everything a command may write: value and coefficient texts, row visibility and the state
// behind them.
struct Results
{
    QStringList texts;
    QList<bool> hidden;
    QList<double> state;

    bool operator==(const Results& other) const
    {
        if (texts != other.texts || hidden != other.hidden || state.size() != other.state.size())
            return false;
        for (qsizetype i = 0; i < state.size(); ++i) {
            if (!calc_test::sameDouble(state[i], other.state[i]))
                return false;
        }
        return true;
    }
};

} // namespace

class CalcFormTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pressShowsValuesAndCoefficients_data();
    void pressShowsValuesAndCoefficients();
    void refusedPressKeepsTheLastResults_data();
    void refusedPressKeepsTheLastResults();
    void fewerPointsHideTheEarlierHigherPowers();
    void secondPressGivesTheSameResults();
    void negativeCountComputesLikeNoPoints();
    void rowsBeyondTheCountAreReadAsZero();

private:
    void type(const char* field, const QString& text);
    void typePoints(const QString& count, const QStringList& xs, const QStringList& ys);
    void typeArguments(const QStringList& arguments);
    QString press();
    Results results() const;

    HauptFenster* window = nullptr;
};

void CalcFormTest::init()
{
    window = new HauptFenster;
    window->Construct();
}

void CalcFormTest::cleanup()
{
    delete window;
    window = nullptr;
}

void CalcFormTest::type(const char* field, const QString& text)
{
    window->SetText(field, QString());
    QTest::keyClicks(&window->Control(field), text);
}

void CalcFormTest::typePoints(const QString& count, const QStringList& xs, const QStringList& ys)
{
    type("sstellen", count);
    for (int k = 0; k < xs.size(); ++k) {
        type(kSupportRows[k].abscissa, xs[k]);
        type(kSupportRows[k].ordinate, ys[k]);
    }
}

void CalcFormTest::typeArguments(const QStringList& arguments)
{
    for (int k = 1; k <= 9; ++k)
        type(kArgumentRows[k].argument, k <= arguments.size() ? arguments[k - 1] : QString());
}

// Presses "Berechnen"; a message box it shows is answered at once, and its text returned.
QString CalcFormTest::press()
{
    QString message;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    answer.start(10);
    QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton);
    return message;
}

Results CalcFormTest::results() const
{
    Results r;
    for (const ArgumentRow& row : kArgumentRows)
        r.texts << window->Text(row.value);
    for (const CoefficientRow& row : kCoefficientRows) {
        r.texts << window->Text(row.field);
        r.hidden << window->Control(row.field).isHidden() << window->Control(row.label).isHidden();
    }
    for (int i = 0; i <= 9; ++i)
        r.state << window->Argx[i] << window->Argy[i] << window->Koeff[i];
    return r;
}

void CalcFormTest::pressShowsValuesAndCoefficients_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("xs");
    QTest::addColumn<QStringList>("ys");
    QTest::addColumn<QStringList>("arguments"); // rows 1.., the rest empty
    QTest::addColumn<QStringList>("values");    // yF01, yF11, ..., the rest empty
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<int>("highestRowShown");

    const QStringList noZeros{"0", "0", "0", "0", "0", "0", "0"};
    QTest::newRow("worked example: x^2 + 1 and its value 17 at 4")
        << "3" << QStringList{"1", "2", "3"} << QStringList{"2", "5", "10"} << QStringList{"4"}
        << QStringList{"1", "17"} << QStringList{"1", "0", "1"} + noZeros << 2;
    QTest::newRow("collinear points hide x^2 and above")
        << "3" << QStringList{"0", "1", "2"} << QStringList{"1", "3", "5"} << QStringList{}
        << QStringList{"1"} << QStringList{"1", "2", "0"} + noZeros << 1;
    QTest::newRow("zero ordinates leave only the x^0 row")
        << "2" << QStringList{"1", "2"} << QStringList{"0", "0"} << QStringList{"3"}
        << QStringList{"0", "0"} << QStringList{"0", "0", "0"} + noZeros << 0;
    QTest::newRow("an argument typed as 0 leaves its row empty")
        << "3" << QStringList{"1", "2", "3"} << QStringList{"2", "5", "10"}
        << QStringList{"4", "0", "-1"} << QStringList{"1", "17", "", "2"}
        << QStringList{"1", "0", "1"} + noZeros << 2;
    QTest::newRow("a value of 0 at an argument is shown, not left empty")
        << "2" << QStringList{"1", "2"} << QStringList{"1", "3"} << QStringList{"0.5"}
        << QStringList{"-1", "0"} << QStringList{"-1", "2", "0"} + noZeros << 1;
    QTest::newRow("a tiny value is snapped only in rows below the count")
        << "3" << QStringList{"0", "1", "2"} << QStringList{"0", "1", "2"}
        << QStringList{"1e-12", "", "", "", "1e-12"} << QStringList{"0", "0", "", "", "", "1e-12"}
        << QStringList{"0", "1", "0"} + noZeros << 1;
    QTest::newRow("ten points of degree nine hide no row")
        << "10" << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}
        << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "362880"} << QStringList{"10"}
        << QStringList{"0", "3628800"}
        << QStringList{"0",     "40320", "-109584", "118124", "-67284",
                       "22449", "-4536", "546",     "-36",    "1"}
        << 9;
}

void CalcFormTest::pressShowsValuesAndCoefficients()
{
    QFETCH(QString, count);
    QFETCH(QStringList, xs);
    QFETCH(QStringList, ys);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, values);
    QFETCH(QStringList, coefficients);
    QFETCH(int, highestRowShown);

    // Leftovers of an earlier command in every row that this one must overwrite or clear.
    typePoints("10", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
               {"3", "1", "4", "1", "5", "9", "2", "6", "5", "3"});
    typeArguments({"1.5", "2.5", "3.5", "4.5", "5.5", "6.5", "7.5", "8.5", "9.5"});
    QCOMPARE(press(), QString());

    typePoints(count, xs, ys);
    typeArguments(arguments);
    QCOMPARE(press(), QString());

    for (int k = 0; k <= 9; ++k) {
        QCOMPARE(window->Text(kArgumentRows[k].value), k < values.size() ? values[k] : QString());
        QCOMPARE(window->Text(kCoefficientRows[k].field), coefficients[k]);
        QCOMPARE(window->Control(kCoefficientRows[k].field).isHidden(), k > highestRowShown);
        QCOMPARE(window->Control(kCoefficientRows[k].label).isHidden(), k > highestRowShown);
    }
}

void CalcFormTest::refusedPressKeepsTheLastResults_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("xs");
    QTest::newRow("a repeated abscissa") << "4" << QStringList{"1", "2", "3", "3"};
    QTest::newRow("a repeat hidden by an overflowing product")
        << "4" << QStringList{"1e200", "-1e200", "5", "5"};
    QTest::newRow("distinct abscissae whose product underflows")
        << "3" << QStringList{"0", "1e-110", "2e-110"};
}

void CalcFormTest::refusedPressKeepsTheLastResults()
{
    QFETCH(QString, count);
    QFETCH(QStringList, xs);

    typePoints("3", {"1", "2", "3"}, {"2", "5", "10"});
    typeArguments({"4", "", "7"});
    QCOMPARE(press(), QString());
    const Results before = results();

    typePoints(count, xs, QStringList(xs.size(), "1"));
    typeArguments({"5", "6", "7", "8", "9"});
    QCOMPARE(press(), kNotDistinct);
    QVERIFY(results() == before);
}

void CalcFormTest::fewerPointsHideTheEarlierHigherPowers()
{
    typePoints("4", {"1", "2", "3", "4"}, {"1", "8", "27", "64"});
    QCOMPARE(press(), QString());
    QCOMPARE(window->Text("KF3"), QStringLiteral("1"));

    typePoints("2", {"1", "3"}, {"3", "7"});
    QCOMPARE(press(), QString());
    QCOMPARE(window->Text("KF0"), QStringLiteral("1"));
    QCOMPARE(window->Text("KF1"), QStringLiteral("2"));
    for (int k = 2; k <= 9; ++k) {
        QCOMPARE(window->Text(kCoefficientRows[k].field), QStringLiteral("0"));
        QVERIFY(window->Control(kCoefficientRows[k].field).isHidden());
        QVERIFY(window->Control(kCoefficientRows[k].label).isHidden());
    }
}

void CalcFormTest::secondPressGivesTheSameResults()
{
    typePoints("10", {"0.1", "0.7", "1.3", "2.2", "2.9", "3.4", "4.8", "5.5", "6.1", "7.9"},
               {"1.1", "-2.3", "0.7", "4.4", "-0.9", "3.3", "2.2", "-1.7", "0.3", "5.9"});
    typeArguments({"0.25", "1", "-3", "8.5", "3.3333", "", "1e-3", "6", "7.5"});
    QCOMPARE(press(), QString());
    const Results first = results();
    QCOMPARE(press(), QString());
    QVERIFY(results() == first);
}

void CalcFormTest::negativeCountComputesLikeNoPoints()
{
    typePoints("3", {"1", "2", "3"}, {"2", "5", "10"});
    typeArguments({"4"});
    type("sstellen", "-3");
    QCOMPARE(window->n, -3);

    QCOMPARE(press(), QString());
    QCOMPARE(window->n, -3);
    QCOMPARE(window->Text("sstellen"), QStringLiteral("-3"));
    QCOMPARE(window->Text("yF01"), QStringLiteral("0"));
    QCOMPARE(window->Text("yF11"), QStringLiteral("0"));
    for (int k = 0; k <= 9; ++k) {
        QCOMPARE(window->Text(kCoefficientRows[k].field), QStringLiteral("0"));
        QCOMPARE(window->Control(kCoefficientRows[k].field).isHidden(), k > 0);
    }
}

void CalcFormTest::rowsBeyondTheCountAreReadAsZero()
{
    // Row 2 repeats the abscissa of row 0, but lies beyond the count.
    typePoints("2", {"1", "2", "1"}, {"1", "3", "8"});
    QCOMPARE(press(), QString());
    QCOMPARE(window->Text("KF1"), QStringLiteral("2"));
    for (int i = 2; i <= 10; ++i) {
        CALC_COMPARE_BITS(window->xwert[i], 0.0);
        CALC_COMPARE_BITS(window->ywert[i], 0.0);
    }

    type("sstellen", "0");
    QCOMPARE(press(), QString());
    for (int i = 0; i <= 10; ++i) {
        CALC_COMPARE_BITS(window->xwert[i], 0.0);
        CALC_COMPARE_BITS(window->ywert[i], 0.0);
    }
    QCOMPARE(window->Text("yF01"), QStringLiteral("0"));
}

QTEST_MAIN(CalcFormTest)
#include "test_calc_form.moc"
