#include "framework/AxisTicks.h"

#include "framework/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// The double nearest to multiple * 10^exponent, rounded once.
double decimalValue(std::int64_t multiple, int exponent)
{
    char text[48];
    const int length =
        std::snprintf(text, sizeof text, "%llde%d", static_cast<long long>(multiple), exponent);
    double value = 0.0;
    std::from_chars(text, text + length, value);
    return value;
}

} // namespace

double TickStep::Value() const
{
    return decimalValue(mantissa, exponent);
}

TickStep NiceStep(double least)
{
    // log10 may land one off near a power of ten; the candidates around it settle that.
    const int guess = int(std::floor(std::log10(least)));
    for (int exponent = guess - 1; exponent <= guess + 1; ++exponent) {
        for (int mantissa : {1, 2, 5}) {
            const TickStep step{mantissa, exponent};
            if (step.Value() >= least)
                return step;
        }
    }
    return TickStep{1, guess + 2};
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
    for (auto k = std::int64_t(first); k <= std::int64_t(last); ++k) {
        const double value = decimalValue(k * step.mantissa, step.exponent);
        if (value >= low && value <= high)
            ticks.push_back({value, Str(value)});
    }
    return ticks;
}
