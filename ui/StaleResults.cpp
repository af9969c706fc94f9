// Results that no longer belong to the inputs: once the count, a support point in use or an
// argument changes after a compute, every result field is dimmed and says so, until the next
// compute. Their texts stay.

#include "calc/PointsInUse.h"
#include "framework/Announcer.h"
#include "framework/EditLine.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

namespace {

constexpr int kNotASupportRow = -1;

} // namespace

void HauptFenster::WatchInputs()
{
    Connect("sstellen", ControlEvent::TextChange, [this] { InputChanged(kNotASupportRow); });
    for (int k = 0; k < 10; ++k) {
        Connect(kSupportRows[k].abscissa, ControlEvent::TextChange, [this, k] { InputChanged(k); });
        Connect(kSupportRows[k].ordinate, ControlEvent::TextChange, [this, k] { InputChanged(k); });
    }
    for (int i = 1; i < 10; ++i)
        Connect(kArgumentRows[i].argument, ControlEvent::TextChange,
                [this] { InputChanged(kNotASupportRow); });

    // Marks and staleness change what a field tells; its explanation follows them.
    for (QWidget* control : findChildren<EditLine*>()) {
        const QString name = control->objectName();
        connect(static_cast<EditLine*>(control), &EditLine::StateChanged, this,
                [this, name] { ExplainField(name); });
    }
}

void HauptFenster::InputChanged(int supportRow)
{
    // A support point beyond the count is not read into the results.
    if (!resultsShown || (supportRow != kNotASupportRow && supportRow >= pointsInUse(n)))
        return;
    for (const ArgumentRow& row : kArgumentRows)
        dynamic_cast<EditLine&>(Control(row.value)).SetStale(true);
    for (const CoefficientRow& row : kCoefficientRows)
        dynamic_cast<EditLine&>(Control(row.field)).SetStale(true);
    if (!resultsStale) {
        resultsStale = true;
        // Said once as the results turn stale, not again by each result field.
        Announce(*this, QStringLiteral("Ergebnisse veraltet: Die Eingaben wurden seit der "
                                       "Berechnung geändert."));
        emit ResultsChanged();
    }
}
