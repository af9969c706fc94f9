#include "calc/ExactReading.h"

#include "framework/NumberText.h"

#include <cmath>
#include <string>

namespace {

// The exponent as written, saturated far beyond anything a double can hold, so that a text of
// a million exponent digits neither overflows nor takes long.
long saturatedExponent(const std::string& text)
{
    constexpr long kBeyondAnyDouble = 1'000'000'000;
    long magnitude = 0;
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++i;
    for (; i < text.size() && magnitude < kBeyondAnyDouble; ++i)
        magnitude = magnitude * 10 + (text[i] - '0');
    return negative ? -magnitude : magnitude;
}

} // namespace

std::optional<ScaledDecimal> ReadExact(const QString& text)
{
    const NumberPrefix prefix = ScanNumber(text);
    if (prefix.kind == NumberPrefix::Kind::None)
        return ScaledDecimal{};
    if (prefix.kind != NumberPrefix::Kind::Decimal ||
        qsizetype(prefix.digits.size()) > kMostExactDigits)
        return std::nullopt;

    const std::string& digits = prefix.digits;
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return ScaledDecimal{};
    const size_t last = digits.find_last_not_of('0');

    // Whether the double holds it is Val's to say: the exact value must round to what it shows.
    const double approximate = Val(text);
    if (std::isinf(approximate) || approximate == 0.0)
        return std::nullopt;

    const long trailingZeros = long(digits.size() - 1 - last);
    const long exponent =
        saturatedExponent(prefix.exponent) - long(prefix.fractionDigits) + trailingZeros;
    // Up to a thousand digits and a finite non-zero double put the exponent within about
    // -1330..308; anything else would be a fault here, and must not build a giant power.
    if (exponent < -2 * kMostExactDigits - 400 || exponent > 400)
        return std::nullopt;

    ScaledDecimal result;
    result.mantissa.set_str(digits.substr(first, last - first + 1), 10);
    if (prefix.negative)
        result.mantissa = -result.mantissa;
    result.exponent = exponent;
    return result;
}

mpz_class PowerOfTen(unsigned long exponent)
{
    mpz_class result;
    mpz_ui_pow_ui(result.get_mpz_t(), 10, exponent);
    return result;
}
