#pragma once
// Where the tick labels of a graph go. Each stands beside its tick on a background of its own,
// a minus sign's width clear of the axis, of any tick and of any line that runs into it, so that
// no line is read as a sign; it moves to the other side of its axis, or is left out, rather
// than lie over a mark, a note or another label.

#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <vector>

struct TickLabel
{
    double pixel; // where its tick stands along the axis
    QString text;
    double value;
};

// What the labels are laid out around.
struct LabelRoom
{
    QRectF plot;
    double xAxis = 0;              // the x axis is the horizontal line at this height
    double yAxis = 0;              // the y axis is the vertical line at this position
    bool yAxisAtZero = false;      // the y axis stands at x = 0, so the label 0 goes beside it
    bool xAxisAtZero = false;      // the x axis stands at y = 0, which its label 0 tells
    std::vector<QRectF> obstacles; // marks and notes
};

struct AxisLabel
{
    QRectF box;       // its background, the text with a clear gap around it
    QPointF baseline; // where its text starts
    QString text;
    double value;
    bool onXAxis;
};

// Which side of each axis its labels prefer; ticks are drawn on the other side.
struct LabelSides
{
    bool yLabelsLeft;  // else right of the y axis
    bool xLabelsBelow; // else above the x axis
};
LabelSides PreferredSides(const LabelRoom& room, const QFontMetricsF& metrics,
                          const std::vector<TickLabel>& yTicks);

// The gap between a label's text and anything beside it: a minus sign's width.
double LabelGap(const QFontMetricsF& metrics);

// y labels first (they are fewer), then x labels. Where the axes cross at the origin, its one
// label 0 stands beside the y axis below the x axis.
std::vector<AxisLabel> LayOutLabels(const std::vector<TickLabel>& xTicks,
                                    const std::vector<TickLabel>& yTicks, const LabelRoom& room,
                                    const QFontMetricsF& metrics, double tickLength);
