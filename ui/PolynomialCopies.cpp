// The polynomial as one line of text and as a spreadsheet formula, from its exact coefficients.

#include "calc/ComputeRecord.h"
#include "framework/NumberText.h"
#include "ui/ResultCopies.h"

#include <QList>
#include <cmath>
#include <functional>

namespace {

// The exact coefficients of x^0..x^9, each as the double nearest to it; none where one has no
// exact value or is beyond the doubles.
std::optional<QList<QString>> exactCoefficients(const ComputeRecord& record)
{
    QList<QString> coefficients;
    for (const RecordedResult& coefficient : record.coefficients) {
        if (!coefficient.reference || !std::isfinite(Val(coefficient.reference->exactText)))
            return std::nullopt;
        coefficients << coefficient.reference->exactText;
    }
    return coefficients;
}

// The sum of the non-zero terms, each written by `term` from its coefficient without its sign;
// "0" where there is none. The first term carries its minus as a sign, the others as " - ".
QString sumOfTerms(const QList<QString>& coefficients, const QString& plus, const QString& minus,
                   const std::function<QString(QString, int, bool)>& term)
{
    QString sum;
    for (int k = 0; k < coefficients.size(); ++k) {
        const QString& coefficient = coefficients[k];
        if (Val(coefficient) == 0.0)
            continue;
        const bool negative = coefficient.startsWith(u'-');
        const QString magnitude = negative ? coefficient.mid(1) : coefficient;
        if (sum.isEmpty())
            sum = term(magnitude, k, negative);
        else
            sum += (negative ? minus : plus) + term(magnitude, k, false);
    }
    return sum.isEmpty() ? QStringLiteral("0") : sum;
}

} // namespace

// "2.5*x", "x^2", "-3e-09*x^3": `*` and `^` as formulas and calculators write them.
std::optional<QString> PolynomialLine(const ComputeRecord& record)
{
    const auto coefficients = exactCoefficients(record);
    if (!coefficients)
        return std::nullopt;
    const auto term = [](const QString& magnitude, int power, bool negative) {
        const QString sign = negative ? QStringLiteral("-") : QString();
        if (power == 0)
            return sign + magnitude;
        const QString x = power == 1 ? QStringLiteral("x") : QStringLiteral("x^%1").arg(power);
        return magnitude == QLatin1String("1") ? sign + x : sign + magnitude + u'*' + x;
    };
    return QStringLiteral("p(x) = ") +
           sumOfTerms(*coefficients, QStringLiteral(" + "), QStringLiteral(" - "), term);
}

// "=-4900+2,5*A1-A1^2": the locale's decimal sign, as spreadsheets read numbers in formulas.
// A leading minus is written as a factor, "-1*A1^2": spreadsheets give the sign before "^", so
// "-A1^2" would be the square of -A1.
std::optional<QString> PolynomialFormula(const ComputeRecord& record, const QLocale& locale)
{
    const auto coefficients = exactCoefficients(record);
    if (!coefficients)
        return std::nullopt;
    const QString decimal = locale.decimalPoint();
    const auto term = [&](QString magnitude, int power, bool negative) {
        magnitude.replace(u'.', decimal);
        const QString sign = negative ? QStringLiteral("-") : QString();
        if (power == 0)
            return sign + magnitude;
        const QString x = power == 1 ? QStringLiteral("A1") : QStringLiteral("A1^%1").arg(power);
        return magnitude == QLatin1String("1") && !negative ? x : sign + magnitude + u'*' + x;
    };
    return u'=' + sumOfTerms(*coefficients, QStringLiteral("+"), QStringLiteral("-"), term);
}
