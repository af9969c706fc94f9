#include "framework/GraphView.h"

#include "framework/AxisTicks.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Views stay inside +-kLimit, so that no difference of two bounds overflows.
constexpr double kLimit = DBL_MAX / 4;
// A view is at least this fraction of its largest bound wide: four thousand columns still
// fall on distinct doubles, and tick multiples stay below 2^53.
constexpr double kLeastRelativeSpan = 0x1p-36;
constexpr double kLeastSpan = 0x1p-1000;
constexpr double kMargin = 0.05;
// How far the curve may run beyond the edges before it is cut, in pixels.
constexpr double kBand = 2.0;
// Where a finite value lies whose distance from the view overflows, in pixels.
constexpr double kFarAway = 1e9;
// The sampled values lie within this many device pixels of the true ones; the test allows half.
constexpr double kSampleTolerance = 0.4;
constexpr int kFitSamples = 512;
constexpr double kZoomStep = 1.25;
constexpr double kPanStep = 0.1;

struct Range
{
    double low, high;
};

Range clampedRange(double low, double high)
{
    low = std::clamp(low, -kLimit, kLimit);
    high = std::clamp(high, -kLimit, kLimit);
    const double least =
        std::max(std::max(std::fabs(low), std::fabs(high)) * kLeastRelativeSpan, kLeastSpan);
    if (!(high - low >= least)) {
        const double centre = low / 2 + high / 2;
        low = centre - least / 2;
        high = centre + least / 2;
    }
    return {low, high};
}

// A range around values from `low` to `high` with a margin on each side.
Range withMargin(double low, double high)
{
    low = std::clamp(low, -kLimit, kLimit);
    high = std::clamp(high, -kLimit, kLimit);
    if (low == high) {
        const double half = low == 0 ? 1 : std::fabs(low) / 10;
        low -= half;
        high += half;
    }
    const double margin = (high - low) * kMargin;
    return clampedRange(low - margin, high + margin);
}

QColor blended(const QColor& front, const QColor& back, double share)
{
    return QColor::fromRgbF(float(front.redF() * share + back.redF() * (1 - share)),
                            float(front.greenF() * share + back.greenF() * (1 - share)),
                            float(front.blueF() * share + back.blueF() * (1 - share)));
}

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
    dimmed = newDimmed;
    update();
}

void GraphView::SetNotes(const QStringList& newNotes)
{
    notes = newNotes;
    update();
}

void GraphView::SetReadout(std::function<QString(double)> newReadout)
{
    readout = std::move(newReadout);
    update();
}

QString GraphView::ReadoutText() const
{
    if (!pointer || !readout || !sampler || readoutHidden)
        return {};
    return readout(xAt(pointer->x()));
}

void GraphView::SetView(const View& wanted)
{
    const Range x = clampedRange(wanted.xMin, wanted.xMax);
    const Range y = clampedRange(wanted.yMin, wanted.yMax);
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
    const Range x = withMargin(low, high);

    double bottom = kInfinity;
    double top = -kInfinity;
    for (const GraphMark& mark : marks) {
        if (mark.x >= x.low && mark.x <= x.high && std::isfinite(mark.y)) {
            bottom = std::min(bottom, mark.y);
            top = std::max(top, mark.y);
        }
    }
    if (sampler) {
        // The marks tell the scale of the values: a thousandth of it is plenty for a frame.
        const double scale =
            bottom <= top ? std::max({top - bottom, std::fabs(bottom), std::fabs(top)}) : 0.0;
        std::vector<double> xs(kFitSamples);
        for (int i = 0; i < kFitSamples; ++i)
            xs[size_t(i)] = x.low + (x.high - x.low) * (double(i) / (kFitSamples - 1));
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
    const Range y = withMargin(bottom, top);
    return {x.low, x.high, y.low, y.high};
}

void GraphView::Zoom(double factor, QPointF about)
{
    const double x = xAt(about.x());
    const double y = view.yMax - about.y() / height() * (view.yMax - view.yMin);
    SetView({x - (x - view.xMin) * factor, x + (view.xMax - x) * factor,
             y - (y - view.yMin) * factor, y + (view.yMax - y) * factor});
}

void GraphView::Pan(QPointF pixels)
{
    SetView(panned(view, pixels));
}

GraphView::View GraphView::panned(const View& from, QPointF pixels) const
{
    // Shifted as a whole, and no further than the limits allow, so that panning never zooms.
    const auto shifted = [](double low, double high, double by) {
        by = std::clamp(by, -kLimit - low, kLimit - high);
        return Range{low + by, high + by};
    };
    const Range x = shifted(from.xMin, from.xMax, -pixels.x() / width() * (from.xMax - from.xMin));
    const Range y = shifted(from.yMin, from.yMax, pixels.y() / height() * (from.yMax - from.yMin));
    return {x.low, x.high, y.low, y.high};
}

double GraphView::xAt(double pixel) const
{
    return view.xMin + pixel / width() * (view.xMax - view.xMin);
}

double GraphView::pixelOfX(double x) const
{
    return (x - view.xMin) / (view.xMax - view.xMin) * width();
}

double GraphView::pixelOfY(double y) const
{
    const double pixel = (view.yMax - y) / (view.yMax - view.yMin) * height();
    // A finite value too far out for the arithmetic is still far out, on its own side.
    if (std::isinf(pixel) && std::isfinite(y))
        return std::copysign(kFarAway, pixel);
    return pixel;
}

void GraphView::forgetCurve()
{
    curveValid = false;
    curve.clear();
    pieces.clear();
    companionColumns.clear();
    companionPieces.clear();
}

const std::vector<GraphView::CurvePoint>& GraphView::Curve()
{
    // A window moved to a screen of another pixel density has other columns.
    if (!curveValid || curveRatio != devicePixelRatioF())
        buildCurve();
    return curve;
}

void GraphView::buildCurve()
{
    curveValid = true;
    curveRatio = devicePixelRatioF();
    curve.clear();
    pieces.clear();
    if (!sampler || width() <= 0 || height() <= 0)
        return;
    const double ratio = devicePixelRatioF();
    const int columns = std::max(1, int(std::lround(width() * ratio)));
    const double spanX = view.xMax - view.xMin;
    const double spanY = view.yMax - view.yMin;
    std::vector<double> xs(static_cast<size_t>(columns));
    for (int j = 0; j < columns; ++j)
        xs[size_t(j)] = view.xMin + (j + 0.5) / columns * spanX;
    const double perPixel = spanY / height();
    const SampleRequest request{xs, kSampleTolerance / ratio * perPixel,
                                view.yMin - kBand * perPixel, view.yMax + kBand * perPixel};
    const std::vector<double> ys = sampler(request);

    curve.reserve(size_t(columns));
    for (int j = 0; j < columns; ++j)
        curve.push_back({xs[size_t(j)], QPointF((j + 0.5) / ratio, pixelOfY(ys[size_t(j)]))});

    const double top = -kBand;
    const double bottom = height() + kBand;
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
    const QImage image = grab().toImage();
    readoutHidden = false;
    return image;
}

QSize GraphView::sizeHint() const
{
    return {640, 480};
}

QSize GraphView::minimumSizeHint() const
{
    // Room for a few ticks and their labels on each axis.
    return QSize(16, 10) * fontMetrics().height();
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
    update();
}

void GraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setRenderHint(QPainter::Antialiasing);
    if (sampler) {
        if (dimmed)
            painter.setOpacity(0.35);
        paintAxes(painter);
        paintCurveAndMarks(painter);
        painter.setOpacity(1.0);
    }
    paintNotes(painter);
}

void GraphView::paintAxes(QPainter& painter) const
{
    const QColor text = palette().color(QPalette::Text);
    const QColor base = palette().color(QPalette::Base);
    const QFontMetrics metrics = fontMetrics();
    const int gap = metrics.horizontalAdvance(QStringLiteral("00"));
    const int tickLength = std::max(3, metrics.height() / 4);

    // The axes cross at 0 where it is in view, else they run along the edges nearest to it.
    const double axisX = std::clamp(pixelOfX(0.0), 0.0, double(width() - 1));
    const double axisY = std::clamp(pixelOfY(0.0), 0.0, double(height() - 1));
    const bool labelsBelow = axisY + tickLength + 2 + metrics.height() <= height();

    // The smallest step whose widest label leaves a gap to the next one.
    std::vector<Tick> xTicks;
    const double spanX = view.xMax - view.xMin;
    for (TickStep step = NiceStep(spanX * 3 * gap / width());;) {
        xTicks = TicksBetween(view.xMin, view.xMax, step, 200);
        int widest = 0;
        for (const Tick& tick : xTicks)
            widest = std::max(widest, metrics.horizontalAdvance(tick.label));
        if (step.Value() / spanX * width() >= widest + gap || xTicks.size() <= 1)
            break;
        step = NiceStep(std::nextafter(step.Value(), kInfinity));
    }
    const double spanY = view.yMax - view.yMin;
    const std::vector<Tick> yTicks = TicksBetween(
        view.yMin, view.yMax, NiceStep(spanY * 2.5 * metrics.height() / height()), 200);
    int widestY = 0;
    for (const Tick& tick : yTicks)
        widestY = std::max(widestY, metrics.horizontalAdvance(tick.label));
    const bool labelsLeft = axisX - tickLength - 2 - widestY >= 0;

    // Grid lines on pixel centres, so that they stay one pixel wide.
    const auto centred = [](double pixel) { return std::floor(pixel) + 0.5; };
    painter.setPen(QPen(blended(text, base, 0.12), 1));
    for (const Tick& tick : xTicks) {
        const double x = centred(pixelOfX(tick.value));
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
    for (const Tick& tick : yTicks) {
        const double y = centred(pixelOfY(tick.value));
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
    }

    painter.setPen(QPen(text, 1));
    painter.drawLine(QPointF(axisX + 0.5, 0), QPointF(axisX + 0.5, height()));
    painter.drawLine(QPointF(0, axisY + 0.5), QPointF(width(), axisY + 0.5));

    // Labels that would overlap one drawn before are left out.
    std::vector<QRect> taken;
    const auto label = [&](const QString& words, QRect box) {
        box = box.intersected(rect());
        for (const QRect& other : taken)
            if (other.intersects(box))
                return;
        if (box.width() < metrics.horizontalAdvance(words))
            return;
        taken.push_back(box.adjusted(-gap / 4, 0, gap / 4, 0));
        painter.drawText(box, Qt::AlignCenter, words);
    };
    for (const Tick& tick : yTicks) {
        const double y = pixelOfY(tick.value);
        painter.drawLine(QPointF(axisX + 0.5 - tickLength, y),
                         QPointF(axisX + 0.5 + tickLength, y));
        if (tick.value == 0.0)
            continue;
        const int labelWidth = metrics.horizontalAdvance(tick.label);
        const int left =
            labelsLeft ? int(axisX) - tickLength - 2 - labelWidth : int(axisX) + tickLength + 3;
        label(tick.label, QRect(left, int(y) - metrics.height() / 2, labelWidth, metrics.height()));
    }
    for (const Tick& tick : xTicks) {
        const double x = pixelOfX(tick.value);
        painter.drawLine(QPointF(x, axisY + 0.5 - tickLength),
                         QPointF(x, axisY + 0.5 + tickLength));
        const int labelWidth = metrics.horizontalAdvance(tick.label);
        const int top = labelsBelow ? int(axisY) + tickLength + 2
                                    : int(axisY) - tickLength - 2 - metrics.height();
        label(tick.label, QRect(int(x) - labelWidth / 2, top, labelWidth, metrics.height()));
    }
}

void GraphView::paintCurveAndMarks(QPainter& painter)
{
    Curve();
    const QColor text = palette().color(QPalette::Text);
    const QColor base = palette().color(QPalette::Base);
    const QColor line = palette().color(QPalette::Highlight);
    painter.setPen(QPen(line, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygonF& piece : pieces)
        painter.drawPolyline(piece);
    paintCompanion(painter);

    const double radius = std::max(3.5, fontMetrics().height() / 4.0);
    for (const GraphMark& mark : marks) {
        const QPointF at(pixelOfX(mark.x), pixelOfY(mark.y));
        if (!(at.x() > -radius && at.x() < width() + radius && at.y() > -radius &&
              at.y() < height() + radius))
            continue;
        if (mark.filled) {
            painter.setPen(QPen(base, 1.0));
            painter.setBrush(text);
        } else {
            painter.setPen(QPen(text, 2.0));
            painter.setBrush(base);
        }
        painter.drawEllipse(at, radius, radius);
    }
    painter.setBrush(Qt::NoBrush);
}

void GraphView::paintNotes(QPainter& painter) const
{
    const QColor text = palette().color(QPalette::Text);
    const QColor window = palette().color(QPalette::Window);
    const QFontMetrics metrics = fontMetrics();
    const int pad = metrics.height() / 3;
    const auto box = [&](const QRect& area, int flags, const QString& words) {
        const QRect bounds = metrics.boundingRect(area.adjusted(pad, pad, -pad, -pad),
                                                  flags | Qt::TextWordWrap, words);
        const QRect framed = bounds.adjusted(-pad, -pad / 2, pad, pad / 2);
        painter.setPen(QPen(blended(text, window, 0.4), 1));
        // Translucent, so that a point beneath a note still shows.
        QColor fill = blended(window, text, 0.92);
        fill.setAlphaF(0.8f);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(framed).adjusted(0.5, 0.5, -0.5, -0.5), pad, pad);
        painter.setPen(text);
        painter.drawText(bounds, flags | Qt::TextWordWrap, words);
    };
    if (!message.isEmpty()) {
        const int side = width() / 8;
        box(rect().adjusted(side, 0, -side, 0), Qt::AlignCenter, message);
    }
    if (!notes.isEmpty())
        box(rect().adjusted(width() / 3, 0, 0, 0), Qt::AlignRight | Qt::AlignTop,
            notes.join(u'\n'));
    const QString where = ReadoutText();
    if (!where.isEmpty())
        box(rect(), Qt::AlignLeft | Qt::AlignBottom, where);
    painter.setBrush(Qt::NoBrush);
}

void GraphView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setImage(Image());
        return;
    }
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double stepX = width() * kPanStep;
    const double stepY = height() * kPanStep;
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
