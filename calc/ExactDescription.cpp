#include "calc/ExactDescription.h"

#include "calc/ExactReading.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDecimalDigits = 20;

long bitLength(const mpz_class& value)
{
    return long(mpz_sizeinbase(value.get_mpz_t(), 2));
}

// floor(log2(n / d)) for n, d > 0: the bit lengths leave two candidates.
long floorLog2(const mpz_class& n, const mpz_class& d)
{
    const long candidate = bitLength(n) - bitLength(d);
    const mpz_class scaledN = candidate >= 0 ? mpz_class(n) : mpz_class(n << -candidate);
    const mpz_class scaledD = candidate >= 0 ? mpz_class(d << candidate) : mpz_class(d);
    return scaledN >= scaledD ? candidate : candidate - 1;
}

// The first kDecimalDigits digits of n / d (n, d > 0), cut, and the decimal exponent of the
// first. The bit lengths put the exponent within one of the truth; the quotient's length
// corrects it.
ExactDecimal leadingDigits(const mpz_class& n, const mpz_class& d)
{
    const mpz_class low = PowerOfTen(kDecimalDigits - 1);
    const mpz_class high = PowerOfTen(kDecimalDigits);
    long exponent = long(std::floor(double(bitLength(n) - bitLength(d)) * 0.30102999566398120));
    mpz_class quotient;
    mpz_class remainder;
    while (true) {
        const long shift = kDecimalDigits - 1 - exponent;
        if (shift >= 0)
            mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(),
                        mpz_class(n * PowerOfTen(shift)).get_mpz_t(), d.get_mpz_t());
        else
            mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), n.get_mpz_t(),
                        mpz_class(d * PowerOfTen(-shift)).get_mpz_t());
        if (quotient >= high)
            ++exponent;
        else if (quotient < low)
            --exponent;
        else
            break;
    }
    ExactDecimal decimal;
    decimal.digits = quotient.get_str();
    decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
    decimal.exponent = int(exponent);
    decimal.moreFollow = remainder != 0;
    return decimal;
}

// |n / d| < 1e-8, the decimal a reader means by it: |n| * 10^8 < d. The double 1e-8 that IstNull
// compares with lies a little above it, and an exact value of 1e-8 is not below the tolerance.
bool belowZeroTolerance(const mpz_class& n, const mpz_class& d)
{
    return mpz_class(abs(n) * PowerOfTen(8)) < d;
}

} // namespace

double NearestDouble(const mpz_class& numerator, const mpz_class& denominator)
{
    if (numerator == 0)
        return 0.0;
    const bool negative = numerator < 0;
    const mpz_class n = abs(numerator);
    const long log2 = floorLog2(n, denominator);
    double magnitude = 0.0;
    if (log2 > 1023) {
        magnitude = HUGE_VAL;
    } else if (log2 >= -1076) {
        // Units of the last place: 2^(log2-52) for normal numbers, 2^-1074 for subnormals.
        const long unit = std::max(log2 - 52, -1074L);
        mpz_class scaledN = n;
        mpz_class scaledD = denominator;
        if (unit < 0)
            scaledN <<= -unit;
        else
            scaledD <<= unit;
        mpz_class units;
        mpz_class remainder;
        mpz_tdiv_qr(units.get_mpz_t(), remainder.get_mpz_t(), scaledN.get_mpz_t(),
                    scaledD.get_mpz_t());
        const int half = cmp(mpz_class(remainder << 1), scaledD);
        if (half > 0 || (half == 0 && mpz_odd_p(units.get_mpz_t())))
            ++units;
        // At most 2^53 units: exact as a double, and ldexp rounds nothing but overflow to inf.
        magnitude = std::ldexp(units.get_d(), int(unit));
    }
    // Below 2^-1076 the value is under half the smallest subnormal: it rounds to 0.
    return negative ? -magnitude : magnitude;
}

ExactNumber DescribeExact(mpz_class numerator, mpz_class denominator, long power)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    if (power > 0)
        numerator *= PowerOfTen(static_cast<unsigned long>(power));
    else if (power < 0)
        denominator *= PowerOfTen(static_cast<unsigned long>(-power));

    ExactNumber number;
    number.nearest = NearestDouble(numerator, denominator);
    number.belowZeroTolerance = belowZeroTolerance(numerator, denominator);
    if (numerator != 0) {
        number.decimal = leadingDigits(abs(numerator), denominator);
        number.decimal.negative = numerator < 0;
    }
    return number;
}
