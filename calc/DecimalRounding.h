#pragma once
// Exact rationals rounded to decimal digits, and written as Str writes numbers: the digits of a
// place that are right, worked out from its exact enclosure.

#include <QString>
#include <gmpxx.h>

// numerator / denominator * 10^power, denominator > 0: a rational with its power of ten
// apart, so that the scales of x and y cost no division.
struct ScaledRational
{
    mpz_class numerator;
    mpz_class denominator = 1;
    long power = 0;
};

ScaledRational ScaledOf(const mpq_class& value, long power);
mpq_class RationalOf(const ScaledRational& value);
// -1, 0 or 1 as a is below, at or above b.
int Compare(const ScaledRational& a, const ScaledRational& b);
// The double nearest to the value, ties to even, +-inf beyond the doubles.
double NearestDoubleOf(const ScaledRational& value);

enum class Rounding
{
    HalfEven,
    Down, // towards -inf
    Up,   // towards +inf
};

// A decimal of `digits` significant digits: +-mantissa 10^(exponent - digits + 1), where
// 10^(digits-1) <= mantissa < 10^digits, or 0.
struct Decimal
{
    bool negative = false;
    mpz_class mantissa;
    long exponent = 0;
    int digits = 1;

    bool operator==(const Decimal& other) const
    {
        return negative == other.negative && mantissa == other.mantissa &&
               exponent == other.exponent;
    }
    ScaledRational Value() const
    {
        return {negative ? mpz_class(-mantissa) : mantissa, 1, exponent - digits + 1};
    }
};

Decimal Rounded(const ScaledRational& value, int digits, Rounding rounding = Rounding::HalfEven);
// As Str writes numbers: the shorter of the plain and the exponent form, the plain one on a
// tie, trailing zeros dropped.
QString DecimalText(const Decimal& decimal);
