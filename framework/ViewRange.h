#pragma once
// One axis of a graph's view: a range of doubles that may lie anywhere from -DBL_MAX to DBL_MAX.
// Its width may exceed the largest double, so it is measured and moved by halves: no step of
// the arithmetic overflows, and for ordinary ranges every result is the same double as the
// plain formula gives.

struct ViewRange
{
    double low;
    double high;

    // Half the width, finite for any range.
    double HalfSpan() const { return high / 2 - low / 2; }
    // The value at `share` of the way from low to high.
    double At(double share) const { return 2 * (low / 2 + share * HalfSpan()); }
    // How far from low to high `value` lies, as a share (finite for any finite value, though
    // not for a range too narrow for it).
    double ShareOf(double value) const { return (value / 2 - low / 2) / HalfSpan(); }
    // How far from high down to low.
    double ShareFromHigh(double value) const { return (high / 2 - value / 2) / HalfSpan(); }
};

// Within +-DBL_MAX, and wide enough that four thousand pixel columns fall on distinct doubles
// and tick multiples stay below 2^53; a narrower range widens about its middle. NaN bounds
// give NaN.
ViewRange Clamped(double low, double high);
// A range over values from `low` to `high` with 5 % to spare on each side.
ViewRange Framing(double low, double high);
// Zoomed by `factor` (< 1 zooms in) about `about`, which stays where it is.
ViewRange Zoomed(const ViewRange& range, double about, double factor);
// Moved by `share` of its width as a whole, and no further than the doubles reach, so that
// moving never zooms.
ViewRange Shifted(const ViewRange& range, double share);
