#include "framework/GraphLabels.h"

#include <algorithm>

namespace {

// A label's box beside a point, extended by the gap on every side that text faces.
struct Placer
{
    const QFontMetricsF& metrics;
    double gap;

    QRectF box(const QString& text) const
    {
        return {0, 0, metrics.horizontalAdvance(text) + 2 * gap, metrics.height() + 2};
    }
};

bool freeOf(const QRectF& box, const std::vector<QRectF>& taken)
{
    return std::none_of(taken.begin(), taken.end(),
                        [&](const QRectF& other) { return other.intersects(box); });
}

} // namespace

double LabelGap(const QFontMetricsF& metrics)
{
    return std::max(2.0, metrics.horizontalAdvance(QChar(u'\u2212')));
}

LabelSides PreferredSides(const LabelRoom& room, const QFontMetricsF& metrics,
                          const std::vector<TickLabel>& yTicks)
{
    double widest = 0;
    for (const TickLabel& tick : yTicks)
        widest = std::max(widest, metrics.horizontalAdvance(tick.text));
    const double need = widest + 2 * LabelGap(metrics);
    return {room.yAxis - need >= room.plot.left(),
            room.xAxis + 1 + metrics.height() + 2 <= room.plot.bottom()};
}

std::vector<AxisLabel> LayOutLabels(const std::vector<TickLabel>& xTicks,
                                    const std::vector<TickLabel>& yTicks, const LabelRoom& room,
                                    const QFontMetricsF& metrics, double tickLength)
{
    const double gap = LabelGap(metrics);
    const Placer placer{metrics, gap};
    const LabelSides sides = PreferredSides(room, metrics, yTicks);
    std::vector<QRectF> taken = room.obstacles;
    std::vector<AxisLabel> labels;

    // The first box that fits in the plot and is free wins; none: the label is left out.
    const auto place = [&](const TickLabel& tick, bool onXAxis, std::initializer_list<QRectF> at) {
        for (const QRectF& box : at) {
            if (!room.plot.contains(box) || !freeOf(box, taken))
                continue;
            taken.push_back(box);
            labels.push_back({box, QPointF(box.left() + gap, box.top() + 1 + metrics.ascent()),
                              tick.text, tick.value, onXAxis});
            return;
        }
    };

    // Beside the y axis, the line through the label's middle hidden by its box. On the side of
    // the ticks the box starts beyond them.
    for (const TickLabel& tick : yTicks) {
        if (tick.value == 0.0 && room.xAxisAtZero && room.yAxisAtZero)
            continue;
        QRectF box = placer.box(tick.text);
        box.moveTop(tick.pixel - box.height() / 2);
        QRectF left = box;
        QRectF right = box;
        left.moveRight(room.yAxis - (sides.yLabelsLeft ? 0 : tickLength));
        right.moveLeft(room.yAxis + 1 + (sides.yLabelsLeft ? tickLength : 0));
        if (sides.yLabelsLeft)
            place(tick, false, {left, right});
        else
            place(tick, false, {right, left});
    }
    for (const TickLabel& tick : xTicks) {
        QRectF box = placer.box(tick.text);
        QRectF below = box;
        QRectF above = box;
        below.moveTop(room.xAxis + 1 + (sides.xLabelsBelow ? 0 : tickLength));
        above.moveBottom(room.xAxis - (sides.xLabelsBelow ? tickLength : 0));
        if (tick.value == 0.0 && room.yAxisAtZero) {
            // Beside the y axis, not across it.
            QRectF belowLeft = below;
            QRectF aboveLeft = above;
            QRectF belowRight = below;
            belowLeft.moveRight(room.yAxis);
            aboveLeft.moveRight(room.yAxis);
            belowRight.moveLeft(room.yAxis + 1);
            if (sides.xLabelsBelow)
                place(tick, true, {belowLeft, belowRight, aboveLeft});
            else
                place(tick, true, {aboveLeft, belowLeft});
            continue;
        }
        below.moveLeft(tick.pixel - box.width() / 2);
        above.moveLeft(tick.pixel - box.width() / 2);
        if (sides.xLabelsBelow)
            place(tick, true, {below, above});
        else
            place(tick, true, {above, below});
    }
    return labels;
}
