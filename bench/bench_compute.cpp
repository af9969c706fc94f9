// What one compute command costs: the whole press of "Berechnen" on ten points and nine
// arguments, the expansion into the normal form alone, the fit of the twenty results to
// their fields that the next paint works out, and the exact check beside the command: on the
// same data, with exponents from 1e-300 to 1e300, and on the worst text a person can type.

#include "calc/ExactShadow.h"
#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAbstractButton>
#include <QtTest>

namespace {

const char* const kAbscissae[10] = {"0.1", "0.7", "1.3", "2.2", "2.9",
                                    "3.4", "4.8", "5.5", "6.1", "7.9"};
const char* const kOrdinates[10] = {"1.1", "-2.3", "0.7",  "4.4", "-0.9",
                                    "3.3", "2.2",  "-1.7", "0.3", "5.9"};
const char* const kArguments[9] = {"0.25", "1", "-3", "8.5", "3.3333", "2", "1e-3", "6", "7.5"};

// Ten points and nine arguments, as the compute command hands them over.
ExactInput exactInput(const QStringList& abscissae, const QStringList& ordinates,
                      const QStringList& arguments)
{
    ExactInput input;
    input.pointsInUse = 10;
    for (size_t i = 0; i < 10; ++i) {
        input.abscissae[i] = abscissae[qsizetype(i)];
        input.ordinates[i] = ordinates[qsizetype(i)];
        input.arguments[i] = i == 0 ? QString() : arguments[qsizetype(i) - 1];
        input.evaluated[i] = true;
    }
    input.highestVisible = 5;
    return input;
}

// Exponents across the whole range of a double, subnormals included.
const int kExtremeExponents[10] = {-323, -300, -200, -100, -1, 0, 100, 200, 300, 307};

// The texts of ten or nine numbers "d.ddd...e<exponent>" with the given mantissa digits.
QStringList extremeTexts(int count, int mantissaDigits, int offset)
{
    QStringList texts;
    std::uint32_t state = 12345u + std::uint32_t(offset);
    for (int i = 0; i < count; ++i) {
        QString mantissa;
        for (int d = 0; d < mantissaDigits; ++d) {
            state = state * 1103515245u + 12345u;
            mantissa += QChar(u'1' + (state >> 16) % 9);
        }
        mantissa.insert(1, u'.');
        const int exponent = kExtremeExponents[(i + offset) % 10];
        texts << (i % 2 ? "-" : "") + mantissa + 'e' + QString::number(exponent);
    }
    return texts;
}

} // namespace

class BenchCompute : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void fullCommandWithTenPoints();
    void coefficientsOfTenPoints();
    void fitOfTwentyResults();
    void exactCheckOfTenPoints();
    void exactCheckOfExtremeTexts_data();
    void exactCheckOfExtremeTexts();

private:
    HauptFenster* window = nullptr;
};

void BenchCompute::initTestCase()
{
    window = new HauptFenster;
    window->Construct();
    window->SetText("sstellen", "10");
    for (int k = 0; k < 10; ++k) {
        window->SetText(kSupportRows[k].abscissa, kAbscissae[k]);
        window->SetText(kSupportRows[k].ordinate, kOrdinates[k]);
    }
    for (int k = 1; k <= 9; ++k)
        window->SetText(kArgumentRows[k].argument, kArguments[k - 1]);
}

void BenchCompute::cleanupTestCase()
{
    delete window;
}

void BenchCompute::fullCommandWithTenPoints()
{
    auto* button = qobject_cast<QAbstractButton*>(&window->Control("BevelButton1"));
    QVERIFY(button);
    QBENCHMARK
    {
        button->click();
    }
    QVERIFY(!window->Text("yF91").isEmpty());
}

void BenchCompute::coefficientsOfTenPoints()
{
    window->StuetzpunkteEinlesen();
    QBENCHMARK
    {
        window->Koeffizientenberechnung();
    }
    QVERIFY(!window->Control("KF9").isHidden());
}

void BenchCompute::fitOfTwentyResults()
{
    qobject_cast<QAbstractButton*>(&window->Control("BevelButton1"))->click();
    QList<FittedNumberField*> fields = window->findChildren<FittedNumberField*>();
    QCOMPARE(fields.size(), 20);
    QBENCHMARK
    {
        // A new text makes each field work its fit out afresh, as after a command.
        for (FittedNumberField* field : fields) {
            const QString exact = field->text();
            field->setText(QString());
            field->ShownText();
            field->setText(exact);
            field->ShownText();
        }
    }
}

void BenchCompute::exactCheckOfTenPoints()
{
    QStringList abscissae, ordinates, arguments;
    for (int k = 0; k < 10; ++k) {
        abscissae << kAbscissae[k];
        ordinates << kOrdinates[k];
    }
    for (const char* argument : kArguments)
        arguments << argument;
    const ExactInput input = exactInput(abscissae, ordinates, arguments);
    ExactResults results;
    QBENCHMARK
    {
        results = ComputeExact(input);
    }
    QVERIFY(results.coefficients[9] && results.values[9] && results.hiddenChange);
}

void BenchCompute::exactCheckOfExtremeTexts_data()
{
    QTest::addColumn<int>("digits");
    QTest::newRow("17 digits, exponents 1e-300 ... 1e300") << 17;
    QTest::newRow("1000 digits, exponents 1e-300 ... 1e300") << 1000;
}

void BenchCompute::exactCheckOfExtremeTexts()
{
    QFETCH(int, digits);
    const ExactInput input = exactInput(extremeTexts(10, digits, 0), extremeTexts(10, digits, 3),
                                        extremeTexts(9, digits, 5));
    ExactResults results;
    QBENCHMARK
    {
        results = ComputeExact(input);
    }
    QVERIFY(results.coefficients[9] && results.values[9] && results.hiddenChange);
}

QTEST_MAIN(BenchCompute)
#include "bench_compute.moc"
