#pragma once
// Polynomials with integer coefficients, in exact arithmetic: what the search for real roots
// needs of them.

#include <gmpxx.h>
#include <utility>
#include <vector>

// Coefficients of x^0, x^1, ...; no zero at the top. Empty is the zero polynomial.
using IntegerPolynomial = std::vector<mpz_class>;

IntegerPolynomial Derivative(const IntegerPolynomial& p);
// p(x) for a rational x, exactly.
mpq_class ValueAt(const IntegerPolynomial& p, const mpq_class& x);
int SignAt(const IntegerPolynomial& p, const mpq_class& x);
// The greatest common divisor, primitive with a positive leading coefficient.
IntegerPolynomial CommonDivisor(IntegerPolynomial a, IntegerPolynomial b);
// Whether a and b certainly have no common root: their remainders modulo a prime say so.
bool CertainlyCoprime(const IntegerPolynomial& a, const IntegerPolynomial& b);
// a / b where b divides a; b primitive, so the quotient has integer coefficients.
IntegerPolynomial ExactQuotient(IntegerPolynomial a, const IntegerPolynomial& b);
// The square-free factors of p with their multiplicities: p = c * prod factor^multiplicity,
// the factors primitive and pairwise without a common root.
std::vector<std::pair<IntegerPolynomial, int>> SquareFreeFactors(const IntegerPolynomial& p);
