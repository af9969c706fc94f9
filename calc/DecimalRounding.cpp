#include "calc/DecimalRounding.h"

#include "calc/ExactDescription.h"
#include "calc/ExactReading.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace {

// 10^k, kept: the same few powers are asked for again and again while a place is narrowed.
const mpz_class& tenTo(unsigned long k)
{
    thread_local std::unordered_map<unsigned long, mpz_class> powers;
    if (powers.size() > 512)
        powers.clear();
    auto [at, added] = powers.try_emplace(k);
    if (added)
        at->second = PowerOfTen(k);
    return at->second;
}

// a * 10^shift for shift >= 0.
mpz_class timesTen(const mpz_class& a, long shift)
{
    return shift == 0 ? a : mpz_class(a * tenTo(static_cast<unsigned long>(shift)));
}

} // namespace

ScaledRational ScaledOf(const mpq_class& value, long power)
{
    return {value.get_num(), value.get_den(), power};
}

mpq_class RationalOf(const ScaledRational& value)
{
    mpq_class q(value.numerator, value.denominator);
    if (value.power >= 0)
        q *= mpq_class(tenTo(static_cast<unsigned long>(value.power)));
    else
        q /= mpq_class(tenTo(static_cast<unsigned long>(-value.power)));
    q.canonicalize();
    return q;
}

int Compare(const ScaledRational& a, const ScaledRational& b)
{
    const long lowest = std::min(a.power, b.power);
    const mpz_class left = timesTen(a.numerator * b.denominator, a.power - lowest);
    const mpz_class right = timesTen(b.numerator * a.denominator, b.power - lowest);
    return cmp(left, right);
}

double NearestDoubleOf(const ScaledRational& value)
{
    if (value.power >= 0)
        return NearestDouble(timesTen(value.numerator, value.power), value.denominator);
    return NearestDouble(value.numerator, timesTen(value.denominator, -value.power));
}

Decimal Rounded(const ScaledRational& value, int digits, Rounding rounding)
{
    Decimal decimal;
    decimal.digits = digits;
    if (value.numerator == 0)
        return decimal;
    decimal.negative = value.numerator < 0;
    const mpz_class n = abs(value.numerator);
    const mpz_class& m = value.denominator;
    // n / m >= 10^k, in whole numbers.
    const auto atLeast = [&](long k) {
        return k >= 0 ? n >= timesTen(m, k) : timesTen(n, -k) >= m;
    };
    // The exponent of the first digit of n / m, from the bit lengths, then put right.
    const long bits =
        long(mpz_sizeinbase(n.get_mpz_t(), 2)) - long(mpz_sizeinbase(m.get_mpz_t(), 2));
    long exponent = long(double(bits) * 0.30102999566398120);
    while (atLeast(exponent + 1))
        ++exponent;
    while (!atLeast(exponent))
        --exponent;
    // The digits: n / m * 10^(digits - 1 - exponent), rounded.
    const long shift = digits - 1 - exponent;
    const mpz_class dividend = shift >= 0 ? timesTen(n, shift) : n;
    const mpz_class divisor = shift >= 0 ? m : timesTen(m, -shift);
    mpz_class quotient;
    mpz_class remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), dividend.get_mpz_t(),
                divisor.get_mpz_t());
    if (remainder != 0) {
        // Towards +inf is away from 0 for a positive number, towards 0 for a negative one.
        const bool awayFromZero =
            rounding == Rounding::HalfEven
                ? (2 * remainder > divisor ||
                   (2 * remainder == divisor && mpz_odd_p(quotient.get_mpz_t())))
                : (rounding == Rounding::Up) != decimal.negative;
        if (awayFromZero)
            ++quotient;
    }
    if (quotient == tenTo(static_cast<unsigned long>(digits))) {
        quotient = tenTo(static_cast<unsigned long>(digits - 1));
        ++exponent;
    }
    decimal.mantissa = quotient;
    decimal.exponent = exponent + value.power;
    return decimal;
}

QString DecimalText(const Decimal& decimal)
{
    if (decimal.mantissa == 0)
        return QStringLiteral("0");
    std::string digits = decimal.mantissa.get_str();
    digits.erase(digits.find_last_not_of('0') + 1);
    const long e = decimal.exponent;
    std::string scientific = digits.substr(0, 1);
    if (digits.size() > 1)
        scientific += "." + digits.substr(1);
    const std::string exponentDigits = std::to_string(std::labs(e));
    scientific +=
        std::string(e < 0 ? "e-" : "e+") + (exponentDigits.size() < 2 ? "0" : "") + exponentDigits;
    std::string text = scientific;
    if (std::labs(e) < 40) {
        std::string plain;
        if (e < 0)
            plain = "0." + std::string(size_t(-e - 1), '0') + digits;
        else if (long(digits.size()) <= e + 1)
            plain = digits + std::string(size_t(e + 1 - long(digits.size())), '0');
        else
            plain = digits.substr(0, size_t(e + 1)) + "." + digits.substr(size_t(e + 1));
        if (plain.size() <= scientific.size())
            text = plain;
    }
    return QString::fromStdString((decimal.negative ? "-" : "") + text);
}
