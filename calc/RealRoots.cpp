// Real roots by the continued-fraction form of Descartes' rule of signs (Vincent, Akritas,
// Strzebonski): a polynomial G(x) = (cx + d)^n F((ax + b) / (cx + d)) has as many positive roots
// as its coefficients change sign, or an even number fewer; zero changes mean none, one means
// exactly one. Where there are more, a lower bound of the positive roots is jumped to by a
// scaling and a shift, which crosses any gap of magnitudes in one step, and else (0, 1) and
// (1, inf) are looked at apart. Square-free factors first, by Yun's method, so that every root
// is simple and the search ends.

#include "calc/RealRoots.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

int degree(const IntegerPolynomial& p)
{
    return int(p.size()) - 1;
}

long bitLength(const mpz_class& value)
{
    return value == 0 ? 0 : long(mpz_sizeinbase(value.get_mpz_t(), 2));
}

void trim(IntegerPolynomial& p)
{
    while (!p.empty() && p.back() == 0)
        p.pop_back();
}

// The Moebius map x -> (a x + b) / (c x + d) from the search variable to the original one.
struct Moebius
{
    mpz_class a = 1, b = 0, c = 0, d = 1;
};

struct Node
{
    IntegerPolynomial g;
    Moebius m;
};

int signChanges(const IntegerPolynomial& p)
{
    int changes = 0;
    int last = 0;
    for (const mpz_class& c : p) {
        const int s = sgn(c);
        if (s != 0) {
            if (last != 0 && s != last)
                ++changes;
            last = s;
        }
    }
    return changes;
}

// G(x + 1), by Horner's rule on polynomials: n^2 / 2 additions.
void shiftByOne(IntegerPolynomial& g)
{
    const int n = degree(g);
    for (int i = 0; i < n; ++i)
        for (int j = n - 1; j >= i; --j)
            g[size_t(j)] += g[size_t(j + 1)];
}

// An exponent K with every positive root of p below 2^K (Kioustelidis' bound in bit lengths),
// or none when the coefficients never change sign against the leading one.
std::optional<long> positiveRootBound(const IntegerPolynomial& p)
{
    const int n = degree(p);
    const int lead = sgn(p.back());
    const long leadBits = bitLength(p.back());
    std::optional<long> bound;
    for (int i = 0; i < n; ++i) {
        if (sgn(p[size_t(i)]) != -lead)
            continue;
        // |a_i| / |a_n| < 2^(bits_i - bits_n + 1); its (n - i)-th root, rounded up.
        const long numerator = bitLength(p[size_t(i)]) - leadBits + 1;
        const long root =
            numerator >= 0 ? (numerator + n - i - 1) / (n - i) : -((-numerator) / (n - i));
        const long exponent = root + 1;
        bound = bound ? std::max(*bound, exponent) : exponent;
    }
    return bound;
}

IntegerPolynomial reversed(IntegerPolynomial p)
{
    std::reverse(p.begin(), p.end());
    trim(p);
    return p;
}

mpq_class powerOfTwo(long exponent)
{
    mpq_class value = 1;
    if (exponent >= 0)
        mpq_mul_2exp(value.get_mpq_t(), value.get_mpq_t(), mp_bitcnt_t(exponent));
    else
        mpq_div_2exp(value.get_mpq_t(), value.get_mpq_t(), mp_bitcnt_t(-exponent));
    return value;
}

mpq_class fraction(const mpz_class& numerator, const mpz_class& denominator)
{
    mpq_class q(numerator, denominator);
    q.canonicalize();
    return q;
}

// The positive roots of the square-free f (f(0) != 0): exact ones and isolating intervals
// (low, high) with 0 < low, high finite.
bool positiveRoots(const IntegerPolynomial& f, int factor, std::vector<IsolatedRoot>& out,
                   RootWork& work)
{
    const std::optional<long> above = positiveRootBound(f);
    if (!above)
        return true;
    const std::optional<long> belowReciprocal = positiveRootBound(reversed(f));
    // Strictly beyond every positive root on both sides.
    const mpq_class ceiling = powerOfTwo(*above + 1);
    const mpq_class floor = powerOfTwo(-(belowReciprocal.value_or(0) + 1));

    const auto exact = [&](const mpq_class& root) { out.push_back({root, root, 1, factor}); };
    std::vector<Node> stack{{f, Moebius{}}};
    while (!stack.empty()) {
        Node node = std::move(stack.back());
        stack.pop_back();
        IntegerPolynomial& g = node.g;
        Moebius& m = node.m;
        if (!work.Spend(long(g.size())))
            return false;
        const int changes = signChanges(g);
        if (changes == 0)
            continue;
        if (changes == 1) {
            const mpq_class atZero = fraction(m.b, m.d);
            const mpq_class atInfinity = m.c == 0 ? ceiling : fraction(m.a, m.c);
            mpq_class low = std::min(atZero, atInfinity);
            mpq_class high = std::max(atZero, atInfinity);
            out.push_back({std::max(low, floor), std::min(high, ceiling), 1, factor});
            continue;
        }
        // Jump to a lower bound of the roots where it is 2 or more: x -> 2^k x, then x -> x + 1.
        const std::optional<long> reciprocalBound = positiveRootBound(reversed(g));
        const long lowest = reciprocalBound ? -*reciprocalBound : 0;
        if (lowest >= 1) {
            for (int i = 1; i < int(g.size()); ++i)
                g[size_t(i)] <<= mp_bitcnt_t(lowest * i);
            m.a <<= mp_bitcnt_t(lowest);
            m.c <<= mp_bitcnt_t(lowest);
            shiftByOne(g);
            m.b += m.a;
            m.d += m.c;
            if (g[0] == 0) {
                exact(fraction(m.b, m.d));
                g.erase(g.begin());
            }
            stack.push_back(std::move(node));
            continue;
        }
        // A root at 1 itself, then (1, inf) as x -> x + 1 and (0, 1) as x -> 1 / (x + 1).
        mpz_class sum = 0;
        for (const mpz_class& c : g)
            sum += c;
        if (sum == 0) {
            exact(fraction(m.a + m.b, m.c + m.d));
            g = ExactQuotient(g, IntegerPolynomial{-1, 1});
        }
        Node right{g, Moebius{m.a, m.a + m.b, m.c, m.c + m.d}};
        shiftByOne(right.g);
        Node left{reversed(g), Moebius{m.b, m.a + m.b, m.d, m.c + m.d}};
        shiftByOne(left.g);
        stack.push_back(std::move(right));
        stack.push_back(std::move(left));
    }
    return true;
}

// The sign of p just above x (towards +inf), p square-free: its own sign, or its slope's at
// a root.
int signJustAbove(const IntegerPolynomial& p, const mpq_class& x)
{
    const int s = SignAt(p, x);
    return s != 0 ? s : SignAt(Derivative(p), x);
}

int signJustBelow(const IntegerPolynomial& p, const mpq_class& x)
{
    const int s = SignAt(p, x);
    return s != 0 ? s : -SignAt(Derivative(p), x);
}

long floorLog2(const mpq_class& x) // x > 0
{
    const long candidate = bitLength(x.get_num()) - bitLength(x.get_den());
    return x >= powerOfTwo(candidate) ? candidate : candidate - 1;
}

} // namespace

bool SharesRoot(const IntegerPolynomial& p, const IntegerPolynomial& q, const IsolatedRoot& root,
                RootWork& work)
{
    if (CertainlyCoprime(p, q))
        return false;
    if (!work.Spend(long(p.size() * q.size())))
        return false;
    const IntegerPolynomial g = CommonDivisor(p, q);
    if (degree(g) <= 0)
        return false;
    if (root.Exact())
        return SignAt(g, root.low) == 0;
    // g divides q, whose only root in the interval is this one, a simple one.
    return signJustAbove(g, root.low) != signJustBelow(g, root.high);
}

RealRoots IsolateRealRoots(const IntegerPolynomial& p, RootWork& work)
{
    RealRoots result;
    for (auto& [factor, multiplicity] : SquareFreeFactors(p)) {
        const int index = int(result.factors.size());
        result.factors.push_back(factor);
        std::vector<IsolatedRoot> found;
        IntegerPolynomial f = factor;
        if (f[0] == 0) {
            found.push_back({0, 0, 1, index});
            f.erase(f.begin());
        }
        IntegerPolynomial mirrored = f;
        for (size_t i = 1; i < mirrored.size(); i += 2)
            mirrored[i] = -mirrored[i];
        std::vector<IsolatedRoot> negative;
        if (!positiveRoots(f, index, found, work) ||
            !positiveRoots(mirrored, index, negative, work)) {
            result.complete = false;
            return result;
        }
        for (IsolatedRoot& root : negative)
            found.push_back({-root.high, -root.low, 1, index});
        for (IsolatedRoot& root : found) {
            root.multiplicity = multiplicity;
            result.roots.push_back(root);
        }
    }
    // Roots of different factors are different: narrowed until no two intervals overlap.
    const auto byLow = [](const IsolatedRoot& a, const IsolatedRoot& b) { return a.low < b.low; };
    std::sort(result.roots.begin(), result.roots.end(), byLow);
    for (size_t i = 1; i < result.roots.size();) {
        IsolatedRoot& before = result.roots[i - 1];
        IsolatedRoot& after = result.roots[i];
        const bool overlap =
            before.high > after.low || (before.Exact() && after.Exact() && before.low == after.low);
        if (!overlap) {
            ++i;
            continue;
        }
        IsolatedRoot& wider = before.high - before.low >= after.high - after.low ? before : after;
        if (!NarrowRoot(result, wider, work)) {
            result.complete = false;
            return result;
        }
        std::sort(result.roots.begin(), result.roots.end(), byLow);
        i = 1;
    }
    return result;
}

bool NarrowRoot(const RealRoots& roots, IsolatedRoot& root, RootWork& work)
{
    if (root.Exact())
        return true;
    const IntegerPolynomial& f = roots.factors[size_t(root.factor)];
    if (!work.Spend(long(f.size())))
        return false;
    // Far apart magnitudes are halved in the exponent, near ones in the value.
    mpq_class middle;
    const bool positive = root.low > 0;
    const bool negative = root.high < 0;
    if ((positive && root.high > 4 * root.low) || (negative && root.low < 4 * root.high)) {
        const mpq_class small = positive ? root.low : mpq_class(-root.high);
        const mpq_class large = positive ? root.high : mpq_class(-root.low);
        const long lowExponent = floorLog2(small);
        const long highExponent = floorLog2(large) + 1;
        middle = powerOfTwo((lowExponent + highExponent) / 2);
        if (negative)
            middle = -middle;
    } else {
        middle = (root.low + root.high) / 2;
    }
    // Moving low up to a point of the same sign keeps the sign just above it.
    if (root.signAboveLow == 0)
        root.signAboveLow = signJustAbove(f, root.low);
    const int s = SignAt(f, middle);
    if (s == 0) {
        root.low = root.high = middle;
    } else if (s == root.signAboveLow) {
        root.low = middle;
    } else {
        root.high = middle;
    }
    return true;
}

void TightenRoot(const RealRoots& roots, IsolatedRoot& root, int bits, RootWork& work)
{
    if (root.Exact())
        return;
    const IntegerPolynomial& f = roots.factors[size_t(root.factor)];
    // Enough bits to tell the ends of the interval apart, and `bits` more.
    const mpq_class width = root.high - root.low;
    const mpq_class size = std::max(abs(root.low), abs(root.high));
    const long apart = std::max(0L, bitLength(size.get_num()) - bitLength(size.get_den()) -
                                        bitLength(width.get_num()) + bitLength(width.get_den()));
    const mp_bitcnt_t precision = mp_bitcnt_t(bits + 64 + apart);
    std::vector<mpf_class> a;
    for (const mpz_class& c : f)
        a.emplace_back(c, precision);
    mpf_class low(root.low, precision);
    mpf_class high(root.high, precision);
    mpf_class x((low + high) / 2, precision);
    mpf_class value(0, precision);
    mpf_class slope(0, precision);
    mpf_class step(0, precision);
    // Every number is given its precision: gmpxx makes a new one at the default of 64 bits.
    mpf_class next(0, precision);
    mpf_class scale(0, precision);
    if (root.signAboveLow == 0)
        root.signAboveLow = signJustAbove(f, root.low);
    const int lowSign = root.signAboveLow;
    // Newton's method, kept within the bracket by halving where a step would leave it.
    for (int iteration = 0; iteration < 4 * bits; ++iteration) {
        value = a.back();
        slope = 0;
        for (int i = int(a.size()) - 2; i >= 0; --i) {
            slope = slope * x + value;
            value = value * x + a[size_t(i)];
        }
        if (sgn(value) == 0)
            break;
        if (sgn(value) == lowSign)
            low = x;
        else
            high = x;
        if (sgn(slope) != 0) {
            step = value / slope;
            next = x - step;
        }
        if (sgn(slope) == 0 || next <= low || next >= high)
            next = (low + high) / 2;
        step = abs(next - x);
        x = next;
        scale = abs(x);
        mpf_div_2exp(scale.get_mpf_t(), scale.get_mpf_t(), mp_bitcnt_t(bits + 8));
        if (step <= scale)
            break;
    }
    // The interval x -+ |x| 2^-bits, if the signs at its ends prove that the root is in it.
    mpf_class reach(abs(x), precision);
    mpf_div_2exp(reach.get_mpf_t(), reach.get_mpf_t(), mp_bitcnt_t(bits));
    if (sgn(reach) == 0)
        return;
    next = x - reach;
    const mpq_class candidateLow(next);
    next = x + reach;
    const mpq_class candidateHigh(next);
    if (candidateLow <= root.low || candidateHigh >= root.high)
        return;
    if (!work.Spend(2 * long(f.size())))
        return;
    const int signLow = SignAt(f, candidateLow);
    const int signHigh = SignAt(f, candidateHigh);
    if (signLow == 0) {
        root.low = root.high = candidateLow;
    } else if (signHigh == 0) {
        root.low = root.high = candidateHigh;
    } else if (signLow != signHigh) {
        root.low = candidateLow;
        root.high = candidateHigh;
        root.signAboveLow = signLow;
    }
}
