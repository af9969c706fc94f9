// The exact results of a compute from the polynomial in integers (ExactInterpolation.h): values
// and hidden powers by integer Horner sums over V 10^t. Rationals throughout, reduced at every
// step, cost fifty times as much with exponents near 1e+-300.

#include "calc/ExactShadow.h"

#include "calc/ExactDescription.h"
#include "calc/ExactInterpolation.h"
#include "calc/ExactReading.h"

#include <algorithm>

namespace {

// q at the argument mantissa * 10^exponent. With u = P / Q, Q a power of ten, the sum
// sum_k C_k P^k Q^(degree-k) stays integral.
ExactNumber valueAt(const ScaledPolynomial& polynomial, const ScaledDecimal& argument)
{
    const long uExponent = argument.exponent + polynomial.abscissaScale;
    const int degree = std::max(polynomial.degree, 0);
    mpz_class p = argument.mantissa;
    long qExponent = 0;
    if (p != 0 && uExponent >= 0)
        p *= PowerOfTen(static_cast<unsigned long>(uExponent));
    else if (p != 0)
        qExponent = -uExponent;
    const mpz_class q = PowerOfTen(static_cast<unsigned long>(qExponent));
    mpz_class qPower = 1;
    mpz_class sum = polynomial.numerators[size_t(degree)];
    for (int k = degree - 1; k >= 0; --k) {
        qPower *= q;
        sum = sum * p + polynomial.numerators[size_t(k)] * qPower;
    }
    return DescribeExact(sum, polynomial.denominator,
                         -polynomial.ordinateScale - qExponent * degree);
}

// The hidden powers' share at each support point, sum_{k>highestVisible} C_k X_i^k over
// V 10^t: integers over the same denominator, so the largest is found without dividing. As
// q(x_i) = y_i, the share is also Y_i V - sum_{k<=highestVisible} C_k X_i^k; of the two
// Horner sums over numbers the size of V the shorter one is taken.
mpz_class hiddenShare(const ScaledPolynomial& polynomial, size_t point, int lowestHidden)
{
    const std::array<mpz_class, 10>& C = polynomial.numerators;
    const mpz_class& x = polynomial.abscissae[point];
    const int degree = polynomial.degree;
    if (degree - lowestHidden < lowestHidden) {
        mpz_class share = C[size_t(degree)];
        for (int k = degree - 1; k >= lowestHidden; --k)
            share = share * x + C[size_t(k)];
        mpz_class lowPowers;
        mpz_pow_ui(lowPowers.get_mpz_t(), x.get_mpz_t(), static_cast<unsigned long>(lowestHidden));
        return share * lowPowers;
    }
    mpz_class visible = C[size_t(lowestHidden - 1)];
    for (int k = lowestHidden - 2; k >= 0; --k)
        visible = visible * x + C[size_t(k)];
    return polynomial.ordinates[point] * polynomial.denominator - visible;
}

void judgeHiddenPowers(const ScaledPolynomial& polynomial, int highestVisible,
                       ExactResults& results)
{
    const int lowestHidden = highestVisible + 1;
    bool anyHidden = false;
    for (int k = lowestHidden; k <= polynomial.degree; ++k)
        anyHidden = anyHidden || polynomial.numerators[size_t(k)] != 0;
    if (!anyHidden)
        return;

    mpz_class largest = 0;
    for (size_t point = 0; point < polynomial.abscissae.size(); ++point) {
        mpz_class share = hiddenShare(polynomial, point, lowestHidden);
        if (abs(share) > abs(largest))
            largest = std::move(share);
    }
    mpz_class largestOrdinate = 0;
    for (const mpz_class& ordinate : polynomial.ordinates)
        largestOrdinate = std::max(largestOrdinate, mpz_class(abs(ordinate)));

    results.hiddenChange =
        DescribeExact(largest, polynomial.denominator, -polynomial.ordinateScale);
    // |change| > |y|max / 1000, both over 10^t, the change also over |V|.
    results.hiddenChangeMatters =
        1000 * abs(largest) > abs(polynomial.denominator) * largestOrdinate;
}

} // namespace

ExactResults ComputeExact(const ExactInput& input)
{
    ExactResults results;
    const int count = std::clamp(int(input.pointsInUse), 0, 10);
    std::vector<ScaledDecimal> xs;
    std::vector<ScaledDecimal> ys;
    for (int i = 0; i < count; ++i) {
        std::optional<ScaledDecimal> x = ReadExact(input.abscissae[size_t(i)]);
        std::optional<ScaledDecimal> y = ReadExact(input.ordinates[size_t(i)]);
        if (!x || !y)
            return results;
        xs.push_back(std::move(*x));
        ys.push_back(std::move(*y));
    }
    std::optional<ScaledPolynomial> interpolated = Interpolate(xs, ys);
    if (!interpolated)
        return results;
    const auto polynomial = std::make_shared<const ScaledPolynomial>(std::move(*interpolated));
    results.polynomial = polynomial;

    results.values[0] = valueAt(*polynomial, ScaledDecimal{});
    for (size_t row = 1; row < results.values.size(); ++row) {
        if (!input.evaluated[row])
            continue;
        if (const std::optional<ScaledDecimal> argument = ReadExact(input.arguments[row]))
            results.values[row] = valueAt(*polynomial, *argument);
    }
    for (size_t k = 0; k < results.coefficients.size(); ++k) {
        results.coefficients[k] =
            DescribeExact(polynomial->numerators[k], polynomial->denominator,
                          polynomial->abscissaScale * long(k) - polynomial->ordinateScale);
    }
    judgeHiddenPowers(*polynomial, std::clamp(input.highestVisible, 0, 9), results);
    return results;
}
