// libFuzzer target for the exact reading of a number text. The exact reading and Val share one
// scanner but two conversions (GMP here, strtod there); they must agree: where the double holds
// the number, the double nearest to the exact fraction is Val's to the bit, and where it does
// not, there is no exact value. Cutting the text after the prefix changes neither reading.

#include "calc/ExactDescription.h"
#include "calc/ExactReading.h"
#include "framework/NumberText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

bool sameDouble(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

double nearestOf(const ScaledDecimal& exact)
{
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exact.exponent)));
    return exact.exponent >= 0 ? NearestDouble(exact.mantissa * scale, 1)
                               : NearestDouble(exact.mantissa, scale);
}

bool sameExact(const std::optional<ScaledDecimal>& a, const std::optional<ScaledDecimal>& b)
{
    if (!a || !b)
        return !a && !b;
    return a->mantissa == b->mantissa && a->exponent == b->exponent;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const NumberPrefix prefix = ScanNumber(typed);
    const double value = Val(typed);
    const std::optional<ScaledDecimal> exact = ReadExact(typed);

    const QString cut = typed.left(prefix.end);
    require(sameDouble(Val(cut), value));
    require(ReadsEntirely(cut) == (prefix.kind != NumberPrefix::Kind::None));
    require(sameExact(ReadExact(cut), exact));

    bool held = prefix.kind == NumberPrefix::Kind::None;
    if (prefix.kind == NumberPrefix::Kind::Decimal &&
        qsizetype(prefix.digits.size()) <= kMostExactDigits) {
        const bool zeroDigits = prefix.digits.find_first_not_of('0') == std::string::npos;
        held = std::isfinite(value) && (value != 0.0 || zeroDigits);
    }
    require(exact.has_value() == held);
    // An exact 0 has no sign; Val keeps the one typed ("-0").
    if (exact)
        require(value == 0.0 ? nearestOf(*exact) == 0.0 : sameDouble(nearestOf(*exact), value));
    return 0;
}
