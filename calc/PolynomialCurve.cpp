// The exact curve, cheaply. Per request the polynomial is rebased on the middle c of the
// sampled xs and scaled by a power of two h at least as wide as their half range:
//     p(c + h t) = sum_k e_k t^k,   |t| <= 1,
// with e_k exact, then scaled by one power of two and rounded to doubles. Horner's rule in t
// has an error bound that costs one more sum; only where it exceeds the tolerance, and the
// value is not plainly beyond the band the caller cares about, is p(x) worked out exactly, from
// the same rebased form.

#include "calc/PolynomialCurve.h"

#include "calc/ExactDescription.h"
#include "calc/ExactInterpolation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr double kUnitRoundoff = 0x1p-53;

// x = mantissa * 2^exponent, the mantissa a whole number.
struct BinaryNumber
{
    mpz_class mantissa;
    long exponent = 0;
};

BinaryNumber binary(double x)
{
    int exponent = 0;
    const double fraction = std::frexp(x, &exponent);
    BinaryNumber number;
    number.mantissa = mpz_class(std::ldexp(fraction, 53));
    number.exponent = exponent - 53;
    return number;
}

// The rational factor 10^s 2^e as numerator and denominator.
void scaleFactor(long decimal, long binaryExponent, mpz_class& numerator, mpz_class& denominator)
{
    numerator = 1;
    denominator = 1;
    if (decimal >= 0)
        numerator = PowerOfTen(static_cast<unsigned long>(decimal));
    else
        denominator = PowerOfTen(static_cast<unsigned long>(-decimal));
    if (binaryExponent >= 0)
        numerator <<= static_cast<mp_bitcnt_t>(binaryExponent);
    else
        denominator <<= static_cast<mp_bitcnt_t>(-binaryExponent);
}

// numerator / (V 10^t scale) as a fraction with a positive denominator.
void fractionOver(mpz_class& numerator, mpz_class& denominator, const ScaledPolynomial& polynomial,
                  const mpz_class& scale)
{
    denominator = polynomial.denominator * scale;
    if (polynomial.ordinateScale >= 0)
        denominator *= PowerOfTen(static_cast<unsigned long>(polynomial.ordinateScale));
    else
        numerator *= PowerOfTen(static_cast<unsigned long>(-polynomial.ordinateScale));
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
}

long bitLength(const mpz_class& value)
{
    return long(mpz_sizeinbase(value.get_mpz_t(), 2));
}

double exactValueAt(const ScaledPolynomial& polynomial, double x)
{
    if (!std::isfinite(x))
        return std::nan("");
    const int degree = std::max(polynomial.degree, 0);
    // u = 10^s x = P / Q; then V 10^t q = sum C_k P^k Q^(degree-k) / Q^degree.
    const BinaryNumber b = binary(x);
    mpz_class p;
    mpz_class q;
    scaleFactor(polynomial.abscissaScale, b.exponent, p, q);
    p *= b.mantissa;
    mpz_class qPower = 1;
    mpz_class sum = polynomial.numerators[size_t(degree)];
    for (int k = degree - 1; k >= 0; --k) {
        qPower *= q;
        sum = sum * p + polynomial.numerators[size_t(k)] * qPower;
    }
    mpz_class denominator;
    fractionOver(sum, denominator, polynomial, qPower);
    return NearestDouble(sum, denominator);
}

// The rebased form of one request.
struct Rebased
{
    double centre = 0;
    int degree = 0;
    // e_k / 2^scale, so that the largest lies near 1 however large or small the values are.
    std::array<double, 10> e{};
    int scale = 0;
    // The exact form: p(c + h t) = sum_k numerators_k t^k / denominator, h = 2^halfExponent,
    // which is 2^1024 for a range as wide as the doubles: kept as its exponent, never a double.
    long halfExponent = 0;
    std::array<mpz_class, 10> numerators;
    mpz_class denominator;
};

Rebased rebase(const ScaledPolynomial& polynomial, double low, double high)
{
    Rebased form;
    form.centre = low / 2 + high / 2;
    const double reach = std::max(high - form.centre, form.centre - low);
    int exponent = 0;
    std::frexp(reach, &exponent);
    form.degree = std::max(polynomial.degree, 0);

    // x = c + h t = 2^E0 (A + B t), both parts whole numbers over the same power of two.
    const BinaryNumber c = binary(form.centre);
    const long hExponent = reach > 0 ? exponent : 0;
    form.halfExponent = hExponent;
    const long lowest = std::min(c.mantissa == 0 ? hExponent : c.exponent, hExponent);
    const mpz_class a = c.mantissa << static_cast<mp_bitcnt_t>(c.exponent - lowest);
    const mpz_class b = mpz_class(1) << static_cast<mp_bitcnt_t>(hExponent - lowest);
    // u = 10^s x = (gN / gD) (A + B t); with F_k = C_k gN^k gD^(d-k) the sum V 10^t q gD^d is
    // sum_k F_k (A + B t)^k, multiplied out by Horner's rule on polynomials in t.
    mpz_class gN;
    mpz_class gD;
    scaleFactor(polynomial.abscissaScale, lowest, gN, gD);
    const int d = form.degree;
    std::array<mpz_class, 10> g{};
    mpz_class gNPower = 1;
    std::array<mpz_class, 10> gNPowers{};
    for (int k = 0; k <= d; ++k) {
        gNPowers[size_t(k)] = gNPower;
        gNPower *= gN;
    }
    mpz_class gDPower = 1;
    for (int k = d; k >= 0; --k) {
        const mpz_class f = polynomial.numerators[size_t(k)] * gNPowers[size_t(k)] * gDPower;
        // g <- g (A + B t) + f
        for (int j = d - k; j >= 1; --j)
            g[size_t(j)] = g[size_t(j)] * a + g[size_t(j - 1)] * b;
        g[0] = g[0] * a + f;
        gDPower *= gD;
    }
    // gDPower is now gD^(d+1); the denominator needs gD^d.
    const mpz_class scale = gDPower / gD;
    std::array<mpz_class, 10>& numerators = form.numerators;
    mpz_class& denominator = form.denominator;
    long largest = 0;
    bool any = false;
    for (int j = 0; j <= d; ++j) {
        numerators[size_t(j)] = g[size_t(j)];
        fractionOver(numerators[size_t(j)], denominator, polynomial, scale);
        if (numerators[size_t(j)] != 0) {
            const long bits = bitLength(numerators[size_t(j)]) - bitLength(denominator);
            largest = any ? std::max(largest, bits) : bits;
            any = true;
        }
    }
    form.scale = int(std::clamp(largest, -100000L, 100000L));
    for (int j = 0; j <= d; ++j) {
        mpz_class numerator = numerators[size_t(j)];
        mpz_class scaled = denominator;
        if (form.scale > 0)
            scaled <<= static_cast<mp_bitcnt_t>(form.scale);
        else
            numerator <<= static_cast<mp_bitcnt_t>(-form.scale);
        form.e[size_t(j)] = NearestDouble(numerator, scaled);
    }
    return form;
}

// The double nearest to p(x), from the rebased form: its numbers are no larger than the
// original's, and t has no more bits than x - c, so Horner's rule multiplies each big number by
// a small one only.
double exactValueAt(const Rebased& form, double x)
{
    if (!std::isfinite(x))
        return std::nan("");
    const BinaryNumber bx = binary(x);
    const BinaryNumber bc = binary(form.centre);
    const long lowest = std::min(bx.exponent, bc.exponent);
    const mpz_class difference = (bx.mantissa << static_cast<mp_bitcnt_t>(bx.exponent - lowest)) -
                                 (bc.mantissa << static_cast<mp_bitcnt_t>(bc.exponent - lowest));
    // t = difference 2^shift.
    const long shift = lowest - form.halfExponent;
    const int d = form.degree;
    mpz_class sum = form.numerators[size_t(d)];
    mpz_class denominator = form.denominator;
    if (shift >= 0) {
        const mpz_class t = difference << static_cast<mp_bitcnt_t>(shift);
        for (int k = d - 1; k >= 0; --k)
            sum = sum * t + form.numerators[size_t(k)];
    } else {
        const auto bits = static_cast<mp_bitcnt_t>(-shift);
        for (int k = d - 1; k >= 0; --k)
            sum = sum * difference + (form.numerators[size_t(k)] << (bits * mp_bitcnt_t(d - k)));
        denominator <<= bits * mp_bitcnt_t(d);
    }
    return NearestDouble(sum, denominator);
}

// numerator / denominator = p(x) for the decimal x, the denominator positive.
void exactValueAt(const ScaledPolynomial& polynomial, const DecimalNumber& x, mpz_class& numerator,
                  mpz_class& denominator)
{
    const int degree = std::max(polynomial.degree, 0);
    mpz_class m(x.digits, 10);
    if (x.negative)
        m = -m;
    // u = 10^s x = m 10^a.
    const long a = x.exponent + polynomial.abscissaScale;
    mpz_class u = m;
    mpz_class q = 1;
    if (a >= 0)
        u *= PowerOfTen(static_cast<unsigned long>(a));
    else
        q = PowerOfTen(static_cast<unsigned long>(-a));
    // sum_k C_k u^k Q^(degree-k) over Q^degree, by Horner's rule.
    mpz_class qPower = 1;
    numerator = polynomial.numerators[size_t(degree)];
    for (int k = degree - 1; k >= 0; --k) {
        qPower *= q;
        numerator = numerator * u + polynomial.numerators[size_t(k)] * qPower;
    }
    fractionOver(numerator, denominator, polynomial, qPower);
}

// numerator / denominator (denominator > 0) rounded half to even to a multiple of 10^place.
mpz_class roundedAt(const mpz_class& numerator, const mpz_class& denominator, int place)
{
    mpz_class n = numerator;
    mpz_class d = denominator;
    if (place <= 0)
        n *= PowerOfTen(static_cast<unsigned long>(-place));
    else
        d *= PowerOfTen(static_cast<unsigned long>(place));
    mpz_class quotient;
    mpz_class remainder;
    mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    const int half = cmp(mpz_class(2 * remainder), d);
    if (half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t())))
        ++quotient;
    return quotient;
}

constexpr int kLeastDigits = 3;
constexpr int kMostDigits = 17;

} // namespace

PolynomialCurve::PolynomialCurve(std::shared_ptr<const ScaledPolynomial> exactPolynomial)
    : exact(std::move(exactPolynomial))
{
}

PolynomialCurve::PolynomialCurve(std::vector<double> abscissae, std::vector<double> ordinates)
    : xs(std::move(abscissae))
    , ys(std::move(ordinates))
{
}

int PolynomialCurve::Degree() const
{
    if (!exact)
        return std::max(int(xs.size()) - 1, 0);
    int degree = std::max(exact->degree, 0);
    while (degree > 0 && exact->numerators[size_t(degree)] == 0)
        --degree;
    return degree;
}

double PolynomialCurve::ValueAt(double x) const
{
    if (exact)
        return exactValueAt(*exact, x);
    // The Lagrange form in the compute's own order of operations, so that the graph meets the
    // values the form shows.
    double s = 0.0;
    for (size_t k = 0; k < xs.size(); ++k) {
        double r = ys[k];
        for (size_t i = 0; i < xs.size(); ++i) {
            if (i != k)
                r = (r * (xs[i] - x)) / (xs[i] - xs[k]);
        }
        s = s + r;
    }
    return s;
}

std::optional<DecimalNumber> PolynomialCurve::ValueNear(const DecimalNumber& x, int place) const
{
    if (!exact) {
        const std::string text =
            (x.negative ? "-" : "") + x.digits + "e" + std::to_string(x.exponent);
        const double value = ValueAt(std::strtod(text.c_str(), nullptr));
        if (!std::isfinite(value))
            return std::nullopt;
        return RoundedToPlace(value, place);
    }
    mpz_class numerator;
    mpz_class denominator;
    exactValueAt(*exact, x, numerator, denominator);
    if (numerator != 0) {
        // The leading digit's place, give or take one, from the sizes; then exactly.
        const long guess = long(mpz_sizeinbase(numerator.get_mpz_t(), 10)) -
                           long(mpz_sizeinbase(denominator.get_mpz_t(), 10));
        place = int(std::clamp(long(place), guess - kMostDigits, guess - kLeastDigits + 2));
    }
    mpz_class rounded = roundedAt(numerator, denominator, place);
    for (int tries = 0; tries < 4 && numerator != 0; ++tries) {
        const int digits = rounded == 0 ? 0 : int(mpz_class(abs(rounded)).get_str().size());
        const int more = rounded == 0 ? kLeastDigits : kLeastDigits - digits;
        const int fewer = digits - kMostDigits;
        if (more <= 0 && fewer <= 0)
            break;
        place += more > 0 ? -more : fewer;
        rounded = roundedAt(numerator, denominator, place);
    }
    DecimalNumber value;
    value.negative = rounded < 0;
    value.digits = mpz_class(abs(rounded)).get_str();
    value.exponent = place;
    return value;
}

std::vector<double> PolynomialCurve::Sample(const SampleRequest& request) const
{
    std::vector<double> values = sampled(request);
    // A polynomial has a value everywhere: one beyond the doubles lies beyond every view.
    for (double& value : values) {
        if (std::isinf(value) && exact)
            value = std::copysign(DBL_MAX, value);
    }
    return values;
}

std::vector<double> PolynomialCurve::sampled(const SampleRequest& request) const
{
    std::vector<double> values(request.xs.size());
    if (!exact) {
        for (size_t j = 0; j < values.size(); ++j)
            values[j] = ValueAt(request.xs[j]);
        return values;
    }
    double low = INFINITY;
    double high = -INFINITY;
    for (double x : request.xs) {
        if (std::isfinite(x)) {
            low = std::min(low, x);
            high = std::max(high, x);
        }
    }
    if (low > high)
        return std::vector<double>(values.size(), std::nan(""));
    const Rebased form = rebase(*exact, low, high);
    const int d = form.degree;
    // Horner's rule costs at most 2d + 1 roundings of the sum, each coefficient one more, and
    // t = (x - c) / h one, which moves the value by at most |t| u |p'|; 1% covers the rounding
    // of the bound itself, and the subnormal floor what rounding below 2^-1022 may add.
    const double horner = (2 * d + 3) * kUnitRoundoff * 1.01;
    const double floor = (d + 1) * 0x1p-1074;
    // In units of 2^scale; a tolerance or band that underflows there is met only exactly.
    double tolerance = std::ldexp(request.tolerance, -form.scale);
    if (tolerance < 0x1p-1000)
        tolerance = 0;
    const double bandLow = std::ldexp(request.low, -form.scale);
    const double bandHigh = std::ldexp(request.high, -form.scale);
    for (size_t j = 0; j < values.size(); ++j) {
        const double x = request.xs[j];
        const double t = std::ldexp(x - form.centre, -int(form.halfExponent));
        const double size = std::max(1.0, std::fabs(t));
        double value = form.e[size_t(d)];
        double magnitude = std::fabs(form.e[size_t(d)]);
        double slope = 0.0;
        for (int k = d - 1; k >= 0; --k) {
            slope = slope * size + magnitude;
            value = value * t + form.e[size_t(k)];
            magnitude = magnitude * size + std::fabs(form.e[size_t(k)]);
        }
        const double bound = horner * magnitude + d * kUnitRoundoff * 1.01 * size * slope + floor;
        const bool closeEnough = bound <= tolerance;
        const bool plainlyBeyond = value - bound > bandHigh || value + bound < bandLow;
        values[j] = std::isfinite(bound) && (closeEnough || plainlyBeyond)
                        ? std::ldexp(value, form.scale)
                        : exactValueAt(form, x);
    }
    return values;
}
