// The exact check beside the compute command: what each shown result would be for the numbers
// exactly as typed, handed to its field, which then paints only digits that are right.

#include "calc/ComputeRecord.h"
#include "calc/PointsInUse.h"
#include "framework/FittedNumberField.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QSignalBlocker>
#include <cmath>

namespace {

// The highest coefficient row that the compute left visible, as the hiding step finds it.
int highestVisible(const std::array<double, 10>& Koeff)
{
    int k = 9;
    while (k >= 1 && Koeff[k] == 0.0)
        --k;
    return k;
}

// The exact value as the reader is told it: the double nearest to it, or, beyond the doubles,
// its first 17 significant digits rounded half to even ("2e+308").
QString exactText(const ExactNumber& exact)
{
    if (std::isfinite(exact.nearest))
        return Str(exact.nearest);
    const ExactDecimal& decimal = exact.decimal;
    std::string digits = decimal.digits.substr(0, 17);
    int exponent = decimal.exponent;
    if (decimal.digits.size() > 17) {
        const std::string rest = decimal.digits.substr(17);
        const bool aboveHalf =
            rest[0] > '5' ||
            (rest[0] == '5' && (decimal.moreFollow || rest.find_first_not_of('0', 1) != rest.npos));
        const bool half = rest[0] == '5' && !aboveHalf;
        if (aboveHalf || (half && (digits.back() - '0') % 2 == 1)) {
            int i = int(digits.size()) - 1;
            while (i >= 0 && digits[size_t(i)] == '9')
                digits[size_t(i--)] = '0';
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++exponent;
            } else {
                ++digits[size_t(i)];
            }
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    QString text = QString::fromStdString(digits.substr(0, 1));
    if (digits.size() > 1)
        text += u'.' + QString::fromStdString(digits.substr(1));
    return (decimal.negative ? QStringLiteral("-") : QString()) + text +
           QStringLiteral("e+%1").arg(exponent);
}

// `snapped`: the value went through the zero test, so a 0 against an exact value below 1e-8 is
// the program's rule, not an error. The reader takes 1e-8 for the decimal: an exact value of
// 1e-8 or more shown as 0 is marked, though the double it came from was below the double 1e-8.
// A result that is not finite where the exact value is a number is wrong as a whole.
std::optional<ResultReference> referenceFor(double value, const std::optional<ExactNumber>& exact,
                                            bool snapped)
{
    if (!exact)
        return std::nullopt;
    ResultReference reference;
    reference.digits.exact = exact->decimal;
    reference.exactText = exactText(*exact);
    if (std::isnan(value)) {
        reference.markedFor = QStringLiteral(
            "Ungenau: Die Gleitkommarechnung ergab keine Zahl (nan); der exakte Wert ist eine.");
    } else if (std::isinf(value)) {
        reference.markedFor =
            std::isinf(exact->nearest)
                ? QStringLiteral("Ungenau: Die Gleitkommarechnung lief über (%1); der exakte Wert "
                                 "ist endlich, liegt aber jenseits der größten Gleitkommazahl.")
                      .arg(Str(value))
                : QStringLiteral("Ungenau: Die Gleitkommarechnung lief über (%1); der exakte Wert "
                                 "ist endlich.")
                      .arg(Str(value));
    } else if (snapped && value == 0.0 && !exact->decimal.digits.empty()) {
        if (exact->belowZeroTolerance) {
            reference.digits.zeroIsRight = true;
            reference.notes << QStringLiteral(
                "Als 0 angezeigt, weil der Betrag berechnet und exakt unter 1e-8 liegt.");
        } else {
            reference.markedFor = QStringLiteral(
                "Ungenau: Als 0 angezeigt, weil der berechnete Betrag unter 1e-8 liegt; der "
                "exakte Betrag ist 1e-8 oder mehr.");
        }
    }
    return reference;
}

// The curve of this compute, with the points and arguments as the compute read them: the next
// compute, refused or not, reads them anew.
ComputedCurve curveOf(const HauptFenster& window, const ExactInput& input,
                      std::shared_ptr<const ScaledPolynomial> exact)
{
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<std::array<double, 2>> points;
    for (int k = 0; k < input.pointsInUse; ++k) {
        xs.push_back(window.xwert[size_t(k)]);
        ys.push_back(window.ywert[size_t(k)]);
        points.push_back({xs.back(), ys.back()});
    }
    std::vector<double> arguments;
    for (size_t i = 0; i < 10; ++i) {
        // Row 0 is evaluated at 0, whatever its field holds.
        if (input.evaluated[i])
            arguments.push_back(i == 0 ? 0.0 : window.Argx[i]);
    }
    PolynomialCurve polynomial =
        exact ? PolynomialCurve(std::move(exact)) : PolynomialCurve(std::move(xs), std::move(ys));
    return ComputedCurve{std::move(polynomial), std::move(points), std::move(arguments)};
}

} // namespace

void HauptFenster::CheckDigits()
{
    const std::int32_t count = pointsInUse(n);
    ExactInput input;
    input.pointsInUse = std::min(count, std::int32_t{10});
    for (int k = 0; k < 10; ++k) {
        input.abscissae[k] = Text(kSupportRows[k].abscissa);
        input.ordinates[k] = Text(kSupportRows[k].ordinate);
        input.arguments[k] = Text(kArgumentRows[k].argument);
        input.evaluated[k] = k == 0 || Argx[k] != 0.0;
    }
    input.highestVisible = highestVisible(Koeff);
    ExactResults exact = ComputeExact(input);
    std::array<RecordedResult, 10> values;
    std::array<RecordedResult, 10> coefficients;

    for (int i = 0; i < 10; ++i) {
        auto& field = dynamic_cast<FittedNumberField&>(Control(kArgumentRows[i].value));
        // Each field is explained once, below, with everything it is told.
        const QSignalBlocker quiet(field);
        field.SetReference(input.evaluated[i] ? referenceFor(Argy[i], exact.values[i], i < count)
                                              : std::nullopt);
        field.SetStale(false);
        values[size_t(i)] = {Argy[i], field.Reference(), field.IsMarked()};
    }

    const int top = input.highestVisible;
    for (int k = 0; k < 10; ++k) {
        auto& field = dynamic_cast<FittedNumberField&>(Control(kCoefficientRows[k].field));
        const QSignalBlocker quiet(field);
        std::optional<ResultReference> reference =
            referenceFor(Koeff[k], exact.coefficients[k], true);
        // The highest visible coefficient speaks for the hidden powers above it.
        if (k == top && reference) {
            for (int hidden = top + 1; hidden < 10; ++hidden) {
                const std::optional<ExactNumber>& coefficient = exact.coefficients[hidden];
                if (coefficient && !coefficient->decimal.digits.empty())
                    reference->notes << QStringLiteral("x^%1 ausgeblendet, Exakt: %2")
                                            .arg(hidden)
                                            .arg(Str(coefficient->nearest));
            }
            if (exact.hiddenChange && exact.hiddenChangeMatters)
                reference->markedFor =
                    QStringLiteral("Ungenau: Die ausgeblendeten Potenzen ändern das Polynom an "
                                   "einer Stützstelle um bis zu %1.")
                        .arg(Str(std::fabs(exact.hiddenChange->nearest)));
        }
        field.SetReference(std::move(reference));
        field.SetStale(false);
        coefficients[size_t(k)] = {Koeff[k], field.Reference(), field.IsMarked()};
    }
    resultsShown = true;
    resultsStale = false;
    ComputedCurve curve = curveOf(*this, input, exact.polynomial);
    lastCompute = std::make_shared<const ComputeRecord>(
        ComputeRecord{std::move(input), xwert, ywert, Argx, std::move(values),
                      std::move(coefficients), std::move(exact), std::move(curve)});
    ExplainResults();
    emit ResultsChanged();
}
