// The polynomial of a compute in the variable u = 10^s x has integer coefficients C_k:
//     p(x) = P(u) / (V 10^t),   P(u) = sum C_k u^k,
// so its zeros are the roots of P and its turning points the roots of P', both isolated
// exactly (calc/RealRoots). Each place is narrowed until the ends of its interval round to
// the same decimal; a decimal that is the place itself is found by putting it into P.

#include "calc/CurveFeatures.h"

#include "calc/ExactDescription.h"
#include "calc/ExactInterpolation.h"
#include "calc/RealRoots.h"

#include <algorithm>
#include <unordered_map>

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

// 10^k, kept: the same few powers are asked for again and again while a place is narrowed.
const mpz_class& tenTo(unsigned long k)
{
    thread_local std::unordered_map<unsigned long, mpz_class> powers;
    if (powers.size() > 512)
        powers.clear();
    auto [at, added] = powers.try_emplace(k);
    if (added)
        at->second = PowerOfTen(k);
    return at->second;
}

// numerator / denominator * 10^power, denominator > 0: a rational with its power of ten
// apart, so that the scales of x and y cost no division.
struct Scaled
{
    mpz_class numerator;
    mpz_class denominator = 1;
    long power = 0;
};

Scaled scaled(const mpq_class& value, long power)
{
    return {value.get_num(), value.get_den(), power};
}

mpq_class rational(const Scaled& value)
{
    mpq_class q(value.numerator, value.denominator);
    if (value.power >= 0)
        q *= mpq_class(tenTo(static_cast<unsigned long>(value.power)));
    else
        q /= mpq_class(tenTo(static_cast<unsigned long>(-value.power)));
    q.canonicalize();
    return q;
}

// a * 10^shift for shift >= 0.
mpz_class timesTen(const mpz_class& a, long shift)
{
    return shift == 0 ? a : mpz_class(a * tenTo(static_cast<unsigned long>(shift)));
}

int compare(const Scaled& a, const Scaled& b)
{
    const long lowest = std::min(a.power, b.power);
    const mpz_class left = timesTen(a.numerator * b.denominator, a.power - lowest);
    const mpz_class right = timesTen(b.numerator * a.denominator, b.power - lowest);
    return cmp(left, right);
}

double nearestDouble(const Scaled& value)
{
    if (value.power >= 0)
        return NearestDouble(timesTen(value.numerator, value.power), value.denominator);
    return NearestDouble(value.numerator, timesTen(value.denominator, -value.power));
}

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
    Scaled Value() const
    {
        return {negative ? mpz_class(-mantissa) : mantissa, 1, exponent - digits + 1};
    }
};

Decimal rounded(const Scaled& value, int digits, Rounding rounding = Rounding::HalfEven)
{
    Decimal decimal;
    decimal.digits = digits;
    if (value.numerator == 0)
        return decimal;
    decimal.negative = value.numerator < 0;
    const mpz_class n = abs(value.numerator);
    const mpz_class& m = value.denominator;
    // n / m >= 10^k, in whole numbers.
    const auto atLeast = [&](long k) {
        return k >= 0 ? n >= timesTen(m, k) : timesTen(n, -k) >= m;
    };
    // The exponent of the first digit of n / m, from the bit lengths, then put right.
    const long bits =
        long(mpz_sizeinbase(n.get_mpz_t(), 2)) - long(mpz_sizeinbase(m.get_mpz_t(), 2));
    long exponent = long(double(bits) * 0.30102999566398120);
    while (atLeast(exponent + 1))
        ++exponent;
    while (!atLeast(exponent))
        --exponent;
    // The digits: n / m * 10^(digits - 1 - exponent), rounded.
    const long shift = digits - 1 - exponent;
    const mpz_class dividend = shift >= 0 ? timesTen(n, shift) : n;
    const mpz_class divisor = shift >= 0 ? m : timesTen(m, -shift);
    mpz_class quotient;
    mpz_class remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), dividend.get_mpz_t(),
                divisor.get_mpz_t());
    if (remainder != 0) {
        // Towards +inf is away from 0 for a positive number, towards 0 for a negative one.
        const bool awayFromZero =
            rounding == Rounding::HalfEven
                ? (2 * remainder > divisor ||
                   (2 * remainder == divisor && mpz_odd_p(quotient.get_mpz_t())))
                : (rounding == Rounding::Up) != decimal.negative;
        if (awayFromZero)
            ++quotient;
    }
    if (quotient == tenTo(static_cast<unsigned long>(digits))) {
        quotient = tenTo(static_cast<unsigned long>(digits - 1));
        ++exponent;
    }
    decimal.mantissa = quotient;
    decimal.exponent = exponent + value.power;
    return decimal;
}

// As Str writes numbers: the shorter of the plain and the exponent form, the plain one on a
// tie, trailing zeros dropped.
QString textOf(const Decimal& decimal)
{
    if (decimal.mantissa == 0)
        return QStringLiteral("0");
    std::string digits = decimal.mantissa.get_str();
    digits.erase(digits.find_last_not_of('0') + 1);
    const long e = decimal.exponent;
    std::string scientific = digits.substr(0, 1);
    if (digits.size() > 1)
        scientific += "." + digits.substr(1);
    const std::string exponentDigits = std::to_string(std::labs(e));
    scientific +=
        std::string(e < 0 ? "e-" : "e+") + (exponentDigits.size() < 2 ? "0" : "") + exponentDigits;
    std::string text = scientific;
    if (std::labs(e) < 40) {
        std::string plain;
        if (e < 0)
            plain = "0." + std::string(size_t(-e - 1), '0') + digits;
        else if (long(digits.size()) <= e + 1)
            plain = digits + std::string(size_t(e + 1 - long(digits.size())), '0');
        else
            plain = digits.substr(0, size_t(e + 1)) + "." + digits.substr(size_t(e + 1));
        if (plain.size() <= scientific.size())
            text = plain;
    }
    return QString::fromStdString((decimal.negative ? "-" : "") + text);
}

// Where a number lies: between low and high, or exactly at low where `point`.
struct Enclosure
{
    Scaled low;
    Scaled high;
    bool point = false;
};

bool settled(const Enclosure& e, int digits, bool toTheDouble)
{
    if (e.point)
        return true;
    if (!(rounded(e.low, digits) == rounded(e.high, digits)))
        return false;
    return !toTheDouble || nearestDouble(e.low) == nearestDouble(e.high);
}

ShapeNumber described(const Enclosure& e, int digits)
{
    ShapeNumber number;
    number.nearest = nearestDouble(e.low);
    if (e.point) {
        for (int shortest = 1; shortest <= digits + kExtraExactDigits; ++shortest) {
            const Decimal decimal = rounded(e.low, shortest);
            if (compare(decimal.Value(), e.low) == 0) {
                number.text = textOf(decimal);
                number.exact = true;
                return number;
            }
        }
    }
    number.text = textOf(rounded(e.low, digits));
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
    number.text = textOf(rounded(e.low, 2, Rounding::Down));
    number.upTo = textOf(rounded(e.high, 2, Rounding::Up));
    number.nearest = nearestDouble(e.low);
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
        return {scaled(root.low, xPower), scaled(root.high, xPower), root.Exact()};
    }

    // P(u) as a value of p: P(u) / (V 10^t).
    Scaled yFrom(mpz_class numerator, const mpz_class& denominator) const
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
        const Decimal low = rounded(x.low, digits + kExtraExactDigits);
        if (!(low == rounded(x.high, digits + kExtraExactDigits)))
            return;
        const Scaled candidate = low.Value();
        const mpq_class u = rational({candidate.numerator, 1, candidate.power - xPower});
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
            const Scaled value = yFrom(y.get_num(), y.get_den());
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
        Scaled low = yFrom(centre - error, denominator);
        Scaled high = yFrom(centre + error, denominator);
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
        const Scaled zero{0, 1, 0};
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
                    const Scaled candidate = rounded(y->low, digits).Value();
                    // P(c) if p(c) is the candidate: candidate * V * 10^t.
                    const mpq_class level = rational(
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
