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
    const double top = -kEdge;
    const double bottom = height() + kEdge;
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

void GraphView::paintCompanion(QPainter& painter) const
{
    if (companionPieces.empty() && companionOutside == 0)
        return;
    const QColor text = palette().color(QPalette::Text);
    const QColor line = palette().color(QPalette::Highlight);
    // The complement of the curve's own colour, so that the two tell apart in any palette.
    const QColor dashed =
        QColor::fromHsv((line.hsvHue() + 180) % 360, std::max(line.hsvSaturation(), 160),
                        std::min(line.value(), 200));
    QPen pen(dashed, 2.0, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin);
    painter.setPen(pen);
    for (const QPolygonF& piece : companionPieces) {
        if (piece.size() == 1)
            painter.drawPoint(piece.front());
        else
            painter.drawPolyline(piece);
    }

    // The legend, top left: a short stretch of each line and its name, and where the second
    // lies when it lies beyond the view.
    const QString second = !companionPieces.empty() ? companionName
                           : companionOutside > 0
                               ? companionName + QStringLiteral(" (über der Ansicht ↑)")
                               : companionName + QStringLiteral(" (unter der Ansicht ↓)");
    const QFontMetrics metrics(painter.font());
    const int pad = metrics.height() / 3;
    const int sample = metrics.height() * 2;
    const int width =
        std::max(metrics.horizontalAdvance(firstName), metrics.horizontalAdvance(second)) + sample +
        3 * pad;
    const QRect box(pad, pad, width, 2 * metrics.height() + 2 * pad);
    QColor fill = palette().color(QPalette::Window);
    fill.setAlphaF(0.85f);
    painter.setPen(QPen(text, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), pad, pad);
    painter.setBrush(Qt::NoBrush);
    const auto entry = [&](int row, const QPen& stroke, const QString& name) {
        const int y = box.top() + pad + row * metrics.height() + metrics.height() / 2;
        painter.setPen(stroke);
        painter.drawLine(box.left() + pad, y, box.left() + pad + sample, y);
        painter.setPen(text);
        painter.drawText(QPointF(box.left() + 2 * pad + sample,
                                 y + (metrics.ascent() - metrics.descent()) / 2.0),
                         name);
    };
    entry(0, QPen(line, 2.0), firstName);
    entry(1, pen, second);
}
