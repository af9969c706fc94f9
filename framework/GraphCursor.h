#pragma once
// A keyboard cursor on the curve of a GraphView, for exploring a function without the pointer:
// keys move it along x by a step that follows the zoom, or jump it to the next or previous
// place of a kind the caller names (points, zeros, ...); a click on the drawing puts it there.
// Each move says where it stands in one line of text. It is drawn over the curve, and the view
// follows it where it leaves the view. It knows nothing of what the function is.

#include "framework/AxisTicks.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class GraphView;
class QMenu;
class QPainter;

class GraphCursor final : public QObject
{
    Q_OBJECT
public:
    struct Stop
    {
        double x;
        QString arrival; // said when the cursor jumps onto it
        QString passing; // said when a step passes it; empty: nothing is said
        // The arrival is followed by the readout of x, worked out only when it is said.
        bool readOut = false;
    };
    // Places of one kind, reached by a key, and by the key with Shift backwards.
    struct Kind
    {
        int key;               // Qt::Key
        QString noneToTheLeft; // said when there is no further place that way
        QString noneToTheRight;
        std::vector<Stop> stops;
    };

    // `valueAt` places the cursor's disc on the curve; `readout` says a position the cursor
    // steps to: "x = ...; p(x) = ...".
    GraphCursor(GraphView& view, std::function<double(double)> valueAt,
                std::function<QString(double)> readout);

    // The places to jump to.
    void SetKinds(std::vector<Kind> kinds);
    // No cursor: a new function, on which the old place means nothing.
    void Reset();
    std::optional<double> Position() const { return position; }
    // The step of one key press in the view as it is: 1, 2 or 5 times a power of ten.
    TickStep Step() const;

    void StepBy(int steps);
    void Jump(int key, bool backwards);
    void PlaceAt(double x);
    // Says the last line again.
    void Repeat();
    // The view is being moved by the cursor, which says where it is itself.
    bool MovingTheView() const { return followingCursor; }

signals:
    // What the cursor says, after each key that moves it or tells where it is.
    void Said(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double startingPoint() const;
    void moveTo(double x, const QString& text);
    void follow(double x);
    void paint(QPainter& painter) const;
    QPoint cursorPoint() const;
    void openContextMenu(QPoint at, bool byKey);

    GraphView& view;
    std::function<double(double)> valueAt;
    std::function<QString(double)> readout;
    std::vector<Kind> kinds;
    std::optional<double> position;
    QString lastSaid;
    bool followingCursor = false;
    std::optional<QPointF> pressedAt;
    QMenu* menu = nullptr; // the context menu opened by key
};
