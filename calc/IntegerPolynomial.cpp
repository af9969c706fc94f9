// Polynomials with integer coefficients, worked on without fractions: a pseudo-remainder
// multiplies by the divisor's leading coefficient before it subtracts, and every result is made
// primitive, so that the numbers stay as small as the roots allow.

#include "calc/IntegerPolynomial.h"

#include <cstdint>

namespace {

void trim(IntegerPolynomial& p)
{
    while (!p.empty() && p.back() == 0)
        p.pop_back();
}

int degree(const IntegerPolynomial& p)
{
    return int(p.size()) - 1;
}

IntegerPolynomial primitivePart(IntegerPolynomial p)
{
    trim(p);
    if (p.empty())
        return p;
    mpz_class content = 0;
    for (const mpz_class& c : p)
        mpz_gcd(content.get_mpz_t(), content.get_mpz_t(), c.get_mpz_t());
    if (p.back() < 0)
        content = -content;
    for (mpz_class& c : p)
        mpz_divexact(c.get_mpz_t(), c.get_mpz_t(), content.get_mpz_t());
    return p;
}

// The remainder of lc(b)^(deg a - deg b + 1) a divided by b: division without fractions.
IntegerPolynomial pseudoRemainder(IntegerPolynomial a, const IntegerPolynomial& b)
{
    const int db = degree(b);
    const mpz_class& lead = b.back();
    while (degree(a) >= db && !a.empty()) {
        const mpz_class top = a.back();
        const int shift = degree(a) - db;
        for (mpz_class& c : a)
            c *= lead;
        for (int i = 0; i <= db; ++i)
            a[size_t(i + shift)] -= top * b[size_t(i)];
        trim(a);
        a = primitivePart(std::move(a)); // keeps the numbers small; the roots stay
    }
    return a;
}

IntegerPolynomial difference(IntegerPolynomial a, const IntegerPolynomial& b)
{
    a.resize(std::max(a.size(), b.size()));
    for (size_t i = 0; i < b.size(); ++i)
        a[i] -= b[i];
    trim(a);
    return a;
}

// --- Arithmetic modulo the prime 2^61 - 1, for quick certainty that there is no common factor.

constexpr std::uint64_t kPrime = (std::uint64_t(1) << 61) - 1;

std::uint64_t mulMod(std::uint64_t a, std::uint64_t b)
{
    return std::uint64_t((unsigned __int128)a * b % kPrime);
}

std::uint64_t powMod(std::uint64_t a, std::uint64_t e)
{
    std::uint64_t result = 1;
    for (; e; e >>= 1, a = mulMod(a, a))
        if (e & 1)
            result = mulMod(result, a);
    return result;
}

std::vector<std::uint64_t> reduced(const IntegerPolynomial& p)
{
    std::vector<std::uint64_t> r;
    for (const mpz_class& c : p)
        r.push_back(mpz_fdiv_ui(c.get_mpz_t(), kPrime));
    while (!r.empty() && r.back() == 0)
        r.pop_back();
    return r;
}

// The degree of the greatest common divisor modulo the prime.
int modularCommonDegree(std::vector<std::uint64_t> a, std::vector<std::uint64_t> b)
{
    while (!b.empty()) {
        // a <- a mod b
        const std::uint64_t inverse = powMod(b.back(), kPrime - 2);
        while (a.size() >= b.size()) {
            const std::uint64_t factor = mulMod(a.back(), inverse);
            const size_t shift = a.size() - b.size();
            for (size_t i = 0; i < b.size(); ++i)
                a[i + shift] = (a[i + shift] + kPrime - mulMod(factor, b[i])) % kPrime;
            while (!a.empty() && a.back() == 0)
                a.pop_back();
        }
        std::swap(a, b);
    }
    return int(a.size()) - 1;
}

// m^deg p(n / m) = sum a_i n^i m^(deg - i), a whole number; `power` becomes m^deg.
mpz_class scaledValue(const IntegerPolynomial& p, const mpq_class& x, mpz_class& power)
{
    const mpz_class& n = x.get_num();
    const mpz_class& m = x.get_den();
    mpz_class sum = p.back();
    power = 1;
    for (int i = degree(p) - 1; i >= 0; --i) {
        power *= m;
        sum = sum * n + p[size_t(i)] * power;
    }
    return sum;
}

} // namespace

IntegerPolynomial Derivative(const IntegerPolynomial& p)
{
    IntegerPolynomial d;
    for (size_t i = 1; i < p.size(); ++i)
        d.push_back(p[i] * long(i));
    trim(d);
    return d;
}

mpq_class ValueAt(const IntegerPolynomial& p, const mpq_class& x)
{
    if (p.empty())
        return 0;
    mpz_class power;
    const mpz_class sum = scaledValue(p, x, power);
    mpq_class value(sum, power);
    value.canonicalize();
    return value;
}

int SignAt(const IntegerPolynomial& p, const mpq_class& x)
{
    if (p.empty())
        return 0;
    // The denominator's power is positive: the sign is the whole number's.
    mpz_class power;
    return sgn(scaledValue(p, x, power));
}

IntegerPolynomial CommonDivisor(IntegerPolynomial a, IntegerPolynomial b)
{
    a = primitivePart(std::move(a));
    b = primitivePart(std::move(b));
    if (degree(a) < degree(b))
        std::swap(a, b);
    while (!b.empty()) {
        IntegerPolynomial r = pseudoRemainder(a, b);
        a = std::move(b);
        b = primitivePart(std::move(r));
    }
    return primitivePart(std::move(a));
}

bool CertainlyCoprime(const IntegerPolynomial& a, const IntegerPolynomial& b)
{
    if (a.empty() || b.empty())
        return degree(a) == 0 || degree(b) == 0;
    if (degree(a) == 0 || degree(b) == 0)
        return true;
    const std::vector<std::uint64_t> ra = reduced(a);
    const std::vector<std::uint64_t> rb = reduced(b);
    // A prime that divides a leading coefficient proves nothing.
    if (ra.size() != a.size() || rb.size() != b.size())
        return false;
    return modularCommonDegree(ra, rb) == 0;
}

IntegerPolynomial ExactQuotient(IntegerPolynomial a, const IntegerPolynomial& b)
{
    trim(a);
    const int db = degree(b);
    if (degree(a) < db)
        return {};
    IntegerPolynomial quotient(size_t(degree(a) - db + 1));
    for (int shift = degree(a) - db; shift >= 0; --shift) {
        mpz_class q;
        mpz_divexact(q.get_mpz_t(), a[size_t(shift + db)].get_mpz_t(), b.back().get_mpz_t());
        quotient[size_t(shift)] = q;
        for (int i = 0; i <= db; ++i)
            a[size_t(i + shift)] -= q * b[size_t(i)];
    }
    return quotient;
}

std::vector<std::pair<IntegerPolynomial, int>> SquareFreeFactors(const IntegerPolynomial& p)
{
    const IntegerPolynomial f = primitivePart(p);
    const IntegerPolynomial derivative = Derivative(f);
    if (degree(f) <= 0)
        return {};
    if (CertainlyCoprime(f, derivative))
        return {{f, 1}};
    // Yun: each division is exact, and b and d are divided by the same factor each time, so
    // the identities hold whatever constant each greatest common divisor carries.
    const IntegerPolynomial a0 = CommonDivisor(f, derivative);
    IntegerPolynomial b = ExactQuotient(f, a0);
    IntegerPolynomial d = difference(ExactQuotient(derivative, a0), Derivative(b));
    std::vector<std::pair<IntegerPolynomial, int>> factors;
    for (int multiplicity = 1; degree(b) > 0; ++multiplicity) {
        const IntegerPolynomial a = CommonDivisor(b, d);
        if (degree(a) > 0)
            factors.emplace_back(a, multiplicity);
        b = ExactQuotient(b, a);
        d = difference(ExactQuotient(d, a), Derivative(b));
    }
    return factors;
}
