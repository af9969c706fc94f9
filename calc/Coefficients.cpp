// The polynomial expanded into its normal form: one contribution per point and power, summed
// per power, signed, and cleared below the zero threshold.

#include "calc/PointsInUse.h"
#include "calc/ProdK.h"
#include "ui/HauptFenster.h"

#include <array>

namespace {

// Point i's contribution to the coefficient of x^K before the sign of the power: its ordinate
// times the symmetric sum of degree m-K of the other abscissae, divided by each of them minus
// its own abscissa. The symmetric sum is built from the left-out sets of K positions in
// lexicographic order, every product multiplied in ascending position: the last bits of the
// coefficients depend on both orders.
double contribution(const HauptFenster& w, int K, std::int32_t i)
{
    const std::int32_t count = pointsInUse(w.n);
    const int m = count - 1;

    std::array<double, 10> xrest{};
    for (int j = 0; j < i; ++j)
        xrest[j] = w.xwert[j];
    for (int j = i + 1; j < count; ++j)
        xrest[j - 1] = w.xwert[j];

    double S = 0.0;
    if (K == 0) {
        S = 1.0;
        for (int l = 0; l < m; ++l)
            S = S * xrest[l];
    } else if (K <= m) {
        // leftOut[p] runs up to m-K+p, so the last set is the top K positions.
        std::array<int, 9> leftOut{};
        for (int p = 0; p < K; ++p)
            leftOut[p] = p;
        while (true) {
            // One bit per left-out position: the same sets as comparing l with each of them,
            // for a fraction of the integer work that dominates this routine.
            unsigned leftOutMask = 0;
            for (int p = 0; p < K; ++p)
                leftOutMask |= 1u << leftOut[p];
            double P = 1.0;
            for (int l = 0; l < m; ++l) {
                if (!(leftOutMask & (1u << l)))
                    P = P * xrest[l];
            }
            S = S + P;

            // The next set in lexicographic order: raise the rightmost position that can rise.
            int p = K - 1;
            while (p >= 0 && leftOut[p] == m - K + p)
                --p;
            if (p < 0)
                break;
            ++leftOut[p];
            for (int q = p + 1; q < K; ++q)
                leftOut[q] = leftOut[q - 1] + 1;
        }
    }

    double R = S * w.ywert[i];
    // One division per other abscissa, never their product as one divisor.
    for (int l = 0; l < m; ++l)
        R = R / (xrest[l] - w.xwert[i]);
    return R;
}

} // namespace

double HauptFenster::Prod9(std::int32_t i)
{
    return contribution(*this, 9, i);
}
double HauptFenster::Prod8(std::int32_t i)
{
    return contribution(*this, 8, i);
}
double HauptFenster::Prod7(std::int32_t i)
{
    return contribution(*this, 7, i);
}
double HauptFenster::Prod6(std::int32_t i)
{
    return contribution(*this, 6, i);
}
double HauptFenster::Prod5(std::int32_t i)
{
    return contribution(*this, 5, i);
}
double HauptFenster::Prod4(std::int32_t i)
{
    return contribution(*this, 4, i);
}
double HauptFenster::Prod3(std::int32_t i)
{
    return contribution(*this, 3, i);
}
double HauptFenster::Prod2(std::int32_t i)
{
    return contribution(*this, 2, i);
}
double HauptFenster::Prod1(std::int32_t i)
{
    return contribution(*this, 1, i);
}
double HauptFenster::Prod0(std::int32_t i)
{
    return contribution(*this, 0, i);
}

double ProdK(HauptFenster& window, int k, std::int32_t i)
{
    // A switch rather than a table of member pointers: GCC 12's bounds sanitizer misreads
    // indices into arrays of member pointers.
    switch (k) {
    case 0:
        return window.Prod0(i);
    case 1:
        return window.Prod1(i);
    case 2:
        return window.Prod2(i);
    case 3:
        return window.Prod3(i);
    case 4:
        return window.Prod4(i);
    case 5:
        return window.Prod5(i);
    case 6:
        return window.Prod6(i);
    case 7:
        return window.Prod7(i);
    case 8:
        return window.Prod8(i);
    default:
        return window.Prod9(i);
    }
}

std::int32_t HauptFenster::vorz(std::int32_t k)
{
    return k % 2 == 0 ? 1 : -1;
}

void HauptFenster::Koeffizientenberechnung()
{
    const std::int32_t count = pointsInUse(n);

    for (int k = 0; k < count; ++k)
        Koeff[k] = 0.0;
    // Each coefficient sums the points' contributions left to right, in point order.
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k <= 9; ++k)
            Koeff[k] = Koeff[k] + ProdK(*this, k, i);
    }
    for (int k = 0; k <= 9; ++k) {
        Koeff[k] = static_cast<double>(vorz(k)) * Koeff[k];
        // Also turns -0.0 into +0.0.
        if (IstNull(Koeff[k]))
            Koeff[k] = 0.0;
    }
    // Powers at or above the count hold whatever an earlier command left; they are 0.
    for (int k = count; k <= 9; ++k)
        Koeff[k] = 0.0;
}
