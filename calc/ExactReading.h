#pragma once
// A field's text read as the exact decimal fraction whose double Val returns.

#include "calc/ExactLimits.h"

#include <QString>
#include <gmpxx.h>
#include <optional>

// mantissa * 10^exponent. The mantissa carries no trailing zero, and 0 has exponent 0, so that
// the scale of a set of numbers is as small as it can be.
struct ScaledDecimal
{
    mpz_class mantissa;
    long exponent = 0;
};

// The number Val reads at the start of the text (0 where it reads none). Empty for inf and nan,
// for a number a double cannot hold (Val gives inf, or 0 for non-zero digits), and for more than
// kMostExactDigits digits.
std::optional<ScaledDecimal> ReadExact(const QString& text);

// 10^exponent.
mpz_class PowerOfTen(unsigned long exponent);
