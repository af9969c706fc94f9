// What the graph costs: Ctrl+G until the window has painted its first picture, and one
// repaint of a 1920 x 1080 view while zooming, each for ten ordinary points and for ten points
// with exponents from 1e-323 to 1e307. And the drawing against its floor: the same view drawn
// by a plain widget with plain QPainter calls (grid, label backgrounds and texts, axes, the
// antialiased polyline of every column, the marks, the readout line), GraphView's repaint given
// as a ratio of it, both timed by turns in one run.

#include "app/GraphF.h"
#include "app/MenuBar1.h"
#include "framework/GraphView.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QPainter>
#include <QtTest>
#include <algorithm>

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

// The same pixels as the graph's view, from data taken once: nothing but drawing calls.
class FloorDrawing : public QWidget
{
public:
    explicit FloorDrawing(GraphView& view)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFont(view.font());
        setPalette(view.palette());
        plot = view.PlotArea();
        // The curve in pieces within the plot, cut where it leaves it, as the view draws it.
        const std::vector<GraphView::CurvePoint>& points = view.Curve();
        const double top = -2;
        const double bottom = plot.height() + 2;
        for (size_t j = 1; j < points.size(); ++j) {
            QPointF a = points[j - 1].at;
            QPointF b = points[j].at;
            if (!std::isfinite(a.y()) || !std::isfinite(b.y()) || (a.y() < top && b.y() < top) ||
                (a.y() > bottom && b.y() > bottom))
                continue;
            const auto cut = [&](QPointF from, QPointF to) {
                if (from.y() >= top && from.y() <= bottom)
                    return from;
                const double edge = from.y() < top ? top : bottom;
                return QPointF(
                    from.x() + (edge - from.y()) / (to.y() - from.y()) * (to.x() - from.x()), edge);
            };
            a = cut(points[j - 1].at, points[j].at);
            b = cut(points[j].at, points[j - 1].at);
            if (pieces.empty() || pieces.back().back() != a)
                pieces.push_back(QPolygonF{a});
            pieces.back() << b;
        }
        for (const GraphView::CurvePoint& point : points)
            curve << point.at;
        const GraphView::View& shown = view.CurrentView();
        for (const AxisLabel& label : view.Labels()) {
            labels.push_back(label);
            const double share = label.onXAxis
                                     ? (label.value - shown.xMin) / (shown.xMax - shown.xMin)
                                     : (shown.yMax - label.value) / (shown.yMax - shown.yMin);
            const double at =
                std::floor(share * (label.onXAxis ? plot.width() : plot.height())) + 0.5;
            grid.push_back(label.onXAxis ? QLineF(at, 0, at, plot.height())
                                         : QLineF(0, at, plot.width(), at));
        }
        axes = {QLineF(0, plot.height() / 2 + 0.5, plot.width(), plot.height() / 2 + 0.5),
                QLineF(plot.width() / 2 + 0.5, 0, plot.width() / 2 + 0.5, plot.height())};
        for (int k = 0; k < 10; ++k)
            marks << QPointF(plot.width() * (k + 0.5) / 10, plot.height() / 2.0);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QColor text = palette().color(QPalette::Text);
        const QColor base = palette().color(QPalette::Base);
        painter.fillRect(plot, base);
        painter.fillRect(QRect(0, plot.bottom() + 1, width(), height() - plot.height()),
                         palette().color(QPalette::Window));
        painter.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 1));
        painter.drawLines(grid.data(), int(grid.size()));
        painter.setPen(QPen(text, 1));
        painter.drawLines(axes.data(), int(axes.size()));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2.0, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        // In polylines of 48 points, as the view draws them: Qt strokes one long antialiased
        // polyline several times slower.
        for (const QPolygonF& piece : pieces) {
            for (qsizetype start = 0; start + 1 < piece.size(); start += 47)
                painter.drawPolyline(piece.constData() + start,
                                     int(std::min<qsizetype>(48, piece.size() - start)));
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (const AxisLabel& label : labels)
            painter.fillRect(label.box, base);
        painter.setPen(text);
        for (const AxisLabel& label : labels)
            painter.drawText(label.baseline, label.text);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(base, 1.0));
        painter.setBrush(text);
        for (const QPointF& mark : marks)
            painter.drawEllipse(mark, 3.5, 3.5);
    }

private:
    QRect plot;
    QPolygonF curve;
    std::vector<QPolygonF> pieces;
    std::vector<AxisLabel> labels;
    std::vector<QLineF> grid;
    std::vector<QLineF> axes;
    QPolygonF marks;
};

// Milliseconds of one repaint, the median of `rounds`.
double medianRepaint(QWidget& widget, int rounds, const std::function<void()>& before = {})
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        if (before)
            before();
        QElapsedTimer timer;
        timer.start();
        widget.repaint();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[size_t(rounds / 2)];
}

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

    // GraphView's repaint of an unchanged view and of a view while zooming, each against the
    // floor, timed by turns so that both meet the same load.
    void repaintAgainstTheFloor_data() { sets(); }
    void repaintAgainstTheFloor()
    {
        QFETCH(QString, set);
        computeSet(set);
        MenuBar1::instance().Child("AnsichtGraph")->Action().trigger();
        auto& view = dynamic_cast<GraphView&>(GraphF::instance().Control("GraphView"));
        // The drawing itself 1920 x 1080, as the floor's, whatever stands around it.
        GraphF& window = GraphF::instance();
        window.resize(QSize(1920, 1080) + window.size() - view.size());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(view.size(), QSize(1920, 1080));
        view.repaint();
        FloorDrawing floor(view);
        floor.resize(1920, 1080);
        floor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&floor));
        floor.repaint();

        std::vector<double> same;
        std::vector<double> zooming;
        std::vector<double> floors;
        const GraphView::View home = view.CurrentView();
        for (int turn = 0; turn < 15; ++turn) {
            view.SetView(home);
            view.repaint();
            floors.push_back(medianRepaint(floor, 9));
            same.push_back(medianRepaint(view, 9));
            // Four notches in and four out about a point off the centre, as a wheel does.
            int notch = 0;
            zooming.push_back(medianRepaint(
                view, 8, [&] { view.Zoom(notch++ < 4 ? 0.8 : 1.25, QPointF(700, 400)); }));
        }
        const auto median = [](std::vector<double> times) {
            std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
            return times[times.size() / 2];
        };
        const double floorTime = median(floors);
        qInfo("floor %.2f ms; GraphView, same view %.2f ms = %.2f x floor; while zooming %.2f ms "
              "= %.2f x floor",
              floorTime, median(same), median(same) / floorTime, median(zooming),
              median(zooming) / floorTime);
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
