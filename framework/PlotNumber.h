#pragma once
// Numbers as a person reads them on a graph projected for a class: a true minus sign (U+2212)
// that no dash or tick passes for, and large or small magnitudes as "5·10³⁰⁰", not "5e+300".

#include <QString>
#include <string>

// sign digits · 10^exponent, exactly.
struct DecimalNumber
{
    bool negative = false;
    std::string digits = "0"; // decimal digits without leading zeros; "0" for zero
    int exponent = 0;

    bool IsZero() const { return digits == "0"; }
    // The decimal exponent of the leading digit: 1.5 has 0, 150 has 2; zero has `exponent`.
    int Leading() const { return exponent + int(digits.size()) - 1; }
    // The same number with its trailing zeros moved into the exponent.
    DecimalNumber Trimmed() const;
};

enum class Notation
{
    Plain,     // "1969.8", "−0.0025"
    Scientific // "2.5·10⁻⁷", "−1·10³⁰⁸"
};

// For numbers whose largest leading exponent is `leading` and whose last digit stands at 10^place:
// plain from 10^-4 up to below 10^6, where people write numbers out, and for larger numbers with
// no more than two padding zeros ("12345678.5"); scientific where zeros would have to be counted.
Notation NotationFor(int leading, int place);

// Every digit given is written, trailing zeros too: they tell how fine the number is.
QString PlotNumber(const DecimalNumber& number, Notation notation);
// In the notation that suits the number itself.
QString PlotNumber(const DecimalNumber& number);

// The exponent of the largest power of ten that is at most `size` (> 0, finite).
int PlaceOf(double size);
// x (finite) rounded half to even to a multiple of 10^place, at most 17 significant digits:
// beyond them a double has nothing more to say.
DecimalNumber RoundedToPlace(double x, int place);
