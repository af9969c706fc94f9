#include "framework/AxisTicks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// The double nearest to multiple * 10^exponent, rounded once; +-inf beyond the doubles, 0 below.
double decimalValue(std::int64_t multiple, int exponent)
{
    char text[48];
    const int length =
        std::snprintf(text, sizeof text, "%llde%d", static_cast<long long>(multiple), exponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text, text + length, value);
    if (error == std::errc::result_out_of_range)
        return multiple == 0 || exponent < 0 ? 0.0 : std::copysign(HUGE_VAL, double(multiple));
    return value;
}

// Exponents beyond these give steps of 0 or inf whichever the mantissa.
constexpr int kLowestExponent = -340;
constexpr int kHighestExponent = 310;

} // namespace

double TickStep::Value() const
{
    return decimalValue(mantissa, exponent);
}

TickStep TickStep::Next() const
{
    if (mantissa == 1)
        return {2, exponent};
    if (mantissa == 2)
        return {5, exponent};
    return {1, std::min(exponent + 1, kHighestExponent)};
}

TickStep NiceStep(double least)
{
    if (!(least > 0))
        return {1, kLowestExponent};
    // log10 may land one off near a power of ten; the candidates around it settle that.
    const int guess = int(std::clamp(std::floor(std::log10(least)), double(kLowestExponent + 1),
                                     double(kHighestExponent - 1)));
    for (TickStep step{1, guess - 1}; step.exponent < kHighestExponent; step = step.Next()) {
        if (step.Value() >= least)
            return step;
    }
    return {1, kHighestExponent};
}

TickStep StepFor(double low, double high, double share)
{
    // Half the range times twice the share: neither product can overflow before the step does.
    return NiceStep((high / 2 - low / 2) * (2 * share));
}

std::vector<Tick> TicksBetween(double low, double high, const TickStep& step, int most)
{
    std::vector<Tick> ticks;
    const double size = step.Value();
    const double first = std::ceil(low / size);
    const double last = std::floor(high / size);
    // Beyond 2^53 the multiples of the step are no longer whole numbers apart.
    if (!(last - first < most) || !(std::fabs(first) < 0x1p53) || !(std::fabs(last) < 0x1p53))
        return ticks;
    bool any = false;
    int largest = 0;
    for (auto k = std::int64_t(first); k <= std::int64_t(last); ++k) {
        const std::int64_t multiple = k * step.mantissa;
        const double value = decimalValue(multiple, step.exponent);
        if (!(value >= low && value <= high))
            continue;
        DecimalNumber decimal;
        decimal.negative = multiple < 0;
        decimal.digits = std::to_string(multiple < 0 ? -multiple : multiple);
        decimal.exponent = multiple == 0 ? 0 : step.exponent;
        decimal = decimal.Trimmed();
        if (!decimal.IsZero()) {
            largest = any ? std::max(largest, decimal.Leading()) : decimal.Leading();
            any = true;
        }
        ticks.push_back({value, decimal, {}});
    }
    // Written out, every label has the step's decimals ("1.5", "2.0"), so that a column of
    // them reads evenly; 0 stays "0". Powers of ten carry only the digits they need.
    const Notation notation = NotationFor(largest, step.exponent);
    for (Tick& tick : ticks) {
        DecimalNumber written = tick.decimal;
        if (notation == Notation::Plain && !written.IsZero() && written.exponent > step.exponent) {
            written.digits += std::string(size_t(written.exponent - step.exponent), '0');
            written.exponent = step.exponent;
        }
        tick.label = PlotNumber(written, notation);
    }
    return ticks;
}
