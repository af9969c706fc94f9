#include "framework/ViewRange.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr double kLeastRelativeSpan = 0x1p-36;
constexpr double kLeastSpan = 0x1p-1000;
constexpr double kMargin = 0.05;

} // namespace

ViewRange Clamped(double low, double high)
{
    if (std::isnan(low) || std::isnan(high))
        return {NAN, NAN};
    low = std::clamp(low, -DBL_MAX, DBL_MAX);
    high = std::clamp(high, -DBL_MAX, DBL_MAX);
    const double least =
        std::max(std::max(std::fabs(low), std::fabs(high)) * kLeastRelativeSpan, kLeastSpan);
    if (!(high / 2 - low / 2 >= least / 2)) {
        // About the middle, but never beyond the doubles: at the ends the range lies inside.
        const double centre = std::clamp(low / 2 + high / 2, -DBL_MAX + least, DBL_MAX - least);
        low = centre - least / 2;
        high = centre + least / 2;
    }
    return {low, high};
}

ViewRange Framing(double low, double high)
{
    low = std::clamp(low, -DBL_MAX, DBL_MAX);
    high = std::clamp(high, -DBL_MAX, DBL_MAX);
    if (low == high) {
        const double half = low == 0 ? 1 : std::fabs(low) / 10;
        low -= half;
        high += half;
    }
    // A tenth of the half width is 5 % of the width; beyond the doubles the margin is cut.
    const double margin = (high / 2 - low / 2) * (2 * kMargin);
    return Clamped(low - margin, high + margin);
}

ViewRange Zoomed(const ViewRange& range, double about, double factor)
{
    const double low = 2 * (about / 2 - (about / 2 - range.low / 2) * factor);
    const double high = 2 * (about / 2 + (range.high / 2 - about / 2) * factor);
    return Clamped(low, high);
}

ViewRange Shifted(const ViewRange& range, double share)
{
    const double half = std::clamp(share * range.HalfSpan(), -DBL_MAX / 2 - range.low / 2,
                                   DBL_MAX / 2 - range.high / 2);
    return {2 * (range.low / 2 + half), 2 * (range.high / 2 + half)};
}
