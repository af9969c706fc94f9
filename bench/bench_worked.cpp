// What the Rechenweg costs: Ctrl+R until the window has painted the worked solution, and the
// steps alone (the exact work, the document, the text copy), for ten points of 17-digit decimals
// and for ten points of 1000 digits, the longest the exact check reads.

#include "app/MenuBar1.h"
#include "app/RechenwegF.h"
#include "app/WorkedCopies.h"
#include "app/WorkedScreen.h"
#include "calc/ComputeRecord.h"
#include "calc/WorkedSolution.h"
#include "framework/RichTextView.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QtTest>

namespace {

// count significant digits, a point after the first, and an exponent of its own for each.
QString digitsText(QRandomGenerator& random, int count, int exponent)
{
    QString text = QString::number(1 + random.bounded(9)) + u'.';
    for (int d = 1; d < count; ++d)
        text += QChar(u'0' + random.bounded(10));
    return text + QStringLiteral("e%1").arg(exponent);
}

void computeSet(int digits)
{
    HauptFenster& window = HauptFenster::instance();
    QRandomGenerator random(digits);
    window.SetText("sstellen", "10");
    for (int k = 0; k < 10; ++k) {
        window.SetText(kSupportRows[k].abscissa, digitsText(random, digits, k - 5));
        window.SetText(kSupportRows[k].ordinate, digitsText(random, digits, 3 - k));
    }
    window.SetText(kArgumentRows[1].argument, QStringLiteral("0.5"));
    qobject_cast<QAbstractButton*>(&window.Control("BevelButton1"))->click();
}

class FirstPaint : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == "qt_scrollarea_viewport" &&
            qobject_cast<RichTextView*>(watched->parent()))
            painted = true;
        return false;
    }
};

} // namespace

class BenchWorked : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { HauptFenster::instance(); }

    void firstPaintAfterCtrlR_data() { sets(); }
    void firstPaintAfterCtrlR()
    {
        QFETCH(int, digits);
        computeSet(digits);
        FirstPaint watch;
        qApp->installEventFilter(&watch);
        QBENCHMARK
        {
            watch.painted = false;
            MenuBar1::instance().Child("AnsichtRechenweg")->Action().trigger();
            while (!watch.painted)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            delete &RechenwegF::instance();
        }
        qApp->removeEventFilter(&watch);
    }

    // Until the solution itself is painted, worked out on another thread for 1000 digits; and
    // the longest the event loop was kept from running meanwhile.
    void solutionShownAfterCtrlR_data() { sets(); }
    void solutionShownAfterCtrlR()
    {
        QFETCH(int, digits);
        computeSet(digits);
        FirstPaint watch;
        qApp->installEventFilter(&watch);
        qint64 longestStall = 0;
        QBENCHMARK
        {
            MenuBar1::instance().Child("AnsichtRechenweg")->Action().trigger();
            auto& window = RechenwegF::instance();
            QElapsedTimer sinceLoop;
            sinceLoop.start();
            while (!window.Shown()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                longestStall = std::max(longestStall, sinceLoop.restart());
            }
            watch.painted = false;
            while (!watch.painted)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            delete &window;
        }
        qApp->removeEventFilter(&watch);
        qInfo("longest time the event loop did not run while worked out: %lld ms", longestStall);
    }

    void workOut_data() { sets(); }
    void workOut()
    {
        QFETCH(int, digits);
        computeSet(digits);
        const auto record = HauptFenster::instance().LastCompute();
        QBENCHMARK
        {
            WorkOut(*record);
        }
    }

    void document_data() { sets(); }
    void document()
    {
        QFETCH(int, digits);
        computeSet(digits);
        const WorkedSolution solution = WorkOut(*HauptFenster::instance().LastCompute());
        QBENCHMARK
        {
            QTextDocument* document = WorkedSolutionDocument(solution, false);
            RichText::EnableFractions(*document);
            document->setTextWidth(740);
            document->size(); // laid out
            delete document;
        }
    }

    void textCopy_data() { sets(); }
    void textCopy()
    {
        QFETCH(int, digits);
        computeSet(digits);
        const WorkedSolution solution = WorkOut(*HauptFenster::instance().LastCompute());
        QBENCHMARK
        {
            WorkedSolutionText(solution);
        }
    }

private:
    void sets()
    {
        QTest::addColumn<int>("digits");
        QTest::newRow("ten points of 17-digit decimals") << 17;
        QTest::newRow("ten points of 1000 digits") << 1000;
    }
};

QTEST_MAIN(BenchWorked)
#include "bench_worked.moc"
