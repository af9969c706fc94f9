#pragma once
// The exact results of one compute for the numbers as typed: each text is read as the exact
// decimal fraction that Val reads approximately ("0.1" is 1/10), and the polynomial through
// those points is evaluated and expanded in exact rational arithmetic. It only reads texts;
// the double arithmetic of the compute command knows nothing of it.

#include "framework/ExactDecimal.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

struct ScaledPolynomial;

// One exact result, described without exposing the rational behind it.
struct ExactNumber
{
    ExactDecimal decimal;            // its first 20 significant digits, cut, with "more follow"
    double nearest = 0.0;            // the double nearest to it, ties to even; +-inf beyond range
    bool belowZeroTolerance = false; // its magnitude is below the decimal 1e-8
};

// What one compute read, as text, and what it showed.
struct ExactInput
{
    std::int32_t pointsInUse = 0;      // 0..10
    std::array<QString, 10> abscissae; // texts of xF0..xF9; rows at or beyond the count unused
    std::array<QString, 10> ordinates; // texts of yF0..yF9
    std::array<QString, 10> arguments; // texts of xF01..xF91; row 0 is evaluated at 0
    std::array<bool, 10> evaluated{};  // rows whose value field shows a value (row 0 always)
    int highestVisible = 0;            // highest coefficient row left visible, 0..9
};

struct ExactResults
{
    // Empty throughout when a support point has no exact value: inf or nan, a number beyond
    // a double's range ("1e999999999", or "1e-999999999" which Val reads as 0), or more than
    // a thousand digits.
    std::array<std::optional<ExactNumber>, 10> values;       // by argument row; empty where the row
                                                             // is not evaluated or its argument has
                                                             // no exact value
    std::array<std::optional<ExactNumber>, 10> coefficients; // of x^0..x^9
    // The powers above highestVisible taken together, at the support point where they change
    // the polynomial most: that largest change, and whether it exceeds 1e-3 of the largest
    // |y| of the points in use. Empty when no hidden power has a non-zero exact coefficient.
    std::optional<ExactNumber> hiddenChange;
    bool hiddenChangeMatters = false;
    // The polynomial itself, for whatever draws it; empty when the points have no exact value.
    std::shared_ptr<const ScaledPolynomial> polynomial;
};

ExactResults ComputeExact(const ExactInput& input);
