#pragma once
// What a graph asks of the function it draws.

#include <functional>
#include <span>
#include <vector>

// The function's values at `xs`. Each must lie within `tolerance` of the true value wherever
// the true value lies between `low` and `high`; beyond them it need only lie on the same side.
// A value that is not finite says the function has none there: the curve breaks.
struct SampleRequest
{
    std::span<const double> xs;
    double tolerance;
    double low;
    double high;
};

using Sampler = std::function<std::vector<double>(const SampleRequest&)>;
