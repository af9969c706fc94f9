// The compute command through the form: typed fields in, the press of "Berechnen", value and
// coefficient fields and row visibility out.

#include "CalcState.h"

#include "ui/RowNames.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

void type(HauptFenster& window, const char* field, const QString& text)
{
    window.SetText(field, QString());
    QTest::keyClicks(&window.Control(field), text);
}

// Arguments fill rows 1..9; row 0 is the fixed argument 0.
void typeForm(HauptFenster& window, const QString& count, const QStringList& xs,
              const QStringList& ys, const QStringList& arguments)
{
    type(window, "sstellen", count);
    for (int k = 0; k < xs.size(); ++k) {
        type(window, kSupportRows[k].abscissa, xs[k]);
        type(window, kSupportRows[k].ordinate, ys[k]);
    }
    for (int k = 1; k <= 9; ++k)
        type(window, kArgumentRows[k].argument, arguments.value(k - 1));
}

// A row of field texts written as words, "_" for an empty one.
QStringList words(const QString& text)
{
    return text.split(u' ', Qt::SkipEmptyParts).replaceInStrings("_", "");
}

// Presses "Berechnen"; a message box it shows is answered at once, and its text returned.
QString press(HauptFenster& window)
{
    QString message;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    answer.start(10);
    QTest::mouseClick(&window.Control("BevelButton1"), Qt::LeftButton);
    return message;
}

// Everything a command may write: value and coefficient texts, row visibility, and the state
// behind them to the bit.
QStringList results(HauptFenster& window)
{
    QStringList r;
    for (int k = 0; k <= 9; ++k) {
        r << window.Text(kArgumentRows[k].value) << window.Text(kCoefficientRows[k].field)
          << (window.Control(kCoefficientRows[k].field).isHidden() ? "field hidden" : "shown")
          << (window.Control(kCoefficientRows[k].label).isHidden() ? "label hidden" : "shown");
        for (double x : {window.Argx[k], window.Argy[k], window.Koeff[k]})
            r << calc_test::describe(x);
    }
    return r;
}

} // namespace

class CalcFormTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<HauptFenster> window;

private slots:
    void init()
    {
        window = std::make_unique<HauptFenster>();
        window->Construct();
    }
    void cleanup() { window.reset(); }

    // Missing values are empty fields, missing coefficients zeros.
    void pressShowsValuesAndCoefficients_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("xs");
        QTest::addColumn<QStringList>("ys");
        QTest::addColumn<QStringList>("arguments"); // rows 1..
        QTest::addColumn<QStringList>("values");    // yF01, yF11, ...
        QTest::addColumn<QStringList>("coefficients");
        QTest::addColumn<int>("highestRowShown");
        QTest::newRow("worked example: x^2 + 1 and its value 17 at 4")
            << "3" << words("1 2 3") << words("2 5 10") << words("4") << words("1 17")
            << words("1 0 1") << 2;
        QTest::newRow("two points after ten clear and hide every higher power")
            << "2" << words("1 3") << words("3 7") << words("") << words("1") << words("1 2") << 1;
        QTest::newRow("collinear points hide x^2 and above")
            << "3" << words("0 1 2") << words("1 3 5") << words("") << words("1") << words("1 2")
            << 1;
        QTest::newRow("a negative count computes like no points, without a crash")
            << "-3" << words("") << words("") << words("4") << words("0 0") << words("") << 0;
        QTest::newRow("a repeated abscissa beyond the count is neither read nor refused")
            << "2" << words("1 2 1") << words("1 3 8") << words("") << words("-1") << words("-1 2")
            << 1;
        QTest::newRow("an argument typed as 0 leaves its row empty")
            << "3" << words("1 2 3") << words("2 5 10") << words("4 0 -1") << words("1 17 _ 2")
            << words("1 0 1") << 2;
        QTest::newRow("a value of 0 at an argument is shown, not left empty")
            << "2" << words("1 2") << words("1 3") << words("0.5") << words("-1 0") << words("-1 2")
            << 1;
        QTest::newRow("a tiny value is snapped only in rows below the count")
            << "3" << words("0 1 2") << words("0 1 2") << words("1e-12 _ _ _ 1e-12")
            << words("0 0 _ _ _ 1e-12") << words("0 1") << 1;
    }
    void pressShowsValuesAndCoefficients()
    {
        QFETCH(QString, count);
        QFETCH(QStringList, xs);
        QFETCH(QStringList, ys);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, values);
        QFETCH(QStringList, coefficients);
        QFETCH(int, highestRowShown);

        // Leftovers of an earlier command in every row that this one must overwrite or clear.
        typeForm(*window, "10", words("1 2 3 4 5 6 7 8 9 10"), words("3 1 4 1 5 9 2 6 5 3"),
                 words("1.5 2.5 3.5 4.5 5.5 6.5 7.5 8.5 9.5"));
        QCOMPARE(press(*window), QString());

        typeForm(*window, count, xs, ys, arguments);
        QCOMPARE(press(*window), QString());

        for (int k = 0; k <= 9; ++k) {
            QCOMPARE(window->Text(kArgumentRows[k].value), values.value(k));
            QCOMPARE(window->Text(kCoefficientRows[k].field), coefficients.value(k, "0"));
            QCOMPARE(window->Control(kCoefficientRows[k].field).isHidden(), k > highestRowShown);
            QCOMPARE(window->Control(kCoefficientRows[k].label).isHidden(), k > highestRowShown);
            if (k > highestRowShown)
                CALC_COMPARE_BITS(window->Koeff[k], 0.0);
        }
        // Points beyond the count are read as zeros, whatever their fields hold.
        for (int i = std::max(window->n, 0); i <= 10; ++i) {
            CALC_COMPARE_BITS(window->xwert[i], 0.0);
            CALC_COMPARE_BITS(window->ywert[i], 0.0);
        }
    }

    void resultsSurviveARepeatOrARefusal_data()
    {
        QTest::addColumn<QString>("xs"); // empty: nothing typed between the presses
        QTest::addColumn<QString>("message");
        const QString refused = "Die Stuetzstellen muessen paarweise verschieden sein!";
        QTest::newRow("a second press with nothing changed gives the same results") << ""
                                                                                    << "";
        QTest::newRow("a repeated abscissa is refused") << "1 2 3 3" << refused;
        QTest::newRow("a repeat hidden by an overflowing product is refused")
            << "1e200 -1e200 5 5" << refused;
        QTest::newRow("distinct abscissae whose product underflows are refused")
            << "0 1e-110 2e-110" << refused;
    }
    void resultsSurviveARepeatOrARefusal()
    {
        QFETCH(QString, xs);
        QFETCH(QString, message);
        typeForm(*window, "3", words("1 2 3"), words("2 5 10"), words("4 _ 7"));
        QCOMPARE(press(*window), QString());
        const QStringList before = results(*window);

        if (const QStringList points = words(xs); !points.isEmpty()) {
            typeForm(*window, QString::number(points.size()), points,
                     QStringList(points.size(), "1"), words("5 6 7 8 9"));
        }
        QCOMPARE(press(*window), message);
        QCOMPARE(results(*window), before);
    }
};

QTEST_MAIN(CalcFormTest)
#include "test_calc_form.moc"
