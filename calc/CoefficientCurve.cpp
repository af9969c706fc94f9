// Each coefficient is a whole number times a power of two, so the polynomial is integers over
// one power of two: the same form as the exact polynomial's, and drawn by the same curve.

#include "calc/CoefficientCurve.h"

#include "calc/ExactInterpolation.h"

#include <algorithm>
#include <cmath>

std::optional<PolynomialCurve> CoefficientCurve(const std::array<double, 10>& coefficients)
{
    std::array<mpz_class, 10> mantissas;
    std::array<long, 10> exponents{};
    long lowest = 0;
    bool any = false;
    int degree = 0;
    for (size_t k = 0; k < coefficients.size(); ++k) {
        const double a = coefficients[k];
        if (!std::isfinite(a))
            return std::nullopt;
        if (a == 0.0)
            continue;
        int exponent = 0;
        const double fraction = std::frexp(a, &exponent);
        mantissas[k] = mpz_class(std::ldexp(fraction, 53)); // exact: 53 bits
        exponents[k] = exponent - 53;
        lowest = any ? std::min(lowest, exponents[k]) : exponents[k];
        any = true;
        degree = int(k);
    }
    auto polynomial = std::make_shared<ScaledPolynomial>();
    // a_k = mantissa_k 2^(exponent_k - lowest) / 2^-lowest
    polynomial->denominator = 1;
    if (lowest < 0)
        polynomial->denominator <<= static_cast<mp_bitcnt_t>(-lowest);
    for (size_t k = 0; k < coefficients.size(); ++k) {
        if (mantissas[k] == 0)
            continue;
        const long shift = exponents[k] - std::min(lowest, 0L);
        polynomial->numerators[k] = mantissas[k] << static_cast<mp_bitcnt_t>(shift);
    }
    polynomial->degree = degree;
    return PolynomialCurve(std::move(polynomial));
}
