// The polynomial of a compute in the variable u = 10^s x has integer coefficients C_k:
//     p(x) = P(u) / (V 10^t),   P(u) = sum C_k u^k,
// so its zeros are the roots of P and its turning points the roots of P', both isolated
// exactly (calc/RealRoots). Each place is narrowed until the ends of its interval round to
// the same decimal; a decimal that is the place itself is found by putting it into P.

#include "calc/CurveFeatures.h"

#include "calc/DecimalRounding.h"
#include "calc/ExactDescription.h"
#include "calc/ExactInterpolation.h"
#include "calc/RealRoots.h"

#include <algorithm>

namespace {

// Narrowings of one place before its digits are given up on, and the work of a whole shape:
// enough for any place of any polynomial through points of up to a thousand digits; a shape
// that would need more is said to be unknown rather than keep the window waiting.
constexpr int kMostNarrowings = 3000;
constexpr long kWorkOfAShape = 400000;
// A place known exactly is written whole where a decimal of a few more digits is it.
constexpr int kExtraExactDigits = 2;
// Each place is first found in floating point to this many bits, then proven exactly: more
// than a double holds, so that the nearest double and the digits shown are mostly settled.
constexpr int kTightBits = 64;

// Where a number lies: between low and high, or exactly at low where `point`.
struct Enclosure
{
    ScaledRational low;
    ScaledRational high;
    bool point = false;
};

bool settled(const Enclosure& e, int digits, bool toTheDouble)
{
    if (e.point)
        return true;
    if (!(Rounded(e.low, digits) == Rounded(e.high, digits)))
        return false;
    return !toTheDouble || NearestDoubleOf(e.low) == NearestDoubleOf(e.high);
}

ShapeNumber described(const Enclosure& e, int digits)
{
    ShapeNumber number;
    number.nearest = NearestDoubleOf(e.low);
    if (e.point) {
        for (int shortest = 1; shortest <= digits + kExtraExactDigits; ++shortest) {
            const Decimal decimal = Rounded(e.low, shortest);
            if (Compare(decimal.Value(), e.low) == 0) {
                number.text = DecimalText(decimal);
                number.exact = true;
                return number;
            }
        }
    }
    number.text = DecimalText(Rounded(e.low, digits));
    return number;
}

// The most digits that the enclosure settles, or the enclosure itself.
ShapeNumber describedAsFarAsKnown(const Enclosure& e, int digits)
{
    for (int fewer = digits - 1; fewer >= 1; --fewer) {
        if (settled(e, fewer, false))
            return described(e, fewer);
    }
    ShapeNumber number;
    number.settled = false;
    number.text = DecimalText(Rounded(e.low, 2, Rounding::Down));
    number.upTo = DecimalText(Rounded(e.high, 2, Rounding::Up));
    number.nearest = NearestDoubleOf(e.low);
    return number;
}

class ShapeFinder
{
public:
    ShapeFinder(const ScaledPolynomial& polynomial, int digits, const std::atomic<bool>* calledOff)
        : digits(digits)
    {
        for (int k = 0; k <= std::max(polynomial.degree, 0); ++k)
            p.push_back(polynomial.numerators[size_t(k)]);
        while (!p.empty() && p.back() == 0)
            p.pop_back();
        xPower = -polynomial.abscissaScale;
        yPower = -polynomial.ordinateScale;
        yDivisor = abs(polynomial.denominator);
        ySign = sgn(polynomial.denominator);
        work.left = kWorkOfAShape;
        work.calledOff = calledOff;
    }

    CurveShape Find()
    {
        CurveShape shape;
        if (p.empty()) {
            shape.zeroEverywhere = shape.known = true;
            return shape;
        }
        RealRoots zeros = IsolateRealRoots(p, work);
        if (!zeros.complete)
            return shape;
        for (IsolatedRoot& root : zeros.roots)
            shape.zeros.push_back({zeroPlace(zeros, root), root.multiplicity});

        const IntegerPolynomial slope = Derivative(p);
        if (slope.empty()) {
            shape.known = true;
            return shape;
        }
        RealRoots turns = IsolateRealRoots(slope, work);
        if (!turns.complete)
            return shape;
        // The sign of p' = P' 10^s / (V 10^t) far to the left.
        const int degree = int(slope.size()) - 1;
        int sign = sgn(slope.back()) * (degree % 2 ? -1 : 1) * ySign;
        shape.slopeBefore = sign;
        for (IsolatedRoot& root : turns.roots) {
            TurnKind kind = TurnKind::Saddle;
            if (root.multiplicity % 2) {
                kind = sign > 0 ? TurnKind::Maximum : TurnKind::Minimum;
                sign = -sign;
            }
            CurveTurn turn{kind, {}, {}};
            turnPlace(turns, root, turn);
            shape.turns.push_back(turn);
        }
        // Places whose digits the work did not settle say so themselves; called off, the
        // shape is nothing.
        shape.known = !(work.calledOff && work.calledOff->load());
        return shape;
    }

private:
    Enclosure xOf(const IsolatedRoot& root) const
    {
        return {ScaledOf(root.low, xPower), ScaledOf(root.high, xPower), root.Exact()};
    }

    // P(u) as a value of p: P(u) / (V 10^t).
    ScaledRational yFrom(mpz_class numerator, const mpz_class& denominator) const
    {
        return {numerator * ySign, denominator * yDivisor, yPower};
    }

    // Once the interval is narrow enough to name one decimal of a few more digits than are
    // shown, that decimal is tried as the root: one that is a short decimal is then known
    // exactly, also one that lies on a tie of the shown digits, which no interval settles.
    // `tried` holds the candidate tried last, so that none is tried twice.
    void tryDecimal(const RealRoots& roots, IsolatedRoot& root, std::optional<mpq_class>& tried)
    {
        if (root.Exact())
            return;
        const Enclosure x = xOf(root);
        const Decimal low = Rounded(x.low, digits + kExtraExactDigits);
        if (!(low == Rounded(x.high, digits + kExtraExactDigits)))
            return;
        const ScaledRational candidate = low.Value();
        const mpq_class u = RationalOf({candidate.numerator, 1, candidate.power - xPower});
        if (tried == u)
            return;
        tried = u;
        if (u < root.low || u > root.high)
            return;
        if (SignAt(roots.factors[size_t(root.factor)], u) == 0)
            root.low = root.high = u;
    }

    ShapeNumber zeroPlace(const RealRoots& roots, IsolatedRoot& root)
    {
        TightenRoot(roots, root, kTightBits, work);
        std::optional<mpq_class> tried;
        for (int narrowings = 0;; ++narrowings) {
            tryDecimal(roots, root, tried);
            const Enclosure x = xOf(root);
            if (settled(x, digits, true) && (root.Exact() || tried))
                return described(x, digits);
            if (narrowings == kMostNarrowings || !NarrowRoot(roots, root, work))
                return describedAsFarAsKnown(x, digits);
        }
    }

    // p at the turning point c: exact where c is; else from the Taylor form about the middle
    // m = a / b of its interval. With Q(x) = b^n P(x / b) and S(t) = Q(a + t), whole numbers,
    //     P(m + h) = b^-n sum_k S_k b^k h^k,  |P(c) - b^-n S_0| <= b^-n sum_k>=1 |S_k| (b r)^k
    // for the half width r = r_n / r_d.
    Enclosure yOf(const IsolatedRoot& root) const
    {
        if (root.Exact()) {
            const mpq_class y = ValueAt(p, root.low);
            const ScaledRational value = yFrom(y.get_num(), y.get_den());
            return {value, value, true};
        }
        const mpq_class middle = (root.low + root.high) / 2;
        const mpq_class radius = (root.high - root.low) / 2;
        const mpz_class& a = middle.get_num();
        const mpz_class& b = middle.get_den();
        const int n = int(p.size()) - 1;
        std::vector<mpz_class> s(p.begin(), p.end());
        mpz_class bPower = 1;
        for (int j = n; j >= 0; --j) {
            s[size_t(j)] *= bPower;
            bPower *= b;
        }
        for (int i = 0; i < n; ++i)
            for (int j = n - 1; j >= i; --j)
                s[size_t(j)] += a * s[size_t(j + 1)];
        // sum_k>=1 |S_k| (b r_n)^k r_d^(n-k), over r_d^n.
        const mpz_class step = b * radius.get_num();
        mpz_class error = 0;
        mpz_class stepPower = 1;
        for (int k = 1; k <= n; ++k) {
            stepPower *= step;
            mpz_class term = abs(s[size_t(k)]) * stepPower;
            for (int i = k; i < n; ++i)
                term *= radius.get_den();
            error += term;
        }
        mpz_class denominatorPower = 1;
        for (int i = 0; i < n; ++i)
            denominatorPower *= radius.get_den();
        const mpz_class centre = s[0] * denominatorPower;
        // b^n r_d^n; bPower went one power of b too far.
        const mpz_class denominator = bPower / b * denominatorPower;
        ScaledRational low = yFrom(centre - error, denominator);
        ScaledRational high = yFrom(centre + error, denominator);
        if (ySign < 0)
            std::swap(low, high);
        return {low, high, false};
    }

    void turnPlace(const RealRoots& roots, IsolatedRoot& root, CurveTurn& turn)
    {
        const IntegerPolynomial& factor = roots.factors[size_t(root.factor)];
        // A turn on the axis is a multiple zero of P.
        const bool onTheAxis = SharesRoot(p, factor, root, work);
        TightenRoot(roots, root, kTightBits, work);
        const ScaledRational zero{0, 1, 0};
        bool yChecked = false;
        std::optional<mpq_class> tried;
        for (int narrowings = 0;; ++narrowings) {
            tryDecimal(roots, root, tried);
            const Enclosure x = xOf(root);
            const bool xSettled = settled(x, digits, true) && (root.Exact() || tried);
            // p varies least about a turn: its value settles once its place has.
            const std::optional<Enclosure> y =
                onTheAxis ? std::optional<Enclosure>({zero, zero, true})
                          : (xSettled ? std::optional<Enclosure>(yOf(root)) : std::nullopt);
            if (xSettled && y && settled(*y, digits, false)) {
                turn.x = described(x, digits);
                turn.y = described(*y, digits);
                // p(c) may be a short decimal although c is not: then P - y V 10^t shares c.
                if (!turn.y.exact && !yChecked) {
                    yChecked = true;
                    const ScaledRational candidate = Rounded(y->low, digits).Value();
                    // P(c) if p(c) is the candidate: candidate * V * 10^t.
                    const mpq_class level = RationalOf(
                        {candidate.numerator * yDivisor * ySign, 1, candidate.power - yPower});
                    IntegerPolynomial shifted = p;
                    for (mpz_class& c : shifted)
                        c *= level.get_den();
                    shifted[0] -= level.get_num();
                    if (SharesRoot(shifted, factor, root, work))
                        turn.y = described({candidate, candidate, true}, digits);
                }
                return;
            }
            if (narrowings == kMostNarrowings || !NarrowRoot(roots, root, work)) {
                turn.x = xSettled ? described(x, digits) : describedAsFarAsKnown(x, digits);
                turn.y = describedAsFarAsKnown(y ? *y : yOf(root), digits);
                return;
            }
        }
    }

    IntegerPolynomial p;
    long xPower = 0; // x = u 10^xPower
    long yPower = 0; // p = P(u) / |V| * sign(V) * 10^yPower
    mpz_class yDivisor;
    int ySign = 1;
    int digits;
    RootWork work;
};

} // namespace

CurveShape ShapeOf(const ScaledPolynomial& polynomial, int digits,
                   const std::atomic<bool>* calledOff)
{
    return ShapeFinder(polynomial, digits, calledOff).Find();
}

std::optional<ExactNumber> ExactValueAt(const ScaledPolynomial& polynomial, const QString& text)
{
    const std::optional<ScaledDecimal> x = ReadExact(text);
    if (!x)
        return std::nullopt;
    // u = 10^s x = M 10^(e + s) = A / B.
    const long exponent = x->exponent + polynomial.abscissaScale;
    mpz_class a = x->mantissa;
    mpz_class b = 1;
    if (exponent >= 0)
        a *= PowerOfTen(static_cast<unsigned long>(exponent));
    else
        b = PowerOfTen(static_cast<unsigned long>(-exponent));
    // V 10^t q(u) B^d = sum C_k A^k B^(d-k).
    const int d = std::max(polynomial.degree, 0);
    mpz_class sum = polynomial.numerators[size_t(d)];
    mpz_class power = 1;
    for (int k = d - 1; k >= 0; --k) {
        power *= b;
        sum = sum * a + polynomial.numerators[size_t(k)] * power;
    }
    return DescribeExact(sum, polynomial.denominator * power, -polynomial.ordinateScale);
}
