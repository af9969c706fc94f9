// Back to the state before the first compute, for a new or an opened document: results belong
// to the inputs they were computed from, and those are gone.

#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

void HauptFenster::ClearResults()
{
    const auto clear = [this](const char* name) {
        auto& field = dynamic_cast<FittedNumberField&>(Control(name));
        SetText(name, QString());
        field.SetReference(std::nullopt);
        field.SetStale(false);
        field.SetMarked(QString());
    };
    for (const ArgumentRow& row : kArgumentRows)
        clear(row.value);
    for (const CoefficientRow& row : kCoefficientRows)
        clear(row.field);
    Entbirg();
    for (EditLine* input : findChildren<EditLine*>()) {
        if (!qobject_cast<FittedNumberField*>(input))
            input->SetMarked(QString());
    }
    xwert = {};
    ywert = {};
    Argx = {};
    Argy = {};
    Koeff = {};
    lastCompute.reset();
    resultsShown = false;
    resultsStale = false;
    ExplainResults();
    emit ResultsChanged();
}
