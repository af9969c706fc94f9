#pragma once
// One record of a compute that was not refused: what it read, what it gave, how each result was
// judged, and the exact polynomial. Whatever shows or takes the results along (copies, the graph,
// export, any later view) reads this record, never the fields, which a person can type over.

#include "calc/ExactShadow.h"
#include "calc/PolynomialCurve.h"
#include "framework/FittedNumberField.h"

#include <array>
#include <cstdint>
#include <optional>

// One value or coefficient as the compute gave it.
struct RecordedResult
{
    double computed = 0.0; // the double its field was given (after the zero test)
    std::optional<ResultReference> reference; // its exact value and notes; none without one
    bool marked = false;                      // "Ungenau": not even its first shown digit was right
};

struct ComputeRecord
{
    ExactInput input;               // the texts read, the rows evaluated, the visible top
    std::array<double, 11> xwert{}; // the support points as read; rows from the count on 0
    std::array<double, 11> ywert{};
    std::array<double, 11> Argx{};               // the arguments as read; row 0 is evaluated at 0
    std::array<RecordedResult, 10> values;       // by argument row, where evaluated
    std::array<RecordedResult, 10> coefficients; // of x^0..x^9
    ExactResults exact;
    ComputedCurve curve;

    std::int32_t PointsInUse() const { return input.pointsInUse; }
    bool Evaluated(int row) const { return input.evaluated[size_t(row)]; }
    // The argument of a row that was evaluated: row 0 is 0, whatever its field held.
    double Argument(int row) const { return row == 0 ? 0.0 : Argx[size_t(row)]; }
    // A coefficient row above the highest non-zero one, hidden in the form.
    bool Hidden(int power) const { return power > input.highestVisible; }
};
