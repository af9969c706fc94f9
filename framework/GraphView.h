#pragma once
// A drawing of one function y = f(x) with marked points: axes with labelled ticks, the curve
// sampled at every pixel column to within half a pixel, a line below it that tells the point
// under the pointer, and a view that the wheel, a drag and the keys move, anywhere within the
// doubles. It knows nothing of what the function is; the caller's sampler decides how the
// values are worked out.

#include "framework/GraphFunction.h"
#include "framework/GraphLabels.h"
#include "framework/PlotNumber.h"
#include "framework/ViewRange.h"

#include <QPointF>
#include <QPolygonF>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

struct GraphMark
{
    double x;
    double y;
    bool filled;            // a filled disc; else a ring
    bool framesDefaultView; // the default view spans these, and the others near them; "all"
                            // spans every mark
};

// The position the readout line tells: x to the digits that tell neighbouring pixel columns
// apart, and the place to which f(x) tells neighbouring pixel rows apart.
struct ReadoutPoint
{
    DecimalNumber x; // exactly the x the line names
    int valuePlace;  // f(x) is told to a multiple of 10^valuePlace
};

class GraphView final : public QWidget
{
    Q_OBJECT
public:
    struct View
    {
        double xMin, xMax, yMin, yMax;
        bool operator==(const View&) const = default;
    };

    // Where the curve is painted at one device pixel column: the x it was sampled at, and the
    // point in widget coordinates (y may lie far outside, or be NaN where f has no value).
    struct CurvePoint
    {
        double x;
        QPointF at;
    };

    // How much of the curve the view shows.
    enum class Coverage
    {
        NoValue,   // f has no finite value at any column
        OutOfView, // finite values, none of them within the view
        Broken,    // in view, but some columns have no value
        Whole,
    };

    explicit GraphView(QWidget* parent = nullptr);

    // The function and its marks; the view becomes the default view. The sampler is kept and
    // called only when the view, the size or the function changes.
    void SetFunction(Sampler sampler, std::vector<GraphMark> marks);
    // Nothing to draw; the message says why.
    void ClearFunction(const QString& message);
    bool HasFunction() const { return bool(sampler); }

    // A second function drawn dashed wherever it lies more than a pixel from the first, with a
    // legend naming both; where the two agree there is one curve and no legend.
    void SetCompanion(Sampler companion, const QString& firstName, const QString& companionName);
    void ClearCompanion();
    // By pixel column of Curve(): whether the companion is drawn there.
    const std::vector<bool>& CompanionColumns();
    // Drawn somewhere in view.
    bool CompanionShown();
    // More than a pixel apart yet nowhere in view: above (+1) or below (-1) it, else 0. The
    // legend says so.
    int CompanionOutside();
    // The legend's box (empty without a legend).
    QRectF LegendArea();

    // Dimmed, and the notes framed as a warning: what is drawn no longer belongs to the rest
    // of the program.
    void SetDimmed(bool dimmed);
    bool IsDimmed() const { return dimmed; }
    // Lines painted in a corner of the plot that covers no mark.
    void SetNotes(const QStringList& notes);
    const QStringList& Notes() const { return notes; }
    const QString& Message() const { return message; }
    // The line shown below the plot for the position under the pointer.
    void SetReadout(std::function<QString(const ReadoutPoint&)> readout);
    QString ReadoutText() const;
    // Painted over the curve and the marks, beneath the notes, on screen only (not in Image
    // and Render): what the caller adds.
    void SetOverlay(std::function<void(QPainter&)> paint);
    // Where the point (x, y) of the view lies in widget coordinates.
    QPointF PointAt(double x, double y) const;

    const View& CurrentView() const { return view; }
    // Clamped to the doubles, and to a width that a double can show at every pixel.
    void SetView(const View& wanted);
    View DefaultView() const { return defaultView; }
    // The x range of every mark, the y range of the curve on it and of the marks.
    View AllView() const;
    // factor < 1 zooms in; `about` (widget coordinates) stays where it is.
    void Zoom(double factor, QPointF about);
    void Pan(QPointF pixels);

    // Where the view is drawn: the widget less the readout line.
    QRect PlotArea() const;
    const std::vector<CurvePoint>& Curve();
    Coverage CurveCoverage();
    // The tick labels as they are drawn, and the box of the notes (empty without notes).
    const std::vector<AxisLabel>& Labels();
    QRectF NotesArea();
    // The graph as an image, as Ctrl+C copies it.
    QImage Image();
    // The same drawing onto another painter (an SVG or PDF file, a printer), as lines and text
    // in the painter's coordinates, one unit to a pixel of the widget: the plot area, as Image.
    void Render(QPainter& painter);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void ViewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // What a paint draws besides the curve, worked out once per view, size, marks and notes.
    struct Layout
    {
        std::vector<QLineF> grid;
        std::vector<QLineF> ticks;
        QLineF xAxis;
        QLineF yAxis;
        std::vector<AxisLabel> labels;
        QRectF legend;
        QRectF notes;
    };

    View fitted(bool everyMark) const;
    View panned(const View& from, QPointF pixels) const;
    ViewRange xRange() const { return {view.xMin, view.xMax}; }
    ViewRange yRange() const { return {view.yMin, view.yMax}; }
    double xAt(double pixel) const;
    double pixelOfX(double x) const;
    double pixelOfY(double y) const;
    void forgetCurve();
    void buildCurve();
    const Layout& layout();
    Layout layOut();
    // The first corner of the plot, in the order given (top right, top left, bottom right,
    // bottom left), where a box of that size, set in by a third of the font's height, covers
    // no mark and not `besides`.
    QRectF freeCorner(QSizeF size, const int (&order)[4], const QRectF& besides,
                      const QFontMetricsF& metrics) const;
    QRectF notesBox(const QRectF& legend) const;
    QString legendSecondName() const;
    QRectF legendBox() const;
    void buildCompanion(const SampleRequest& request);
    void paintCompanion(QPainter& painter) const;
    void paintLegend(QPainter& painter);
    QFont notesFont() const;
    QColor ink(QPalette::ColorRole role) const;
    std::optional<ReadoutPoint> readoutPoint() const;
    void paintPlot(QPainter& painter);
    void paintMarks(QPainter& painter);
    void paintNotes(QPainter& painter);
    void paintReadout(QPainter& painter) const;
    void paintMessage(QPainter& painter) const;

    Sampler sampler;
    std::vector<GraphMark> marks;
    std::function<QString(const ReadoutPoint&)> readout;
    std::function<void(QPainter&)> overlay;
    QString message;
    QStringList notes;
    bool dimmed = false;
    View view{-1, 1, -1, 1};
    View defaultView{-1, 1, -1, 1};

    // The curve of the current view, size and function, in pieces that stay inside the plot.
    std::vector<CurvePoint> curve;
    std::vector<QPolygonF> pieces;
    bool curveValid = false;
    double curveRatio = 1.0;
    Layout laidOut;
    bool layoutValid = false;

    // The companion and where it departs from the curve, in pieces like the curve's.
    Sampler companion;
    QString firstName;
    QString companionName;
    std::vector<bool> companionColumns;
    std::vector<QPolygonF> companionPieces;
    int companionOutside = 0;

    std::optional<QPointF> pointer;
    std::optional<QPointF> dragFrom;
    View dragView{};
    bool readoutHidden = false;
};
