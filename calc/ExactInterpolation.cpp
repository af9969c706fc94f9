// Newton's divided differences kept integral, then the Newton form multiplied out. With the
// Vandermonde product W_ij of the points i..j, F_ij = f[x_i..x_j] W_ij obeys
//     F_ij = F_(i+1)j A_ij - F_i(j-1) B_ij,
//     A_ij = prod_{i<k<j} (X_k - X_i),   B_ij = prod_{i<k<j} (X_j - X_k),
// which divides nothing. The Lagrange sum over V / D_i costs three times as much for
// thousand-digit points, all of it in multiplying numbers the size of V by each N_i,k.

#include "calc/ExactInterpolation.h"

#include <algorithm>

namespace {

// The numbers as integers over one common power of ten: value_i = integers[i] / 10^scale.
struct CommonScale
{
    std::vector<mpz_class> integers;
    long scale = 0;
};

// The smallest scale that makes every number whole; it may be negative (1e300 and 2e300 are
// 1 and 2 over 10^-300).
CommonScale onCommonScale(const std::vector<ScaledDecimal>& numbers)
{
    CommonScale common;
    bool any = false;
    for (const ScaledDecimal& number : numbers) {
        if (number.mantissa != 0) {
            common.scale = any ? std::max(common.scale, -number.exponent) : -number.exponent;
            any = true;
        }
    }
    for (const ScaledDecimal& number : numbers) {
        mpz_class integer = number.mantissa;
        if (integer != 0)
            integer *= PowerOfTen(static_cast<unsigned long>(number.exponent + common.scale));
        common.integers.push_back(integer);
    }
    return common;
}

} // namespace

std::optional<ScaledPolynomial> Interpolate(const std::vector<ScaledDecimal>& xs,
                                            const std::vector<ScaledDecimal>& ys)
{
    CommonScale x = onCommonScale(xs);
    CommonScale y = onCommonScale(ys);
    const std::vector<mpz_class>& X = x.integers;
    const int count = int(X.size());

    // newton[k] = F_0k; the row F_i(i+L) of one level at a time, with its A and B.
    std::vector<mpz_class> newton(static_cast<size_t>(count));
    std::vector<mpz_class> row = y.integers;
    std::vector<mpz_class> a(size_t(count), 1);
    std::vector<mpz_class> b(size_t(count), 1);
    if (count > 0)
        newton[0] = row[0];
    for (int level = 1; level < count; ++level) {
        for (int i = 0; i + level < count; ++i) {
            const int j = i + level;
            if (level >= 2) {
                a[i] *= X[j - 1] - X[i];
                b[i] = b[i + 1] * (X[j] - X[i + 1]);
            }
            row[i] = row[i + 1] * a[i] - row[i] * b[i];
        }
        newton[level] = row[0];
    }

    // V / W_0k, from the top down: each point adds its differences to all before it.
    std::vector<mpz_class> rest(size_t(std::max(count, 1)), 1);
    for (int k = count - 1; k >= 1; --k) {
        mpz_class added = 1;
        for (int i = 0; i < k; ++i)
            added *= X[k] - X[i];
        rest[k - 1] = rest[k] * added;
    }
    ScaledPolynomial polynomial;
    polynomial.denominator = rest[0];
    if (polynomial.denominator == 0)
        return std::nullopt;

    // V q(u) = V c_0 + (u - X_0) (V c_1 + (u - X_1) (...)), multiplied out from the inside.
    std::array<mpz_class, 10>& C = polynomial.numerators;
    for (int k = count - 1; k >= 0; --k) {
        const int degree = count - 1 - k;
        if (degree > 0) {
            for (int l = degree; l >= 1; --l)
                C[l] = C[l - 1] - X[k] * C[l];
            C[0] = -X[k] * C[0];
        }
        C[0] += newton[k] * rest[k];
    }

    polynomial.abscissaScale = x.scale;
    polynomial.ordinateScale = y.scale;
    polynomial.degree = count - 1;
    polynomial.abscissae = std::move(x.integers);
    polynomial.ordinates = std::move(y.integers);
    return polynomial;
}
