// Writing the values and coefficients into the form, and hiding the rows of zero leading
// coefficients.

#include "calc/PointsInUse.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include "framework/NumberText.h"

#include <cmath>

bool HauptFenster::IstNull(double x)
{
    // Absolute, not scaled by the data; a NaN is never zero.
    return std::fabs(x) < 1e-8;
}

void HauptFenster::WerteAusgeben()
{
    // Only rows below the count are snapped: the bound is the count, not the number of rows.
    const std::int32_t count = pointsInUse(n);
    for (int i = 0; i < count; ++i) {
        if (IstNull(Argy[i]))
            Argy[i] = 0.0;
    }
    for (int k = 1; k <= 9; ++k)
        SetText(kArgumentRows[k].value, QString());
    SetText(kArgumentRows[0].value, Str(Argy[0]));
    // The test is on the argument, as in the driver: a value of 0 at an argument is shown.
    for (int k = 1; k <= 9; ++k) {
        if (Argx[k] != 0.0)
            SetText(kArgumentRows[k].value, Str(Argy[k]));
    }
}

void HauptFenster::Koeffizientenausgabe()
{
    for (int k = 0; k <= 9; ++k)
        SetText(kCoefficientRows[k].field, Str(Koeff[k]));
}

void HauptFenster::Schwanzweg()
{
    // Koeff[k] is read before k is tested, so the last read is Koeff[0] and row 0 stays.
    std::int32_t k = 9;
    while (Koeff[k] == 0.0 && k >= 1) {
        Verbirg(k);
        k = k - 1;
    }
}
