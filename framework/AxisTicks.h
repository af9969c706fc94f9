#pragma once
// Where an axis gets its ticks: steps of 1, 2 or 5 times a power of ten, for any range of
// doubles up to the whole of them, each tick labelled from its exact decimal value.

#include "framework/PlotNumber.h"

#include <QString>
#include <vector>

// mantissa * 10^exponent, mantissa 1, 2 or 5.
struct TickStep
{
    int mantissa = 1;
    int exponent = 0;

    // The double nearest to the step; +inf for a step beyond the doubles.
    double Value() const;
    // The next larger step: 1, 2, 5, 10, 20, ...
    TickStep Next() const;
};

// The smallest step of 1, 2 or 5 times a power of ten that is at least `least` (> 0); +inf
// asks for a step beyond every double, whose only multiple in range is 0.
TickStep NiceStep(double least);
// The smallest step that is at least `share` of the range from low to high (low < high, both
// finite): measured by halves, so that even -DBL_MAX .. DBL_MAX has a size.
TickStep StepFor(double low, double high, double share);

struct Tick
{
    double value;          // the double nearest to the tick's decimal value
    DecimalNumber decimal; // that value exactly, without trailing zeros
    QString label;         // as a person reads it: "−0.2", "1970", "5·10³⁰⁰"
};

// The ticks k * step with low <= value <= high, at most `most` of them (none when there would
// be more). Each value is worked out from its decimal, so 3 * 0.1 is labelled "0.3". One axis
// writes all its labels alike, plain with the step's decimals or as powers of ten, after its
// largest tick.
std::vector<Tick> TicksBetween(double low, double high, const TickStep& step, int most);
