// The graph's second curve: sampled at the same columns as the first, and drawn dashed only
// where the two lie more than a pixel apart, so that where they agree there is one line.

#include "framework/GraphView.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// More than a pixel apart: a companion closer than that would draw over the first curve.
constexpr double kDeparture = 1.0;
// How far beyond the edges a departing column is still drawn, in pixels.
constexpr double kEdge = 2.0;

} // namespace

void GraphView::SetCompanion(Sampler newCompanion, const QString& first, const QString& second)
{
    companion = std::move(newCompanion);
    firstName = first;
    companionName = second;
    forgetCurve();
    update();
}

void GraphView::ClearCompanion()
{
    if (!companion)
        return;
    companion = {};
    forgetCurve();
    update();
}

const std::vector<bool>& GraphView::CompanionColumns()
{
    Curve();
    return companionColumns;
}

bool GraphView::CompanionShown()
{
    Curve();
    return !companionPieces.empty();
}

int GraphView::CompanionOutside()
{
    Curve();
    return companionPieces.empty() ? companionOutside : 0;
}

void GraphView::buildCompanion(const SampleRequest& request)
{
    if (!companion || curve.empty())
        return;
    const std::vector<double> ys = companion(request);
    companionColumns.assign(curve.size(), false);
    companionOutside = 0;
    const QRect plot = PlotArea();
    const double top = plot.top() - kEdge;
    const double bottom = plot.bottom() + 1 + kEdge;
    std::vector<QPointF> at(curve.size());
    for (size_t j = 0; j < curve.size(); ++j) {
        const double first = curve[j].at.y();
        const double second = pixelOfY(ys[j]);
        at[j] = QPointF(curve[j].at.x(), std::clamp(second, top - kEdge, bottom + kEdge));
        const bool inView = second >= top && second <= bottom;
        // Where the first curve has no value, any value of the second departs from it.
        const bool apart = !(std::fabs(second - first) <= kDeparture);
        companionColumns[j] = inView && apart;
        if (apart && !inView && !std::isnan(second))
            companionOutside = second < top ? 1 : -1;
    }
    for (size_t j = 0; j < curve.size(); ++j) {
        if (!companionColumns[j])
            continue;
        const bool continues = j > 0 && companionColumns[j - 1];
        if (!continues)
            companionPieces.emplace_back(QPolygonF{at[j]});
        else
            companionPieces.back() << at[j];
    }
}

namespace {

// The complement of the curve's own colour, so that the two tell apart in any palette.
QPen companionPen(const QColor& line)
{
    const QColor dashed =
        QColor::fromHsv((line.hsvHue() + 180) % 360, std::max(line.hsvSaturation(), 160),
                        std::min(line.value(), 200));
    return QPen(dashed, 2.0, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin);
}

} // namespace

void GraphView::paintCompanion(QPainter& painter) const
{
    painter.setPen(companionPen(ink(QPalette::Highlight)));
    for (const QPolygonF& piece : companionPieces) {
        if (piece.size() == 1)
            painter.drawPoint(piece.front());
        else
            painter.drawPolyline(piece);
    }
}

// The companion's name, and where it lies when it lies beyond the view.
QString GraphView::legendSecondName() const
{
    if (!companionPieces.empty())
        return companionName;
    return companionOutside > 0 ? companionName + QStringLiteral(" (über der Ansicht ↑)")
                                : companionName + QStringLiteral(" (unter der Ansicht ↓)");
}

// A short stretch of each line and its name, in the first corner from the top left that covers
// no mark; none where the two curves agree.
QRectF GraphView::legendBox() const
{
    if (companionPieces.empty() && companionOutside == 0)
        return {};
    const QFontMetricsF metrics(font());
    const double pad = std::round(metrics.height() / 3);
    const double sample = metrics.height() * 2;
    const double width = std::max(metrics.horizontalAdvance(firstName),
                                  metrics.horizontalAdvance(legendSecondName())) +
                         sample + 3 * pad;
    const QSizeF size(std::ceil(width), std::ceil(2 * metrics.height() + 2 * pad));
    return freeCorner(size, {1, 3, 0, 2}, QRectF(), metrics);
}

void GraphView::paintLegend(QPainter& painter)
{
    const QRectF box = layout().legend;
    if (box.isEmpty())
        return;
    const QFontMetricsF metrics(font());
    const double pad = std::round(metrics.height() / 3);
    const double sample = metrics.height() * 2;
    const QColor text = ink(QPalette::Text);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(text, 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), pad, pad);
    painter.setBrush(Qt::NoBrush);
    const auto entry = [&](int row, const QPen& stroke, const QString& name) {
        const double y = box.top() + pad + (row + 0.5) * metrics.height();
        painter.setPen(stroke);
        painter.drawLine(QPointF(box.left() + pad, y), QPointF(box.left() + pad + sample, y));
        painter.setPen(text);
        painter.drawText(QPointF(box.left() + 2 * pad + sample,
                                 y + (metrics.ascent() - metrics.descent()) / 2.0),
                         name);
    };
    const QColor line = ink(QPalette::Highlight);
    entry(0, QPen(line, 2.0), firstName);
    entry(1, companionPen(line), legendSecondName());
    painter.setRenderHint(QPainter::Antialiasing, false);
}
