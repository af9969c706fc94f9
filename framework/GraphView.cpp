// The graph's state and view: the function and its marks, the view and how it moves, the
// sampled curve, and the input that moves the view. How it is drawn is in GraphViewPaint.cpp.

#include "framework/GraphView.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// How far the curve may run beyond the edges before it is cut, in pixels.
constexpr double kBand = 2.0;
// Where a finite value lies whose distance from the view overflows, in pixels.
constexpr double kFarAway = 1e9;
// The sampled values lie within this many device pixels of the true ones; the test allows half.
constexpr double kSampleTolerance = 0.4;
constexpr int kFitSamples = 512;
constexpr double kZoomStep = 1.25;
constexpr double kPanStep = 0.1;

// The part of the segment from a to b that lies between the heights top and bottom, if any:
// cut where it leaves the band, however far beyond it its ends lie. A column without a finite
// value breaks the curve.
std::optional<std::pair<QPointF, QPointF>> clippedSegment(QPointF a, QPointF b, double top,
                                                          double bottom)
{
    if (!std::isfinite(a.y()) || !std::isfinite(b.y()))
        return std::nullopt;
    if ((a.y() < top && b.y() < top) || (a.y() > bottom && b.y() > bottom))
        return std::nullopt;
    const auto cut = [&](QPointF from, QPointF to) {
        if (from.y() >= top && from.y() <= bottom)
            return from;
        const double edge = from.y() < top ? top : bottom;
        const double share = (edge - from.y()) / (to.y() - from.y());
        return QPointF(from.x() + share * (to.x() - from.x()), edge);
    };
    return std::pair{cut(a, b), cut(b, a)};
}

// Whether v lies within half the width of low..high beyond either end: near enough to frame.
bool near(double v, double low, double high)
{
    const double reach = (high / 2 - low / 2) / 2;
    return v / 2 >= low / 2 - reach && v / 2 <= high / 2 + reach;
}

} // namespace

GraphView::GraphView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphView::SetFunction(Sampler newSampler, std::vector<GraphMark> newMarks)
{
    sampler = std::move(newSampler);
    marks = std::move(newMarks);
    message.clear();
    defaultView = fitted(false);
    forgetCurve();
    SetView(defaultView);
}

void GraphView::ClearFunction(const QString& newMessage)
{
    sampler = {};
    marks.clear();
    message = newMessage;
    forgetCurve();
    update();
    emit ViewChanged();
}

void GraphView::SetDimmed(bool newDimmed)
{
    if (dimmed == newDimmed)
        return;
    dimmed = newDimmed;
    layoutValid = false;
    update();
}

void GraphView::SetNotes(const QStringList& newNotes)
{
    if (notes == newNotes)
        return;
    notes = newNotes;
    layoutValid = false;
    update();
}

void GraphView::SetReadout(std::function<QString(const ReadoutPoint&)> newReadout)
{
    readout = std::move(newReadout);
    forgetCurve();
    update();
}

QString GraphView::ReadoutText() const
{
    const std::optional<ReadoutPoint> point = readoutPoint();
    return point ? readout(*point) : QString();
}

std::optional<ReadoutPoint> GraphView::readoutPoint() const
{
    const QRect plot = PlotArea();
    if (!pointer || !readout || !sampler || readoutHidden || !plot.contains(pointer->toPoint()))
        return std::nullopt;
    // One device pixel column, one row: the finest places that still tell neighbours apart.
    const double ratio = devicePixelRatioF();
    const auto pixelSize = [](double halfSpan, double pixels) {
        const double size = halfSpan / pixels * 2;
        return std::isfinite(size) ? size : DBL_MAX;
    };
    const double column = pixelSize(xRange().HalfSpan(), std::max(1.0, plot.width() * ratio));
    const double row = pixelSize(yRange().HalfSpan(), std::max(1.0, plot.height() * ratio));
    return ReadoutPoint{RoundedToPlace(xAt(pointer->x()), PlaceOf(column)), PlaceOf(row)};
}

void GraphView::SetOverlay(std::function<void(QPainter&)> paint)
{
    overlay = std::move(paint);
    update();
}

QPointF GraphView::PointAt(double x, double y) const
{
    return {pixelOfX(x), pixelOfY(y)};
}

QRect GraphView::PlotArea() const
{
    if (!readout)
        return rect();
    const int line = fontMetrics().height() * 3 / 2;
    return QRect(0, 0, width(), std::max(1, height() - line));
}

void GraphView::SetView(const View& wanted)
{
    const ViewRange x = Clamped(wanted.xMin, wanted.xMax);
    const ViewRange y = Clamped(wanted.yMin, wanted.yMax);
    if (std::isnan(x.low) || std::isnan(y.low))
        return;
    const View clamped{x.low, x.high, y.low, y.high};
    if (clamped == view && curveValid)
        return;
    view = clamped;
    forgetCurve();
    update();
    emit ViewChanged();
}

GraphView::View GraphView::AllView() const
{
    return fitted(true);
}

// Default: x over the framing marks and the other marks near them, y over the framing marks
// and the curve between the outermost of them; beyond them curve and marks may leave the view.
// All: x over every mark, y over every mark and the curve between the outermost.
GraphView::View GraphView::fitted(bool everyMark) const
{
    double low = kInfinity;
    double high = -kInfinity;
    for (const GraphMark& mark : marks) {
        if ((everyMark || mark.framesDefaultView) && std::isfinite(mark.x)) {
            low = std::min(low, mark.x);
            high = std::max(high, mark.x);
        }
    }
    if (low > high) {
        low = -1;
        high = 1;
    }
    double curveLow = low;
    double curveHigh = high;
    if (!everyMark) {
        for (const GraphMark& mark : marks) {
            if (std::isfinite(mark.x) && near(mark.x, curveLow, curveHigh)) {
                low = std::min(low, mark.x);
                high = std::max(high, mark.x);
            }
        }
    }
    const ViewRange x = Framing(low, high);

    double bottom = kInfinity;
    double top = -kInfinity;
    for (const GraphMark& mark : marks) {
        if ((everyMark || mark.framesDefaultView) && std::isfinite(mark.x) &&
            std::isfinite(mark.y)) {
            bottom = std::min(bottom, mark.y);
            top = std::max(top, mark.y);
        }
    }
    if (sampler) {
        // The marks tell the scale of the values: a thousandth of it is plenty for a frame.
        const double scale = bottom <= top ? std::max(std::fabs(bottom), std::fabs(top)) : 0.0;
        const ViewRange between{curveLow, curveHigh};
        std::vector<double> xs(kFitSamples);
        for (int i = 0; i < kFitSamples; ++i)
            xs[size_t(i)] = between.At(double(i) / (kFitSamples - 1));
        const double tolerance = std::isfinite(scale) && scale > 0 ? scale / 1000 : 0x1p-1000;
        for (double y : sampler(SampleRequest{xs, tolerance, -DBL_MAX, DBL_MAX})) {
            if (std::isfinite(y)) {
                bottom = std::min(bottom, y);
                top = std::max(top, y);
            }
        }
    }
    if (bottom > top) {
        bottom = -1;
        top = 1;
    }
    const ViewRange y = Framing(bottom, top);
    return {x.low, x.high, y.low, y.high};
}

void GraphView::Zoom(double factor, QPointF about)
{
    const QRect plot = PlotArea();
    const double x = xAt(about.x());
    const double y = yRange().At(1 - (about.y() - plot.top()) / plot.height());
    const ViewRange newX = Zoomed(xRange(), x, factor);
    const ViewRange newY = Zoomed(yRange(), y, factor);
    SetView({newX.low, newX.high, newY.low, newY.high});
}

void GraphView::Pan(QPointF pixels)
{
    SetView(panned(view, pixels));
}

GraphView::View GraphView::panned(const View& from, QPointF pixels) const
{
    const QRect plot = PlotArea();
    const ViewRange x = Shifted({from.xMin, from.xMax}, -pixels.x() / plot.width());
    const ViewRange y = Shifted({from.yMin, from.yMax}, pixels.y() / plot.height());
    return {x.low, x.high, y.low, y.high};
}

double GraphView::xAt(double pixel) const
{
    const QRect plot = PlotArea();
    return xRange().At((pixel - plot.left()) / plot.width());
}

double GraphView::pixelOfX(double x) const
{
    const QRect plot = PlotArea();
    return plot.left() + xRange().ShareOf(x) * plot.width();
}

double GraphView::pixelOfY(double y) const
{
    const QRect plot = PlotArea();
    const double pixel = plot.top() + yRange().ShareFromHigh(y) * plot.height();
    // A finite value too far out for the arithmetic is still far out, on its own side.
    if (std::isinf(pixel) && std::isfinite(y))
        return std::copysign(kFarAway, pixel);
    return pixel;
}

void GraphView::forgetCurve()
{
    curveValid = false;
    layoutValid = false;
    curve.clear();
    pieces.clear();
    companionColumns.clear();
    companionPieces.clear();
    companionOutside = 0;
}

const std::vector<GraphView::CurvePoint>& GraphView::Curve()
{
    // A window moved to a screen of another pixel density has other columns.
    if (!curveValid || curveRatio != devicePixelRatioF())
        buildCurve();
    return curve;
}

GraphView::Coverage GraphView::CurveCoverage()
{
    Curve();
    const auto finite = std::count_if(curve.begin(), curve.end(), [](const CurvePoint& point) {
        return std::isfinite(point.at.y());
    });
    if (finite == 0)
        return Coverage::NoValue;
    if (pieces.empty())
        return Coverage::OutOfView;
    return size_t(finite) < curve.size() ? Coverage::Broken : Coverage::Whole;
}

void GraphView::buildCurve()
{
    curveValid = true;
    layoutValid = false;
    curveRatio = devicePixelRatioF();
    curve.clear();
    pieces.clear();
    companionColumns.clear();
    companionPieces.clear();
    companionOutside = 0;
    const QRect plot = PlotArea();
    if (!sampler || plot.width() <= 0 || plot.height() <= 0)
        return;
    const double ratio = devicePixelRatioF();
    const int columns = std::max(1, int(std::lround(plot.width() * ratio)));
    std::vector<double> xs(static_cast<size_t>(columns));
    for (int j = 0; j < columns; ++j)
        xs[size_t(j)] = xRange().At((j + 0.5) / columns);
    // Half a row in y, and the band around the view, without overflow at any width.
    const double halfRow = yRange().HalfSpan() / plot.height();
    const double band = std::min(kBand * 2 * halfRow, DBL_MAX);
    const SampleRequest request{xs, kSampleTolerance / ratio * 2 * halfRow,
                                std::max(view.yMin - band, -DBL_MAX),
                                std::min(view.yMax + band, DBL_MAX)};
    const std::vector<double> ys = sampler(request);

    curve.reserve(size_t(columns));
    for (int j = 0; j < columns; ++j)
        curve.push_back(
            {xs[size_t(j)], QPointF(plot.left() + (j + 0.5) / ratio, pixelOfY(ys[size_t(j)]))});

    const double top = plot.top() - kBand;
    const double bottom = plot.bottom() + 1 + kBand;
    for (size_t j = 1; j < curve.size(); ++j) {
        const auto segment = clippedSegment(curve[j - 1].at, curve[j].at, top, bottom);
        if (!segment)
            continue;
        if (pieces.empty() || pieces.back().back() != segment->first)
            pieces.emplace_back(QPolygonF{segment->first});
        pieces.back() << segment->second;
    }
    buildCompanion(request);
}

QImage GraphView::Image()
{
    readoutHidden = true;
    const QImage image = grab(PlotArea()).toImage();
    readoutHidden = false;
    return image;
}

void GraphView::Render(QPainter& painter)
{
    readoutHidden = true;
    render(&painter, QPoint(), QRegion(PlotArea()));
    readoutHidden = false;
}

QSize GraphView::sizeHint() const
{
    return {640, 480};
}

QSize GraphView::minimumSizeHint() const
{
    // Room for a few ticks and their labels on each axis, and the readout line.
    return QSize(16, 12) * fontMetrics().height();
}

void GraphView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    forgetCurve();
    emit ViewChanged();
}

void GraphView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        forgetCurve();
    layoutValid = false;
    update();
}

void GraphView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setImage(Image());
        return;
    }
    const QRect plot = PlotArea();
    const QPointF centre = QRectF(plot).center();
    const double stepX = plot.width() * kPanStep;
    const double stepY = plot.height() * kPanStep;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        Zoom(1 / kZoomStep, centre);
        break;
    case Qt::Key_Minus:
        Zoom(kZoomStep, centre);
        break;
    // The arrows move the view, as dragging the drawing the other way does.
    case Qt::Key_Left:
        Pan({stepX, 0});
        break;
    case Qt::Key_Right:
        Pan({-stepX, 0});
        break;
    case Qt::Key_Up:
        Pan({0, stepY});
        break;
    case Qt::Key_Down:
        Pan({0, -stepY});
        break;
    case Qt::Key_Home:
        SetView(defaultView);
        break;
    case Qt::Key_A:
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            QWidget::keyPressEvent(event);
            return;
        }
        SetView(AllView());
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void GraphView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0 && sampler)
        Zoom(std::pow(kZoomStep, -notches), event->position());
    event->accept();
}

void GraphView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragFrom = event->position();
        dragView = view;
        setCursor(Qt::ClosedHandCursor);
    }
}

void GraphView::mouseMoveEvent(QMouseEvent* event)
{
    pointer = event->position();
    if (dragFrom && (event->buttons() & Qt::LeftButton))
        SetView(panned(dragView, event->position() - *dragFrom));
    update();
}

void GraphView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragFrom.reset();
        unsetCursor();
    }
}

void GraphView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    pointer.reset();
    update();
}
