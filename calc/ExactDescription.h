#pragma once
// What a field needs to know of an exact rational: its leading digits, the double nearest to
// it, and whether the program's zero test would clear it.

#include "calc/ExactShadow.h"

#include <gmpxx.h>

// The double nearest to numerator / denominator (denominator > 0), ties to even, subnormals
// included, and +-inf where it rounds beyond the largest double. Zero gives +0.
double NearestDouble(const mpz_class& numerator, const mpz_class& denominator);

// numerator * 10^power / denominator (denominator non-zero, either sign), described.
ExactNumber DescribeExact(mpz_class numerator, mpz_class denominator, long power);
