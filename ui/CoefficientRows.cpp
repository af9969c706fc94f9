// Showing and hiding the coefficient rows; row 0 always stays.

#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

void HauptFenster::Verbirg(std::int32_t i)
{
    if (i < 1 || i > 9)
        return;
    SetVisible(kCoefficientRows[i].field, false);
    SetVisible(kCoefficientRows[i].label, false);
}

void HauptFenster::Entbirg()
{
    for (int k = 9; k >= 1; --k) {
        SetVisible(kCoefficientRows[k].field, true);
        SetVisible(kCoefficientRows[k].label, true);
    }
}
