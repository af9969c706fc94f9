// The interpolating polynomial evaluated in Lagrange form.

#include "calc/PointsInUse.h"
#include "ui/HauptFenster.h"

double HauptFenster::gi(std::int32_t k, double x)
{
    const std::int32_t count = pointsInUse(n);
    double r = ywert[k];
    for (int i = 0; i < count; ++i) {
        if (i == k)
            continue;
        // One multiplication, then one division per factor: the rounding of the shown values
        // depends on it, so neither the quotient nor the denominators are formed apart.
        r = (r * (xwert[i] - x)) / (xwert[i] - xwert[k]);
    }
    return r;
}

double HauptFenster::g(double x)
{
    const std::int32_t count = pointsInUse(n);
    double s = 0.0;
    for (int k = 0; k < count; ++k)
        s = s + gi(k, x);
    return s;
}
