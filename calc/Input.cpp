// Reading the support points and the arguments from the form, and the distinctness test.

#include "calc/PointsInUse.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include "framework/NumberText.h"

void HauptFenster::StuetzpunkteEinlesen()
{
    for (int i = 0; i <= 10; ++i) {
        xwert[i] = 0.0;
        ywert[i] = 0.0;
    }
    // Every row is read, hidden ones too; those beyond the count are cleared again below.
    for (int k = 0; k <= 9; ++k) {
        xwert[k] = Val(Text(kSupportRows[k].abscissa));
        ywert[k] = Val(Text(kSupportRows[k].ordinate));
    }
    for (int i = pointsInUse(n); i <= 10; ++i) {
        xwert[i] = 0.0;
        ywert[i] = 0.0;
    }
}

bool HauptFenster::Pruefen()
{
    const std::int32_t count = pointsInUse(n);
    double product = 1.0;
    bool repeated = false;
    for (int i = 0; i <= count - 2; ++i) {
        for (int j = i + 1; j <= count - 1; ++j) {
            product = product * (xwert[i] - xwert[j]);
            // The product alone misses a repeated abscissa once it has overflowed: inf * 0 is
            // NaN, not 0. Distinct abscissae whose product underflows to 0 stay refused.
            repeated = repeated || xwert[i] == xwert[j];
        }
    }
    return product != 0.0 && !repeated;
}

void HauptFenster::ArgumenteEinlesen()
{
    for (int i = 0; i <= 9; ++i)
        Argx[i] = Val(Text(kArgumentRows[i].argument));
}
