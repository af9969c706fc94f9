#include "ui/ResultAnnouncement.h"

#include "framework/Announcer.h"
#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"
#include "ui/SpokenNumber.h"

void AnnounceResults(HauptFenster& window)
{
    // The value at 0 is spoken as the field paints it, mark included, so that what is heard is
    // what is seen.
    const auto& value =
        dynamic_cast<const FittedNumberField&>(window.Control(kArgumentRows[0].value));
    QString valueAtZero = SpokenNumber(value.PaintedText());
    if (value.IsMarked())
        valueAtZero += QStringLiteral(", ungenau");

    // The degree is the highest coefficient row left standing once zero leading rows are hidden.
    int degree = 0;
    for (int k = 9; k >= 1 && degree == 0; --k) {
        if (window.Control(kCoefficientRows[k].field).isVisibleTo(&window))
            degree = k;
    }

    // A degree read off marked coefficients says little: the exact polynomial's is named beside.
    QString degreeText = QString::number(degree);
    const auto coefficient = [&window](int k) -> const FittedNumberField& {
        return dynamic_cast<const FittedNumberField&>(window.Control(kCoefficientRows[k].field));
    };
    if (coefficient(degree).IsMarked()) {
        int exactDegree = 0;
        bool known = true;
        for (int k = 0; k < 10; ++k) {
            const std::optional<ResultReference>& reference = coefficient(k).Reference();
            known = known && reference.has_value();
            if (reference && !reference->digits.exact.digits.empty())
                exactDegree = k;
        }
        if (known)
            degreeText += QStringLiteral(", ungenau; exakt: %1").arg(exactDegree);
    }

    // Marked results are worth hearing of before anyone reads them out one by one.
    int marked = 0;
    for (const auto* field : window.findChildren<const FittedNumberField*>())
        marked += field->isVisibleTo(&window) && !field->text().isEmpty() && field->IsMarked();

    QString news = QStringLiteral("Ergebnisse berechnet. Wert an der Stelle 0: %1. "
                                  "Grad des Polynoms: %2.")
                       .arg(valueAtZero)
                       .arg(degreeText);
    if (marked > 0)
        news += marked == 1 ? QStringLiteral(" 1 Ergebnis ist ungenau.")
                            : QStringLiteral(" %1 Ergebnisse sind ungenau.").arg(marked);
    Announce(window, news);
}
