#pragma once
// The graph window: the polynomial of the last compute drawn over its points and arguments.

#include "framework/Window.h"

#include <memory>

struct ComputeRecord;
struct ComputedCurve;
struct ReadoutPoint;
class GraphExplorer;
class GraphView;

class GraphF : public Window
{
    Q_OBJECT
public:
    // The shared graph window, built on the first request.
    static GraphF& instance();
    // Shows it, in front and active: the command of the item "Graph".
    static void Open();

protected:
    void Layout() override;
    void CreateControls() override;

private:
    // Follows the main window: a new curve after each compute, dimmed once it is stale.
    void ShowResults();
    // The notes say what the view shows and, where it shows no curve, why.
    void ShowNotes();
    void ShowCoefficientCurve(const ComputeRecord& record);
    void DescribeGraph();
    QString ReadoutAt(const ReadoutPoint& point) const;

    GraphView* view = nullptr;
    GraphExplorer* explorer = nullptr;
    std::shared_ptr<const ComputedCurve> shown;
    bool stale = false;
};
