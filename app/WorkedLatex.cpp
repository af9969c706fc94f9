// The worked solution as LaTeX: sections for a solution sheet, formulas in align*, Newton's
// scheme as an array with its diagonal boxed. Whatever was typed goes in as escaped text, so
// that no field can smuggle a command into the sheet.

#include "app/WorkedCopies.h"
#include "app/WorkedFormula.h"
#include "app/WorkedWords.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

using namespace worked;

QString escaped(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\textbackslash{}");
            break;
        case u'^':
            out += QStringLiteral("\\textasciicircum{}");
            break;
        case u'~':
            out += QStringLiteral("\\textasciitilde{}");
            break;
        case u'{':
        case u'}':
        case u'$':
        case u'&':
        case u'#':
        case u'%':
        case u'_':
            out += u'\\';
            out += c;
            break;
        default:
            // Control characters have no place on a sheet.
            out += c.isPrint() ? c : QChar(u' ');
        }
    }
    return out;
}

QString words(const char* text)
{
    return QStringLiteral("\\text{%1}").arg(escaped(QString::fromUtf8(text)));
}

QString fraction(const ExactFraction& value)
{
    const QString magnitude =
        value.IsWhole() ? value.numerator
                        : QStringLiteral("\\frac{%1}{%2}").arg(value.numerator, value.denominator);
    return value.negative ? u'-' + magnitude : magnitude;
}

QString operand(const ExactFraction& value)
{
    return value.negative ? QStringLiteral("\\left(%1\\right)").arg(fraction(value))
                          : fraction(value);
}

// "0.33333\ldots", "1.5\ldots \cdot 10^{300}".
QString decimal(const ExactDecimal& value)
{
    QString text = DecimalText(value).replace(QStringLiteral("…"), QStringLiteral("\\ldots "));
    static const QRegularExpression exponent(QStringLiteral("e([+-])0*(\\d+)$"));
    const QRegularExpressionMatch match = exponent.match(text);
    if (match.hasMatch())
        text = text.left(match.capturedStart()) +
               QStringLiteral("\\cdot 10^{%1%2}")
                   .arg(match.captured(1) == u'-' ? QStringLiteral("-") : QString(),
                        match.captured(2));
    return text;
}

// The text of a field, as it stands.
QString fieldText(const QString& text)
{
    return QStringLiteral("\\texttt{%1}").arg(escaped(text));
}

class LatexNotation final : public FormulaNotation
{
public:
    QString text;

    void Sign(bool minus, bool first) override
    {
        text += first ? QStringLiteral("-") : minus ? QStringLiteral(" - ") : QStringLiteral(" + ");
    }
    void Magnitude(const ExactFraction& magnitude) override { text += fraction(magnitude); }
    void Times(bool) override {}
    void Write(const Factor& factor) override
    {
        switch (factor.kind) {
        case Factor::Kind::Power:
            text += factor.power == 1 ? QStringLiteral("x")
                                      : QStringLiteral("x^{%1}").arg(factor.power);
            break;
        case Factor::Kind::Shift:
            if (factor.shift.IsZero())
                text += u'x';
            else
                text += QStringLiteral("(x %1 %2)")
                            .arg(factor.shift.negative ? QStringLiteral("+") : QStringLiteral("-"))
                            .arg(fraction(Unsigned(factor.shift)));
            break;
        case Factor::Kind::Basis:
            text += QStringLiteral("L_{%1}(x)").arg(factor.index);
            break;
        }
    }
    void Zero() override { text += u'0'; }
};

QString sum(const Sum& terms)
{
    LatexNotation notation;
    WriteSum(terms, notation);
    return notation.text;
}

QString product(const std::vector<Factor>& factors)
{
    LatexNotation notation;
    WriteProduct(factors, notation);
    return notation.text;
}

QString asRead(const ReadNumber& number)
{
    if (!number.exact)
        return fieldText(number.typed.trimmed()) + QStringLiteral("\\ ") + words(kNoExactValue);
    QString text = fraction(*number.exact);
    QStringList notes;
    if (!TypedAsFraction(number))
        notes << QStringLiteral("eingegeben: ") + number.typed;
    if (!number.readAs.isEmpty())
        notes << number.readAs;
    if (!notes.isEmpty())
        text += QStringLiteral("\\quad\\text{(%1)}").arg(escaped(notes.join(QStringLiteral("; "))));
    return text;
}

QString schemeHeader(int order)
{
    switch (order) {
    case 0:
        return QStringLiteral("f[x_{i}]");
    case 1:
        return QStringLiteral("f[x_{i-1}, x_{i}]");
    case 2:
        return QStringLiteral("f[x_{i-2}, x_{i-1}, x_{i}]");
    default:
        return QStringLiteral("f[x_{i-%1}, \\ldots, x_{i}]").arg(order);
    }
}

QString section(const char* title)
{
    return QStringLiteral("\\subsection*{%1}").arg(escaped(QString::fromUtf8(title)));
}

QString judged(const WorkedResult& result, bool hidden = false)
{
    QStringList notes;
    if (result.marked)
        notes << QString::fromUtf8(kMarked);
    if (hidden)
        notes << QString::fromUtf8(kHidden);
    return notes.isEmpty() ? QString()
                           : QStringLiteral("\\text{%1}").arg(notes.join(QStringLiteral(", ")));
}

void points(const WorkedSolution& solution, QStringList& lines)
{
    lines << section(kPoints);
    if (solution.xs.empty()) {
        lines << escaped(QString::fromUtf8(kNoPoints));
        return;
    }
    lines << QStringLiteral("\\begin{align*}");
    for (size_t i = 0; i < solution.xs.size(); ++i)
        lines << QStringLiteral("x_{%1} &= %2, & y_{%1} &= %3%4")
                     .arg(i)
                     .arg(asRead(solution.xs[i]), asRead(solution.ys[i]),
                          i + 1 < solution.xs.size() ? QStringLiteral("\\\\") : QString());
    lines << QStringLiteral("\\end{align*}");
}

void lagrange(const WorkedSolution& solution, QStringList& lines)
{
    lines << section(kLagrange) << QStringLiteral("\\begin{align*}");
    for (size_t i = 0; i < solution.lagrange.size(); ++i) {
        const LagrangeBasis& basis = solution.lagrange[i];
        QString line = QStringLiteral("L_{%1}(x) &= ").arg(i);
        if (basis.others.empty()) {
            lines << line + QStringLiteral("1\\\\");
            continue;
        }
        QString differences;
        for (int j : basis.others)
            differences +=
                QStringLiteral("(%1 - %2)")
                    .arg(operand(*solution.xs[i].exact), operand(*solution.xs[size_t(j)].exact));
        const QString numerator = product(BasisNumerator(solution, int(i)));
        lines << line + QStringLiteral("\\frac{%1}{%2} = \\frac{%1}{%3}\\\\")
                            .arg(numerator, differences, fraction(basis.denominator));
    }
    lines << QStringLiteral("p(x) &= %1\\\\").arg(sum(LagrangeSum(solution)))
          << QStringLiteral("&= %1").arg(sum(LagrangeProducts(solution)))
          << QStringLiteral("\\end{align*}");
}

void newton(const WorkedSolution& solution, QStringList& lines)
{
    const size_t count = solution.scheme.size();
    lines << section(kNewton) << QStringLiteral("\\[")
          << QStringLiteral("\\begin{array}{c|c|%1}").arg(QString(qsizetype(count), u'c'));
    QStringList header{QStringLiteral("i"), QStringLiteral("x_{i}")};
    for (size_t k = 0; k < count; ++k)
        header << schemeHeader(int(k));
    lines << header.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\ \\hline");
    for (size_t i = 0; i < count; ++i) {
        QStringList cells{QString::number(i), fraction(*solution.xs[i].exact)};
        for (size_t k = 0; k <= i; ++k) {
            const QString entry = fraction(solution.scheme[i][k]);
            cells << (k == i ? QStringLiteral("\\boxed{%1}").arg(entry) : entry);
        }
        lines << cells.join(QStringLiteral(" & ")) +
                     (i + 1 < count ? QStringLiteral(" \\\\") : QString());
    }
    lines << QStringLiteral("\\end{array}") << QStringLiteral("\\]")
          << QStringLiteral("Eingerahmt: die Diagonale des Schemas, die Koeffizienten $c_{k}$ der "
                            "Newton-Form.")
          << QStringLiteral("\\[ p(x) = %1 \\]").arg(sum(NewtonForm(solution)));
}

void normalForm(const WorkedSolution& solution, QStringList& lines)
{
    lines << section(kNormalForm);
    if (solution.exact)
        lines << QStringLiteral("\\[ p(x) = %1 \\]").arg(sum(NormalForm(solution)));
    lines << QStringLiteral("\\[") << QStringLiteral("\\begin{array}{c|l|l|l|l}")
          << QStringList{QStringLiteral("\\text{Potenz}"), words(kExact), words(kDecimal),
                         words(kInForm), QStringLiteral("\\text{Hinweis}")}
                     .join(QStringLiteral(" & ")) +
                 QStringLiteral(" \\\\ \\hline");
    for (size_t k = 0; k < solution.coefficients.size(); ++k) {
        const WorkedCoefficient& c = solution.coefficients[k];
        lines << QStringList{QStringLiteral("x^{%1}").arg(k),
                             c.exact ? fraction(*c.exact) : words(kNoExactValue),
                             c.exact ? decimal(c.decimal) : QString(), fieldText(c.shown),
                             judged(c, c.hidden)}
                         .join(QStringLiteral(" & ")) +
                     (k + 1 < solution.coefficients.size() ? QStringLiteral(" \\\\") : QString());
    }
    lines << QStringLiteral("\\end{array}") << QStringLiteral("\\]");
    if (solution.exact)
        lines << (solution.exactDegree < 0
                      ? QStringLiteral("Grad: keiner, $p$ ist das Nullpolynom.")
                      : QStringLiteral("Grad: $%1$.").arg(solution.exactDegree));
}

void values(const WorkedSolution& solution, QStringList& lines)
{
    lines << section(kValues) << QStringLiteral("\\begin{align*}");
    for (size_t v = 0; v < solution.values.size(); ++v) {
        const WorkedValue& value = solution.values[v];
        const QString argument = value.argument.exact ? fraction(*value.argument.exact)
                                                      : fieldText(value.argument.typed.trimmed());
        QString line = QStringLiteral("p\\left(%1\\right) &= ").arg(argument);
        if (value.exact) {
            line += fraction(*value.exact);
            if (!value.exact->IsWhole())
                line += QStringLiteral(" = ") + decimal(value.decimal);
        } else {
            line += words(kNoExactValue);
        }
        line += QStringLiteral(" && \\text{%1: }%2")
                    .arg(escaped(QString::fromUtf8(kInForm)), fieldText(value.shown));
        if (const QString notes = judged(value); !notes.isEmpty())
            line += QStringLiteral("\\ ") + notes;
        if (!value.argument.readAs.isEmpty())
            line += QStringLiteral("\\ \\text{(Argument %1)}").arg(escaped(value.argument.readAs));
        if (v + 1 < solution.values.size())
            line += QStringLiteral("\\\\");
        lines << line;
    }
    lines << QStringLiteral("\\end{align*}");
}

} // namespace

QString WorkedSolutionLatex(const WorkedSolution& solution)
{
    QStringList lines{QStringLiteral("% Rechenweg; braucht \\usepackage{amsmath}")};
    points(solution, lines);
    if (!solution.exact && !solution.xs.empty())
        lines << escaped(QString::fromUtf8(kNotExact));
    if (solution.exact && !solution.xs.empty()) {
        lagrange(solution, lines);
        newton(solution, lines);
    }
    normalForm(solution, lines);
    values(solution, lines);
    return lines.join(u'\n') + u'\n';
}
