#pragma once
// A drawing of one function y = f(x) with marked points: axes with ticks, the curve sampled at
// every pixel column to within half a pixel, and a view that the wheel, a drag and the keys
// move. It knows nothing of what the function is; the caller's sampler decides how the values
// are worked out.

#include "framework/GraphFunction.h"

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
    bool framesDefaultView; // the default view spans these; "all" spans every mark
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

    // Dimmed: what is drawn no longer belongs to the rest of the program.
    void SetDimmed(bool dimmed);
    bool IsDimmed() const { return dimmed; }
    // Lines painted in the top right corner.
    void SetNotes(const QStringList& notes);
    const QStringList& Notes() const { return notes; }
    const QString& Message() const { return message; }
    // The line shown for the position under the pointer, given its x.
    void SetReadout(std::function<QString(double x)> readout);
    QString ReadoutText() const;

    const View& CurrentView() const { return view; }
    // Clamped to what a double can show at every pixel.
    void SetView(const View& wanted);
    View DefaultView() const { return defaultView; }
    // The x range of every mark, the y range of the curve on it and of the marks in it.
    View AllView() const;
    // factor < 1 zooms in; `about` (widget coordinates) stays where it is.
    void Zoom(double factor, QPointF about);
    void Pan(QPointF pixels);

    const std::vector<CurvePoint>& Curve();
    // The graph as an image, as Ctrl+C copies it.
    QImage Image();

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
    View fitted(bool everyMark) const;
    View panned(const View& from, QPointF pixels) const;
    double xAt(double pixel) const;
    double pixelOfX(double x) const;
    double pixelOfY(double y) const;
    void forgetCurve();
    void buildCurve();
    void paintAxes(QPainter& painter) const;
    void paintCurveAndMarks(QPainter& painter);
    void paintNotes(QPainter& painter) const;
    void buildCompanion(const SampleRequest& request);
    void paintCompanion(QPainter& painter) const;

    Sampler sampler;
    std::vector<GraphMark> marks;
    std::function<QString(double)> readout;
    QString message;
    QStringList notes;
    bool dimmed = false;
    View view{-1, 1, -1, 1};
    View defaultView{-1, 1, -1, 1};

    // The curve of the current view, size and function, in pieces that stay inside the widget.
    std::vector<CurvePoint> curve;
    std::vector<QPolygonF> pieces;
    bool curveValid = false;
    double curveRatio = 1.0;

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
