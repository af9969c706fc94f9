// The worked solution as plain text.

#include "app/WorkedCopies.h"
#include "app/WorkedFormula.h"
#include "app/WorkedWords.h"

#include <QStringList>

namespace {

using namespace worked;

// A number inside a difference or a product: in parentheses where it is negative.
QString operand(const ExactFraction& fraction)
{
    return fraction.negative ? u'(' + FractionText(fraction) + u')' : FractionText(fraction);
}

class TextNotation final : public FormulaNotation
{
public:
    QString text;

    void Sign(bool minus, bool first) override
    {
        text += first ? QStringLiteral("-") : minus ? QStringLiteral(" - ") : QStringLiteral(" + ");
    }
    void Magnitude(const ExactFraction& magnitude) override { text += FractionText(magnitude); }
    void Times(bool) override { text += u'*'; }
    void Write(const Factor& factor) override
    {
        switch (factor.kind) {
        case Factor::Kind::Power:
            text +=
                factor.power == 1 ? QStringLiteral("x") : QStringLiteral("x^%1").arg(factor.power);
            break;
        case Factor::Kind::Shift:
            if (factor.shift.IsZero())
                text += u'x';
            else
                text += QStringLiteral("(x %1 %2)")
                            .arg(factor.shift.negative ? QStringLiteral("+") : QStringLiteral("-"))
                            .arg(FractionText(Unsigned(factor.shift)));
            break;
        case Factor::Kind::Basis:
            text += QStringLiteral("L_%1(x)").arg(factor.index);
            break;
        }
    }
    void Zero() override { text += u'0'; }
};

QString sum(const Sum& terms)
{
    TextNotation notation;
    WriteSum(terms, notation);
    return notation.text;
}

QString product(const std::vector<Factor>& factors)
{
    TextNotation notation;
    WriteProduct(factors, notation);
    return notation.text;
}

QString plain(QString text)
{
    return text.replace(QStringLiteral("…"), QStringLiteral("..."));
}

// "3/2 (eingegeben: 1,5 kg; Gelesen als 1.5)": the typed text where it is not the fraction.
QString asRead(const ReadNumber& number)
{
    if (!number.exact)
        return number.typed.trimmed() + QStringLiteral(" (") + kNoExactValue + u')';
    QString text = FractionText(*number.exact);
    QStringList notes;
    if (!TypedAsFraction(number))
        notes << QStringLiteral("eingegeben: ") + number.typed;
    if (!number.readAs.isEmpty())
        notes << number.readAs;
    if (!notes.isEmpty())
        text += QStringLiteral(" (") + notes.join(QStringLiteral("; ")) + u')';
    return text;
}

QString schemeHeader(int order)
{
    switch (order) {
    case 0:
        return QStringLiteral("f[x_i]");
    case 1:
        return QStringLiteral("f[x_(i-1), x_i]");
    case 2:
        return QStringLiteral("f[x_(i-2), x_(i-1), x_i]");
    default:
        return QStringLiteral("f[x_(i-%1), ..., x_i]").arg(order);
    }
}

QString judged(const WorkedResult& result, const QStringList& beside = {})
{
    QStringList notes;
    if (result.marked)
        notes << QString::fromUtf8(kMarked);
    notes << beside;
    return notes.join(QStringLiteral(", "));
}

void points(const WorkedSolution& solution, QStringList& lines)
{
    lines << QString::fromUtf8(kPoints);
    for (size_t i = 0; i < solution.xs.size(); ++i)
        lines << QStringLiteral("x_%1 = %2, y_%1 = %3")
                     .arg(i)
                     .arg(asRead(solution.xs[i]), asRead(solution.ys[i]));
    if (solution.xs.empty())
        lines << QString::fromUtf8(kNoPoints);
}

void lagrange(const WorkedSolution& solution, QStringList& lines)
{
    lines << QString() << QString::fromUtf8(kLagrange);
    for (size_t i = 0; i < solution.lagrange.size(); ++i) {
        const LagrangeBasis& basis = solution.lagrange[i];
        QString line = QStringLiteral("L_%1(x) = ").arg(i);
        if (basis.others.empty()) {
            lines << line + u'1';
            continue;
        }
        QStringList differences;
        for (size_t j = 0; j < basis.others.size(); ++j)
            differences << QStringLiteral("(%1 - %2)")
                               .arg(operand(*solution.xs[i].exact),
                                    operand(*solution.xs[size_t(basis.others[j])].exact));
        const QString numerator = product(BasisNumerator(solution, int(i)));
        const ExactFraction& d = basis.denominator;
        line += numerator + QStringLiteral(" / (") + differences.join(u'*') +
                QStringLiteral(") = ") + numerator + QStringLiteral(" / ") +
                (d.negative || !d.IsWhole() ? u'(' + FractionText(d) + u')' : FractionText(d));
        lines << line;
    }
    lines << QStringLiteral("p(x) = ") + sum(LagrangeSum(solution))
          << QStringLiteral("     = ") + sum(LagrangeProducts(solution));
}

void newton(const WorkedSolution& solution, QStringList& lines)
{
    lines << QString() << QString::fromUtf8(kNewton);
    QStringList header{QStringLiteral("i"), QStringLiteral("x_i")};
    for (size_t k = 0; k < solution.scheme.size(); ++k)
        header << schemeHeader(int(k));
    lines << header.join(u'\t');
    for (size_t i = 0; i < solution.scheme.size(); ++i) {
        QStringList cells{QString::number(i), FractionText(*solution.xs[i].exact)};
        for (size_t k = 0; k <= i; ++k) {
            const QString entry = FractionText(solution.scheme[i][k]);
            cells << (k == i ? QStringLiteral("c_%1 = %2").arg(k).arg(entry) : entry);
        }
        lines << cells.join(u'\t');
    }
    lines << QString::fromUtf8(kDiagonal) << QStringLiteral("p(x) = ") + sum(NewtonForm(solution));
}

void normalForm(const WorkedSolution& solution, QStringList& lines)
{
    lines << QString() << QString::fromUtf8(kNormalForm);
    if (solution.exact)
        lines << QStringLiteral("p(x) = ") + sum(NormalForm(solution));
    lines << QStringList{QStringLiteral("Potenz"), QString::fromUtf8(kExact),
                         QString::fromUtf8(kDecimal), QString::fromUtf8(kInForm),
                         QStringLiteral("Hinweis")}
                 .join(u'\t');
    for (size_t k = 0; k < solution.coefficients.size(); ++k) {
        const WorkedCoefficient& c = solution.coefficients[k];
        lines << QStringList{QStringLiteral("x^%1").arg(k),
                             c.exact ? FractionText(*c.exact) : QString::fromUtf8(kNoExactValue),
                             c.exact ? plain(DecimalText(c.decimal)) : QString(), c.shown,
                             judged(c, c.hidden ? QStringList{QString::fromUtf8(kHidden)}
                                                : QStringList{})}
                     .join(u'\t');
    }
    if (solution.exact)
        lines << (solution.exactDegree < 0 ? QStringLiteral("Grad: keiner, p ist das Nullpolynom")
                                           : QStringLiteral("Grad: %1").arg(solution.exactDegree));
}

void values(const WorkedSolution& solution, QStringList& lines)
{
    lines << QString() << QString::fromUtf8(kValues);
    for (const WorkedValue& value : solution.values) {
        const QString argument = value.argument.exact ? FractionText(*value.argument.exact)
                                                      : value.argument.typed.trimmed();
        QString line = QStringLiteral("p(%1) = ").arg(argument);
        if (value.exact) {
            line += FractionText(*value.exact);
            if (!value.exact->IsWhole())
                line += QStringLiteral(" = ") + plain(DecimalText(value.decimal));
        } else {
            line += QString::fromUtf8(kNoExactValue);
        }
        line += QStringLiteral("; %1: %2").arg(QString::fromUtf8(kInForm), value.shown);
        const QString notes = judged(value);
        if (!notes.isEmpty())
            line += QStringLiteral(" (%1)").arg(notes);
        if (value.argument.typed.trimmed() != argument || !value.argument.readAs.isEmpty())
            line += QStringLiteral("; Argument ") + asRead(value.argument);
        lines << line;
    }
}

} // namespace

QString WorkedSolutionText(const WorkedSolution& solution)
{
    QStringList lines{QString::fromUtf8(kTitle), QString()};
    points(solution, lines);
    if (!solution.exact && !solution.xs.empty())
        lines << QString() << QString::fromUtf8(kNotExact);
    if (solution.exact && !solution.xs.empty()) {
        lagrange(solution, lines);
        newton(solution, lines);
    }
    normalForm(solution, lines);
    values(solution, lines);
    return lines.join(u'\n') + u'\n';
}
