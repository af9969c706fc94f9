#include "app/WorkedFormula.h"

namespace {

// Plain digits for exponents in this range, else the exponent form.
constexpr int kLowestPlainExponent = -5;
constexpr int kHighestPlainExponent = 14;
// ExactDecimal's digits where more follow: the zeros it dropped at their end were right too.
constexpr int kCutDigits = 20;

void append(Sum& sum, Term term)
{
    if (!term.coefficient.IsZero())
        sum.push_back(std::move(term));
}

Factor shiftBy(const ReadNumber& x)
{
    Factor factor;
    factor.kind = Factor::Kind::Shift;
    factor.shift = x.exact.value_or(ExactFraction{});
    return factor;
}

} // namespace

Sum NormalForm(const WorkedSolution& solution)
{
    Sum sum;
    for (size_t k = 0; k < solution.coefficients.size(); ++k) {
        const WorkedCoefficient& coefficient = solution.coefficients[k];
        if (!coefficient.exact)
            continue;
        Term term{*coefficient.exact, {}};
        if (k > 0)
            term.factors.push_back({Factor::Kind::Power, int(k), {}, 0});
        append(sum, std::move(term));
    }
    return sum;
}

Sum NewtonForm(const WorkedSolution& solution)
{
    Sum sum;
    for (size_t k = 0; k < solution.scheme.size(); ++k) {
        Term term{solution.NewtonCoefficient(int(k)), {}};
        for (size_t j = 0; j < k; ++j)
            term.factors.push_back(shiftBy(solution.xs[j]));
        append(sum, std::move(term));
    }
    return sum;
}

Sum LagrangeSum(const WorkedSolution& solution)
{
    Sum sum;
    for (size_t i = 0; i < solution.lagrange.size(); ++i) {
        Factor basis;
        basis.kind = Factor::Kind::Basis;
        basis.index = int(i);
        append(sum, Term{solution.ys[i].exact.value_or(ExactFraction{}), {basis}});
    }
    return sum;
}

Sum LagrangeProducts(const WorkedSolution& solution)
{
    Sum sum;
    for (size_t i = 0; i < solution.lagrange.size(); ++i)
        append(sum, Term{solution.lagrange[i].weight, BasisNumerator(solution, int(i))});
    return sum;
}

std::vector<Factor> BasisNumerator(const WorkedSolution& solution, int i)
{
    std::vector<Factor> factors;
    for (int j : solution.lagrange[size_t(i)].others)
        factors.push_back(shiftBy(solution.xs[size_t(j)]));
    return factors;
}

void WriteSum(const Sum& sum, FormulaNotation& notation)
{
    if (sum.empty()) {
        notation.Zero();
        return;
    }
    for (size_t t = 0; t < sum.size(); ++t) {
        const Term& term = sum[t];
        const bool first = t == 0;
        if (!first || term.coefficient.negative)
            notation.Sign(term.coefficient.negative, first);
        const ExactFraction magnitude = Unsigned(term.coefficient);
        // A coefficient of 1 goes unwritten before its factors.
        if (term.factors.empty() || !magnitude.IsOne()) {
            notation.Magnitude(magnitude);
            if (!term.factors.empty())
                notation.Times(true);
        }
        for (size_t f = 0; f < term.factors.size(); ++f) {
            if (f > 0)
                notation.Times(false);
            notation.Write(term.factors[f]);
        }
    }
}

void WriteProduct(const std::vector<Factor>& factors, FormulaNotation& notation)
{
    Term term;
    term.coefficient.numerator = QStringLiteral("1");
    term.factors = factors;
    WriteSum({term}, notation);
}

ExactFraction Negated(ExactFraction fraction)
{
    fraction.negative = !fraction.negative && !fraction.IsZero();
    return fraction;
}

ExactFraction Unsigned(ExactFraction fraction)
{
    fraction.negative = false;
    return fraction;
}

QString FractionText(const ExactFraction& fraction)
{
    QString text = fraction.negative ? QStringLiteral("-") : QString();
    text += fraction.numerator;
    if (!fraction.IsWhole())
        text += u'/' + fraction.denominator;
    return text;
}

bool TypedAsFraction(const ReadNumber& number)
{
    return number.exact && number.typed.trimmed() == FractionText(*number.exact);
}

QString DecimalText(const ExactDecimal& decimal)
{
    if (decimal.digits.empty())
        return QStringLiteral("0");
    QString digits = QString::fromStdString(decimal.digits);
    if (decimal.moreFollow && digits.size() < kCutDigits)
        digits = digits.leftJustified(kCutDigits, u'0');
    const int exponent = decimal.exponent;
    QString text;
    if (exponent < kLowestPlainExponent || exponent > kHighestPlainExponent) {
        text = digits.left(1);
        if (digits.size() > 1 || decimal.moreFollow)
            text += u'.' + digits.mid(1);
        if (decimal.moreFollow)
            text += u'…';
        text += QStringLiteral("e%1%2")
                    .arg(QChar(exponent < 0 ? u'-' : u'+'))
                    .arg(std::abs(exponent), 2, 10, QChar(u'0'));
    } else if (exponent < 0) {
        text = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
        if (decimal.moreFollow)
            text += u'…';
    } else {
        const int whole = exponent + 1;
        text = digits.left(whole).leftJustified(whole, u'0');
        if (digits.size() > whole)
            text += u'.' + digits.mid(whole);
        if (decimal.moreFollow)
            text += u'…';
    }
    return decimal.negative ? u'-' + text : text;
}
