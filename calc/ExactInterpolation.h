#pragma once
// The interpolating polynomial through exactly read points, as integers over one denominator.

#include "calc/ExactReading.h"

#include <array>
#include <optional>
#include <vector>

// Every abscissa is scaled by one power of ten 10^s and every ordinate by 10^t into an integer
// (X_i, Y_i), so that with u = 10^s x the polynomial is
//     q(u) = sum_k C_k u^k / (V 10^t),   V = prod_{i<j} (X_j - X_i).
// No fraction is reduced on the way; each result is divided out once, when it is described.
struct ScaledPolynomial
{
    std::array<mpz_class, 10> numerators; // C_0..C_9; zero at or above the count
    mpz_class denominator;                // V, non-zero, either sign
    long abscissaScale = 0;               // s
    long ordinateScale = 0;               // t
    int degree = -1;                      // highest power that may be non-zero; -1 for none
    std::vector<mpz_class> abscissae;     // X_i
    std::vector<mpz_class> ordinates;     // Y_i
};

// Up to ten points; empty when two abscissae are equal.
std::optional<ScaledPolynomial> Interpolate(const std::vector<ScaledDecimal>& xs,
                                            const std::vector<ScaledDecimal>& ys);
