#pragma once
// The graph by keyboard and by ear, beneath the drawing: the cursor on the curve, the row
// "Wert an der Stelle", the line that says where the cursor stands, and the shape of the curve
// ("Verlauf") on request. Each change of the view is said once it has settled; the drawing's
// context menu opens by key, and its commands stand in the window's menu "Ansicht" as well.

#include "calc/CurveFeatures.h"
#include "framework/GraphView.h"

#include <QPointer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>

struct ComputeRecord;
class GraphCursor;
class GraphValueRow;
class QAction;
class QLabel;
class QMenu;
class QThread;
class QTimer;

class GraphExplorer final : public QWidget
{
    Q_OBJECT
public:
    // `viewMenu`: a menu of the window that shows the drawing's commands.
    GraphExplorer(GraphView& view, QMenu* viewMenu, QWidget* parent);
    ~GraphExplorer() override;

    // The compute drawn, or none. Its shape is worked out once, on a thread of its own: points
    // of a thousand digits may take a second, and the window answers meanwhile.
    void SetRecord(std::shared_ptr<const ComputeRecord> record);
    bool ShapePending() const { return bool(job); }
    // The drawing no longer belongs to the inputs: what is said of it says so.
    void SetStale(bool stale);
    // "Nullstellen bei ...; Tiefpunkt ...; fällt bis ..., steigt danach.", empty without one.
    QString ShapeSentence() const;
    // Says the shape and shows it under the drawing.
    void ShowShape();

    // Puts zooming and this row's commands into the drawing's context menu, around the
    // commands the drawing has by then.
    void AddCommands();

    GraphCursor& Cursor() const { return *cursor; }
    // The controls of the rows, to be found by their names.
    std::vector<QWidget*> Controls() const;

signals:
    // The shape of the compute drawn is known now.
    void ShapeFound();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ShapeJob
    {
        std::atomic<bool> calledOff{false};
        CurveShape shape;
    };

    void findShape();
    void callOffShape();
    void shapeFound();
    void say(const QString& sentence);
    void viewChanged();
    void sayView();
    void mirrorCommands(QMenu& menu);

    GraphView& view;
    GraphCursor* cursor = nullptr;
    GraphValueRow* valueRow = nullptr;
    QLabel* readout = nullptr;
    QLabel* shapeLine = nullptr;
    bool stale = false;
    QTimer* viewSettles = nullptr;
    std::shared_ptr<const ComputeRecord> record;
    std::optional<CurveShape> shape;
    std::shared_ptr<ShapeJob> job; // the shape being worked out
    QPointer<QThread> worker;
    GraphView::View viewSaid{};
};
