// How the graph is drawn: grid, axes and labels laid out once per view and size, then the
// curve, the marks, the notes and the readout line. Painting computes nothing that the view
// did not change.

#include "framework/AxisTicks.h"
#include "framework/GraphView.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// No axis is given more ticks than this; a step that would need more is made larger.
constexpr int kMostTicks = 200;
// How much of its colour a stale graph keeps.
constexpr double kDimmed = 0.35;
// Points per polyline of the curve.
constexpr qsizetype kStrokeLength = 48;

QColor blended(const QColor& front, const QColor& back, double share)
{
    return QColor::fromRgbF(float(front.redF() * share + back.redF() * (1 - share)),
                            float(front.greenF() * share + back.greenF() * (1 - share)),
                            float(front.blueF() * share + back.blueF() * (1 - share)));
}

double luminance(const QColor& colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The frame of a stale graph's notes: amber, dark on a light background and light on a dark
// one, where that stands out at least 3:1 from the plot; else the text colour.
QColor staleColour(const QColor& base, const QColor& text)
{
    const QColor amber =
        base.lightnessF() < 0.5 ? QColor(0xFF, 0xB3, 0x47) : QColor(0x9A, 0x4A, 0x00);
    return contrast(amber, base) >= 3 ? amber : text;
}

double radiusFor(const QFontMetricsF& metrics)
{
    return std::max(3.5, metrics.height() / 4.0);
}

} // namespace

// A stale graph says so in bold, a size larger.
QFont GraphView::notesFont() const
{
    QFont notesFont = font();
    if (dimmed) {
        notesFont.setBold(true);
        if (notesFont.pointSizeF() > 0)
            notesFont.setPointSizeF(notesFont.pointSizeF() * 1.2);
        else
            notesFont.setPixelSize(qRound(notesFont.pixelSize() * 1.2));
    }
    return notesFont;
}

const std::vector<AxisLabel>& GraphView::Labels()
{
    return layout().labels;
}

QRectF GraphView::NotesArea()
{
    return layout().notes;
}

const GraphView::Layout& GraphView::layout()
{
    Curve();
    if (!layoutValid) {
        laidOut = layOut();
        layoutValid = true;
    }
    return laidOut;
}

QRectF GraphView::LegendArea()
{
    return layout().legend;
}

QRectF GraphView::freeCorner(QSizeF size, const int (&order)[4], const QRectF& besides,
                             const QFontMetricsF& metrics) const
{
    const double pad = std::round(metrics.height() / 3);
    const QRectF inner = QRectF(PlotArea()).adjusted(pad, pad, -pad, -pad);
    const QRectF corners[] = {
        QRectF(QPointF(inner.right() - size.width(), inner.top()), size),
        QRectF(inner.topLeft(), size),
        QRectF(QPointF(inner.right() - size.width(), inner.bottom() - size.height()), size),
        QRectF(QPointF(inner.left(), inner.bottom() - size.height()), size),
    };
    const double radius = radiusFor(metrics) + 1;
    for (int index : order) {
        const QRectF& corner = corners[index];
        const bool free = !corner.intersects(besides) &&
                          std::none_of(marks.begin(), marks.end(), [&](const GraphMark& mark) {
                              const QPointF at(pixelOfX(mark.x), pixelOfY(mark.y));
                              return corner.adjusted(-radius, -radius, radius, radius).contains(at);
                          });
        if (free)
            return corner;
    }
    return corners[order[0]];
}

// The notes' box in the first corner of the plot, from the top right, that covers no mark and
// not the legend.
QRectF GraphView::notesBox(const QRectF& legend) const
{
    if (notes.isEmpty() || !sampler)
        return {};
    const QFontMetricsF metrics(notesFont());
    const QRectF plot(PlotArea());
    const double pad = std::round(metrics.height() / 3);
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, plot.width() * 2 / 3, plot.height()),
                                               Qt::AlignLeft | Qt::TextWordWrap, notes.join(u'\n'));
    const QSizeF size(std::ceil(bounds.width()) + 2 * pad, std::ceil(bounds.height()) + pad);
    return freeCorner(size, {0, 1, 2, 3}, legend, metrics);
}

GraphView::Layout GraphView::layOut()
{
    Layout result;
    result.legend = legendBox();
    result.notes = notesBox(result.legend);
    if (!sampler)
        return result;
    const QFontMetricsF metrics(font());
    const QRectF plot(PlotArea()); // right() and bottom() lie just beyond its last pixels
    const double gap = LabelGap(metrics);
    const double tickLength = std::max(3.0, std::round(metrics.height() / 4));

    // The smallest step whose widest label's box leaves room for the next one.
    std::vector<Tick> xTicks;
    TickStep step =
        StepFor(view.xMin, view.xMax,
                (metrics.horizontalAdvance(QStringLiteral("0000")) + 2 * gap) / plot.width());
    for (int tries = 0; tries < 64; ++tries, step = step.Next()) {
        xTicks = TicksBetween(view.xMin, view.xMax, step, kMostTicks);
        double widest = 0;
        for (const Tick& tick : xTicks)
            widest = std::max(widest, metrics.horizontalAdvance(tick.label));
        const double pixels = step.Value() / 2 / xRange().HalfSpan() * plot.width();
        // Boxes of the text and a gap either side, two pixels apart.
        if (pixels >= widest + 2 * gap + 2 || xTicks.size() <= 1)
            break;
    }
    const std::vector<Tick> yTicks = TicksBetween(
        view.yMin, view.yMax, StepFor(view.yMin, view.yMax, 2.5 * metrics.height() / plot.height()),
        kMostTicks);

    // Grid lines and axes on pixel centres, so that they stay one pixel wide.
    const auto centred = [](double pixel) { return std::floor(pixel) + 0.5; };
    LabelRoom room;
    room.plot = plot;
    room.yAxisAtZero = view.xMin <= 0 && view.xMax >= 0;
    room.xAxisAtZero = view.yMin <= 0 && view.yMax >= 0;
    room.yAxis = std::floor(std::clamp(pixelOfX(0.0), plot.left(), plot.right() - 1));
    room.xAxis = std::floor(std::clamp(pixelOfY(0.0), plot.top(), plot.bottom() - 1));
    std::vector<TickLabel> xLabels;
    std::vector<TickLabel> yLabels;
    for (const Tick& tick : xTicks) {
        const double x = centred(pixelOfX(tick.value));
        result.grid.emplace_back(x, plot.top(), x, plot.bottom());
        xLabels.push_back({x, tick.label, tick.value});
    }
    for (const Tick& tick : yTicks) {
        const double y = centred(pixelOfY(tick.value));
        result.grid.emplace_back(plot.left(), y, plot.right(), y);
        yLabels.push_back({y, tick.label, tick.value});
    }
    const double xAxis = room.xAxis + 0.5;
    const double yAxis = room.yAxis + 0.5;
    result.xAxis = QLineF(plot.left(), xAxis, plot.right(), xAxis);
    result.yAxis = QLineF(yAxis, plot.top(), yAxis, plot.bottom());

    // Ticks on the side away from their labels.
    const LabelSides sides = PreferredSides(room, metrics, yLabels);
    const double yTick = sides.yLabelsLeft ? tickLength : -tickLength;
    const double xTick = sides.xLabelsBelow ? -tickLength : tickLength;
    for (const TickLabel& tick : yLabels)
        result.ticks.emplace_back(yAxis, tick.pixel, yAxis + yTick, tick.pixel);
    for (const TickLabel& tick : xLabels)
        result.ticks.emplace_back(tick.pixel, xAxis, tick.pixel, xAxis + xTick);

    // No label under a mark or the notes.
    const double radius = radiusFor(metrics) + 1;
    for (const GraphMark& mark : marks) {
        const QPointF at(pixelOfX(mark.x), pixelOfY(mark.y));
        if (plot.adjusted(-radius, -radius, radius, radius).contains(at))
            room.obstacles.emplace_back(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius);
    }
    if (!result.notes.isEmpty())
        room.obstacles.push_back(result.notes);
    if (!result.legend.isEmpty())
        room.obstacles.push_back(result.legend);
    result.labels = LayOutLabels(xLabels, yLabels, room, metrics, tickLength);
    return result;
}

void GraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor base = palette().color(QPalette::Base);
    if (!sampler) {
        painter.fillRect(rect(), base);
        paintMessage(painter);
        return;
    }
    const QRect plot = PlotArea();
    painter.fillRect(plot, base);
    if (readout)
        paintReadout(painter);
    painter.setClipRect(plot);
    paintPlot(painter);
    paintMarks(painter);
    paintLegend(painter);
    if (overlay && !readoutHidden)
        overlay(painter);
    paintNotes(painter);
}

// A colour as it is drawn: set back towards the background while the graph is stale. Blended,
// not drawn translucent, so that where two strokes meet nothing shows darker.
QColor GraphView::ink(QPalette::ColorRole role) const
{
    const QColor colour = palette().color(role);
    return dimmed ? blended(colour, palette().color(QPalette::Base), kDimmed) : colour;
}

void GraphView::paintPlot(QPainter& painter)
{
    const Layout& drawn = layout();
    const QColor text = ink(QPalette::Text);
    const QColor base = palette().color(QPalette::Base);

    painter.setPen(QPen(blended(text, base, 0.12), 1));
    painter.drawLines(drawn.grid.data(), int(drawn.grid.size()));
    painter.setPen(QPen(text, 1));
    painter.drawLine(drawn.xAxis);
    painter.drawLine(drawn.yAxis);
    painter.drawLines(drawn.ticks.data(), int(drawn.ticks.size()));

    // Each label on a background of its own: no grid line, axis or tick runs into its text.
    // The curve passes over the background and under the text, so that it is never broken.
    for (const AxisLabel& label : drawn.labels)
        painter.fillRect(label.box, base);

    // Short polylines: Qt strokes a long antialiased one several times slower, and the round
    // caps where they meet draw the same as round joins.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink(QPalette::Highlight), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygonF& piece : pieces) {
        for (qsizetype start = 0; start + 1 < piece.size(); start += kStrokeLength - 1)
            painter.drawPolyline(piece.constData() + start,
                                 int(std::min<qsizetype>(kStrokeLength, piece.size() - start)));
    }
    paintCompanion(painter);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(text);
    for (const AxisLabel& label : drawn.labels)
        painter.drawText(label.baseline, label.text);
}

void GraphView::paintMarks(QPainter& painter)
{
    const QColor text = ink(QPalette::Text);
    const QColor base = palette().color(QPalette::Base);
    const QRectF plot(PlotArea());
    const double radius = radiusFor(QFontMetricsF(font()));
    painter.setRenderHint(QPainter::Antialiasing);
    for (const GraphMark& mark : marks) {
        const QPointF at(pixelOfX(mark.x), pixelOfY(mark.y));
        if (!plot.adjusted(-radius, -radius, radius, radius).contains(at))
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

void GraphView::paintNotes(QPainter& painter)
{
    const QRectF box = layout().notes;
    if (box.isEmpty())
        return;
    const QColor text = palette().color(QPalette::Text);
    const QColor base = palette().color(QPalette::Base);
    const QColor window = palette().color(QPalette::Window);
    const double pad = std::round(QFontMetricsF(font()).height() / 3);
    // A stale graph's notes are framed as a warning that stands out in any palette; other
    // notes are translucent, so that the curve beneath still shows.
    if (dimmed) {
        const QColor frame = staleColour(base, text);
        painter.setPen(QPen(frame, 2));
        painter.setBrush(blended(frame, base, 0.15));
        painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), pad, pad);
    } else {
        QColor fill = blended(window, text, 0.92);
        fill.setAlphaF(0.85f);
        painter.setPen(QPen(blended(text, window, 0.4), 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), pad, pad);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(text);
    painter.setFont(notesFont());
    painter.drawText(box.adjusted(pad, pad / 2, -pad, -pad / 2), Qt::AlignLeft | Qt::TextWordWrap,
                     notes.join(u'\n'));
    painter.setFont(font());
}

// The line below the plot, on the window's own background: it covers nothing of the graph.
void GraphView::paintReadout(QPainter& painter) const
{
    const QRect plot = PlotArea();
    const QRect line(0, plot.bottom() + 1, width(), height() - plot.height());
    const QColor window = palette().color(QPalette::Window);
    const QColor words = palette().color(QPalette::WindowText);
    painter.fillRect(line, window);
    painter.setPen(blended(words, window, 0.3));
    painter.drawLine(line.left(), line.top(), line.right(), line.top());
    const QString where = ReadoutText();
    if (where.isEmpty())
        return;
    const int pad = fontMetrics().height() / 3;
    painter.setPen(words);
    painter.drawText(line.adjusted(pad, 1, -pad, 0), Qt::AlignLeft | Qt::AlignVCenter, where);
}

void GraphView::paintMessage(QPainter& painter) const
{
    if (message.isEmpty())
        return;
    const QColor text = palette().color(QPalette::Text);
    const QColor window = palette().color(QPalette::Window);
    const QFontMetrics metrics = fontMetrics();
    const int pad = metrics.height() / 3;
    const int side = width() / 8;
    const QRect area = rect().adjusted(side + pad, pad, -side - pad, -pad);
    const QRect bounds = metrics.boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, message);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(blended(text, window, 0.4), 1));
    painter.setBrush(blended(window, text, 0.92));
    painter.drawRoundedRect(QRectF(bounds.adjusted(-pad, -pad / 2, pad, pad / 2)), pad, pad);
    painter.setPen(text);
    painter.drawText(bounds, Qt::AlignCenter | Qt::TextWordWrap, message);
}
