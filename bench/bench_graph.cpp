// What the graph costs: Ctrl+G until the window has painted its first picture, and one
// repaint of a 1920 x 1080 view while zooming, each for ten ordinary points and for ten points
// with exponents from 1e-323 to 1e307.

#include "app/GraphF.h"
#include "app/MenuBar1.h"
#include "framework/GraphView.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAbstractButton>
#include <QtTest>

namespace {

struct PointTexts
{
    QStringList xs;
    QStringList ys;
};

PointTexts pointsOf(const QString& set)
{
    if (set == "ordinary")
        return {{"0.1", "0.7", "1.3", "2.2", "2.9", "3.4", "4.8", "5.5", "6.1", "7.9"},
                {"1.1", "-2.3", "0.7", "4.4", "-0.9", "3.3", "2.2", "-1.7", "0.3", "5.9"}};
    return {{"-7.3e307", "-2.9e300", "-4.1e200", "-1.3e100", "-6.7e-1", "5.9e-323", "3.7e-200",
             "8.3e100", "2.3e300", "9.1e307"},
            {"4.4e300", "-2.7e-323", "1.9e307", "-8.8e-100", "3.1e1", "-6.2e200", "7.3e-300",
             "-1.7e307", "5.5e100", "-2.2e-1"}};
}

// The main window after a compute of the set, with three arguments.
void computeSet(const QString& set)
{
    HauptFenster& window = HauptFenster::instance();
    const PointTexts points = pointsOf(set);
    window.SetText("sstellen", "10");
    for (int k = 0; k < 10; ++k) {
        window.SetText(kSupportRows[k].abscissa, points.xs[k]);
        window.SetText(kSupportRows[k].ordinate, points.ys[k]);
    }
    for (int i = 1; i <= 3; ++i)
        window.SetText(kArgumentRows[i].argument, QString::number(i * 1.5));
    qobject_cast<QAbstractButton*>(&window.Control("BevelButton1"))->click();
}

// Notes the first paint of the drawing.
class FirstPaint : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<GraphView*>(watched))
            painted = true;
        return false;
    }
};

} // namespace

class BenchGraph : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { HauptFenster::instance(); }

    void firstPaintAfterCtrlG_data() { sets(); }
    void firstPaintAfterCtrlG()
    {
        QFETCH(QString, set);
        computeSet(set);
        FirstPaint watch;
        qApp->installEventFilter(&watch);
        QBENCHMARK
        {
            watch.painted = false;
            MenuBar1::instance().Child("AnsichtGraph")->Action().trigger();
            while (!watch.painted)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            // A new window for the next round, as for the first Ctrl+G of a run.
            delete &GraphF::instance();
        }
        qApp->removeEventFilter(&watch);
    }

    void repaintWhileZooming_data() { sets(); }
    void repaintWhileZooming()
    {
        QFETCH(QString, set);
        computeSet(set);
        MenuBar1::instance().Child("AnsichtGraph")->Action().trigger();
        auto& view = dynamic_cast<GraphView&>(GraphF::instance().Control("GraphView"));
        // The drawing itself 1920 x 1080, whatever stands around it in the window.
        GraphF& window = GraphF::instance();
        window.resize(QSize(1920, 1080) + window.size() - view.size());
        QVERIFY(QTest::qWaitForWindowExposed(&GraphF::instance()));
        QCOMPARE(view.size(), QSize(1920, 1080));
        int notch = 0;
        QBENCHMARK
        {
            // In and out by turns about a point off the centre, as a wheel does.
            view.Zoom(notch++ % 8 < 4 ? 0.8 : 1.25, QPointF(700, 400));
            view.repaint();
        }
        delete &GraphF::instance();
    }

private:
    void sets()
    {
        QTest::addColumn<QString>("set");
        QTest::newRow("ten points") << QStringLiteral("ordinary");
        QTest::newRow("ten points, exponents 1e-323 ... 1e307") << QStringLiteral("extreme");
    }
};

QTEST_MAIN(BenchGraph)
#include "bench_graph.moc"
