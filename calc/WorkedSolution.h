#pragma once
// The way to the polynomial of one compute, worked out exactly for the numbers as typed: the
// points as fractions, Lagrange's basis polynomials with their denominators, Newton's scheme of
// divided differences, the normal form beside the coefficients the form shows, and the values
// at the arguments. Data only, in lowest terms, as decimal digits: whatever writes it out (the
// window, the copies, a report) needs no exact arithmetic of its own.

#include "framework/ExactDecimal.h"

#include <QString>
#include <optional>
#include <vector>

struct ComputeRecord;

// An exact rational in lowest terms.
struct ExactFraction
{
    bool negative = false;
    QString numerator = QStringLiteral("0");   // decimal digits, no sign
    QString denominator = QStringLiteral("1"); // "1" for a whole number

    bool IsWhole() const { return denominator == QLatin1String("1"); }
    bool IsZero() const { return numerator == QLatin1String("0"); }
    bool IsOne() const { return !negative && IsWhole() && numerator == QLatin1String("1"); }
};

// A number as typed and as the compute read it.
struct ReadNumber
{
    QString typed;
    // None for inf and nan, beyond a double's range, or over a thousand digits.
    std::optional<ExactFraction> exact;
    // Where the text was read only in part, what the form says of it ("Gelesen als 1.5").
    QString readAs;
};

// L_i(x) = prod_(j != i) (x - x_j) / prod_(j != i) (x_i - x_j).
struct LagrangeBasis
{
    std::vector<int> others;                // the j, ascending
    std::vector<ExactFraction> differences; // x_i - x_j for each of them
    ExactFraction denominator;              // their product
    ExactFraction weight;                   // y_i over it: p(x) = sum weight_i prod (x - x_j)
};

// A result of the form beside its exact value.
struct WorkedResult
{
    std::optional<ExactFraction> exact;
    ExactDecimal decimal; // its leading digits, cut: every one of them right
    QString shown;        // the text of its field
    bool marked = false;  // the form marks it "ungenau"
};

struct WorkedCoefficient : WorkedResult
{
    bool hidden = false; // the form hides its row
};

struct WorkedValue : WorkedResult
{
    int row = 0;         // the argument row; row 0 is evaluated at 0
    ReadNumber argument; // "0" for row 0
};

struct WorkedSolution
{
    std::vector<ReadNumber> xs;
    std::vector<ReadNumber> ys;
    // Whether the steps below were worked out: every point in use has an exact value.
    bool exact = false;
    std::vector<LagrangeBasis> lagrange;
    // Row i of Newton's triangular scheme: scheme[i][k] = f[x_(i-k), ..., x_i] for k <= i. Its
    // diagonal scheme[k][k] holds the coefficients of Newton's form.
    std::vector<std::vector<ExactFraction>> scheme;
    // Of x^0 up to the higher of the count less one and the highest power the form shows.
    std::vector<WorkedCoefficient> coefficients;
    int exactDegree = -1; // -1 for the zero polynomial
    std::vector<WorkedValue> values;

    const ExactFraction& NewtonCoefficient(int k) const { return scheme[size_t(k)][size_t(k)]; }
};

WorkedSolution WorkOut(const ComputeRecord& record);

// Whether WorkOut is done in a few milliseconds: the points' digits taken together are few.
// A thousand digits a number take it near a second, which is to be spent away from the window.
bool WorkOutIsQuick(const ComputeRecord& record);
