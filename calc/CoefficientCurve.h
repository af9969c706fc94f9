#pragma once
// The polynomial of the coefficients a compute showed, as a curve: what the double arithmetic's
// normal form draws, to be set beside the exact polynomial through the points as typed.

#include "calc/PolynomialCurve.h"

#include <array>
#include <optional>

// sum_k coefficients[k] x^k with each double taken at its exact binary value; none where a
// coefficient is not finite.
std::optional<PolynomialCurve> CoefficientCurve(const std::array<double, 10>& coefficients);
