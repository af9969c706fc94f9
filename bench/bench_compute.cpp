// What one compute command costs: the whole press of "Berechnen" on ten points and nine
// arguments, the expansion into the normal form alone, and the fit of the twenty results to
// their fields that the next paint works out.

#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAbstractButton>
#include <QtTest>

class BenchCompute : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void fullCommandWithTenPoints();
    void coefficientsOfTenPoints();
    void fitOfTwentyResults();

private:
    HauptFenster* window = nullptr;
};

void BenchCompute::initTestCase()
{
    window = new HauptFenster;
    window->Construct();
    const char* xs[10] = {"0.1", "0.7", "1.3", "2.2", "2.9", "3.4", "4.8", "5.5", "6.1", "7.9"};
    const char* ys[10] = {"1.1", "-2.3", "0.7", "4.4", "-0.9", "3.3", "2.2", "-1.7", "0.3", "5.9"};
    const char* arguments[9] = {"0.25", "1", "-3", "8.5", "3.3333", "2", "1e-3", "6", "7.5"};
    window->SetText("sstellen", "10");
    for (int k = 0; k < 10; ++k) {
        window->SetText(kSupportRows[k].abscissa, xs[k]);
        window->SetText(kSupportRows[k].ordinate, ys[k]);
    }
    for (int k = 1; k <= 9; ++k)
        window->SetText(kArgumentRows[k].argument, arguments[k - 1]);
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

QTEST_MAIN(BenchCompute)
#include "bench_compute.moc"
