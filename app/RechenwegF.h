#pragma once
// The window "Rechenweg": the exact way to the polynomial of the last compute, step by step,
// following the main window's results, with commands that copy it as text and as LaTeX.

#include "framework/Window.h"

#include <memory>

struct ComputeRecord;
struct WorkedSolution;
class QAction;
class RichTextView;

class RechenwegF : public Window
{
    Q_OBJECT
public:
    // The shared window, built on the first request.
    static RechenwegF& instance();
    // Shows it, in front and active: the command of the item "Rechenweg".
    static void Open();

    // The worked solution shown, or none before the first compute.
    std::shared_ptr<const WorkedSolution> Shown() const { return solution; }

protected:
    void Layout() override;
    void CreateControls() override;
    void showEvent(QShowEvent* event) override;

private:
    // Follows the main window: worked out anew for each compute, marked once it is stale;
    // nothing is worked out while the window is hidden.
    void ShowResults();
    // Shows the solution of the record, or a note while it is being worked out.
    void Present();
    void WorkedOut(std::shared_ptr<const ComputeRecord> from,
                   std::shared_ptr<const WorkedSolution> result);
    void Copy(bool asLatex);

    RichTextView* view = nullptr;
    QAction* copyText = nullptr;
    QAction* copyLatex = nullptr;
    std::shared_ptr<const ComputeRecord> record;
    std::shared_ptr<const WorkedSolution> solution;
    bool stale = false;
    bool behind = true;                        // results changed while hidden
    const WorkedSolution* presented = nullptr; // the solution the view shows
    bool working = false; // the record's solution is being worked out on another thread
};
