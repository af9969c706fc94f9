#pragma once
// The formulas of a worked solution as sums of terms, built once from its data, so that the
// window, the text copy and the LaTeX copy write the same polynomial each in its own notation.

#include "calc/WorkedSolution.h"

#include <vector>

struct Factor
{
    enum class Kind
    {
        Power, // x^power
        Shift, // (x - shift), or x where the shift is 0
        Basis  // L_index(x)
    };
    Kind kind = Kind::Power;
    int power = 1;
    ExactFraction shift;
    int index = 0;
};

// coefficient * the product of the factors; a coefficient of 1 is left unwritten.
struct Term
{
    ExactFraction coefficient;
    std::vector<Factor> factors;
};

// Terms with a zero coefficient are left out; no terms at all is the polynomial 0.
using Sum = std::vector<Term>;

// a_0 + a_1 x + ... + a_d x^d from the exact coefficients.
Sum NormalForm(const WorkedSolution& solution);
// c_0 + c_1 (x - x_0) + c_2 (x - x_0)(x - x_1) + ... from the scheme's diagonal.
Sum NewtonForm(const WorkedSolution& solution);
// y_0 L_0(x) + y_1 L_1(x) + ...
Sum LagrangeSum(const WorkedSolution& solution);
// The same with each basis polynomial written out: sum of y_i / d_i * prod (x - x_j).
Sum LagrangeProducts(const WorkedSolution& solution);
// prod_(j != i) (x - x_j): the numerator of L_i.
std::vector<Factor> BasisNumerator(const WorkedSolution& solution, int i);

// What a notation writes for each piece of a formula; WriteSum puts the pieces in order.
class FormulaNotation
{
public:
    virtual ~FormulaNotation() = default;
    // A sign between terms, or before the first term where it is negative.
    virtual void Sign(bool minus, bool first) = 0;
    // A fraction's magnitude, as a coefficient or a number alone.
    virtual void Magnitude(const ExactFraction& magnitude) = 0;
    // Between a coefficient and its first factor, and between two factors.
    virtual void Times(bool afterCoefficient) = 0;
    virtual void Write(const Factor& factor) = 0;
    // The polynomial with no terms.
    virtual void Zero() = 0;
};

void WriteSum(const Sum& sum, FormulaNotation& notation);
// Factors alone, as the numerator of a basis polynomial: 1 where there are none.
void WriteProduct(const std::vector<Factor>& factors, FormulaNotation& notation);

// The negated fraction, and the fraction without its sign.
ExactFraction Negated(ExactFraction fraction);
ExactFraction Unsigned(ExactFraction fraction);

// "-3/2", "7": as plain text writes it, and as a typed text that reads as it is compared.
QString FractionText(const ExactFraction& fraction);
// Whether the typed text says no more than the fraction: "2" for 2, not "2.0" or "1,5 kg".
bool TypedAsFraction(const ReadNumber& number);

// An exact value as decimal digits that are all right: "2.5", "-4900", "0.33333333333333333333…",
// "1.2345678901234567890…e+300". "…" follows where digits were cut.
QString DecimalText(const ExactDecimal& decimal);
