#include "ui/ResultAnnouncement.h"

#include "framework/Announcer.h"
#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"
#include "ui/SpokenNumber.h"

void AnnounceResults(HauptFenster& window)
{
    // The value at 0 is spoken as the field paints it, so that what is heard is what is seen.
    const QString valueName = kArgumentRows[0].value;
    const auto* value = qobject_cast<const FittedNumberField*>(&window.Control(valueName));
    const QString shown = value ? value->ShownText() : window.Text(valueName);

    // The degree is the highest coefficient row left standing once zero leading rows are hidden.
    int degree = 0;
    for (int k = 9; k >= 1 && degree == 0; --k) {
        if (window.Control(kCoefficientRows[k].field).isVisibleTo(&window))
            degree = k;
    }

    Announce(window, QStringLiteral("Ergebnisse berechnet. Wert an der Stelle 0: %1. "
                                    "Grad des Polynoms: %2.")
                         .arg(SpokenNumber(shown))
                         .arg(degree));
}
