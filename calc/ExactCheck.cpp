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

// `snapped`: the value went through the zero test, so a 0 against an exact value below 1e-8 is
// the program's rule, not an error. The reader takes 1e-8 for the decimal: an exact value of
// 1e-8 or more shown as 0 is marked, though the double it came from was below the double 1e-8.
std::optional<ResultReference> referenceFor(double value, const std::optional<ExactNumber>& exact,
                                            bool snapped)
{
    if (!exact || !std::isfinite(value))
        return std::nullopt;
    ResultReference reference;
    reference.digits.exact = exact->decimal;
    reference.exactText = Str(exact->nearest);
    if (snapped && value == 0.0 && !exact->decimal.digits.empty()) {
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
