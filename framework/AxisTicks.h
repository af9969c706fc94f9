#pragma once
// Where an axis gets its ticks: steps of 1, 2 or 5 times a power of ten, each tick written as
// the fields write numbers.

#include <QString>
#include <vector>

// mantissa * 10^exponent, mantissa 1, 2 or 5.
struct TickStep
{
    int mantissa = 1;
    int exponent = 0;

    // The double nearest to the step.
    double Value() const;
};

// The smallest step of 1, 2 or 5 times a power of ten that is at least `least` (> 0, finite).
TickStep NiceStep(double least);

struct Tick
{
    double value; // the double nearest to the tick's decimal value
    QString label;
};

// The ticks k * step with low <= value <= high, at most `most` of them (none when there would
// be more). Each value is worked out from its decimal, so 3 * 0.1 is labelled "0.3".
std::vector<Tick> TicksBetween(double low, double high, const TickStep& step, int most);
