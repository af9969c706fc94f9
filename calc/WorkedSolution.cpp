// The worked solution in GMP rationals, each reduced to lowest terms as it is formed. The points
// come from the record's exact polynomial (read once, by the exact check), the arguments are read
// as that check reads them, and the normal form is the one it built: what is worked out here
// beside them is Lagrange's denominators, Newton's scheme and the values as fractions.

#include "calc/WorkedSolution.h"

#include "calc/ComputeRecord.h"
#include "calc/ExactDescription.h"
#include "calc/ExactInterpolation.h"
#include "calc/ExactReading.h"
#include "framework/NumberText.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstdlib>

namespace {

ExactFraction written(const mpq_class& value)
{
    ExactFraction fraction;
    fraction.negative = sgn(value) < 0;
    fraction.numerator = QString::fromStdString(mpz_class(abs(value.get_num())).get_str());
    fraction.denominator = QString::fromStdString(value.get_den().get_str());
    return fraction;
}

// numerator * 10^power / denominator, in lowest terms.
mpq_class fraction(const mpz_class& numerator, const mpz_class& denominator, long power)
{
    const mpz_class scale = PowerOfTen(static_cast<unsigned long>(std::abs(power)));
    mpq_class value = power >= 0 ? mpq_class(numerator * scale, denominator)
                                 : mpq_class(numerator, denominator * scale);
    value.canonicalize();
    return value;
}

// integer / 10^scale, in lowest terms.
mpq_class overPowerOfTen(const mpz_class& integer, long scale)
{
    return fraction(integer, 1, -scale);
}

std::optional<mpq_class> readExactly(const QString& text)
{
    const std::optional<ScaledDecimal> read = ReadExact(text);
    if (!read)
        return std::nullopt;
    return overPowerOfTen(read->mantissa, -read->exponent);
}

// What the form says of a text it read only in part.
QString readAs(const QString& text)
{
    return ReadsEntirely(text) ? QString() : QStringLiteral("Gelesen als ") + Str(Val(text));
}

ReadNumber readNumber(const QString& typed, const std::optional<mpq_class>& exact)
{
    return {typed, exact ? std::optional(written(*exact)) : std::nullopt, readAs(typed)};
}

std::vector<LagrangeBasis> lagrangeBasis(const std::vector<mpq_class>& xs,
                                         const std::vector<mpq_class>& ys)
{
    std::vector<LagrangeBasis> basis;
    for (size_t i = 0; i < xs.size(); ++i) {
        LagrangeBasis polynomial;
        mpq_class denominator = 1;
        for (size_t j = 0; j < xs.size(); ++j) {
            if (j == i)
                continue;
            const mpq_class difference = xs[i] - xs[j];
            denominator *= difference;
            polynomial.others.push_back(int(j));
            polynomial.differences.push_back(written(difference));
        }
        polynomial.denominator = written(denominator);
        polynomial.weight = written(mpq_class(ys[i] / denominator));
        basis.push_back(std::move(polynomial));
    }
    return basis;
}

// Row by row, as one works it by hand: each new point's differences against those above it.
std::vector<std::vector<ExactFraction>> newtonScheme(const std::vector<mpq_class>& xs,
                                                     const std::vector<mpq_class>& ys)
{
    std::vector<std::vector<ExactFraction>> scheme;
    std::vector<mpq_class> previous;
    for (size_t i = 0; i < xs.size(); ++i) {
        std::vector<mpq_class> row{ys[i]};
        for (size_t k = 1; k <= i; ++k)
            row.push_back((row[k - 1] - previous[k - 1]) / (xs[i] - xs[i - k]));
        std::vector<ExactFraction> writtenRow;
        for (const mpq_class& entry : row)
            writtenRow.push_back(written(entry));
        scheme.push_back(std::move(writtenRow));
        previous = std::move(row);
    }
    return scheme;
}

mpq_class valueAt(const std::vector<mpq_class>& coefficients, const mpq_class& x)
{
    mpq_class sum = 0;
    for (size_t k = coefficients.size(); k-- > 0;)
        sum = sum * x + coefficients[k];
    return sum;
}

WorkedResult resultOf(const RecordedResult& recorded, const std::optional<ExactNumber>& exactNumber,
                      const std::optional<mpq_class>& exact)
{
    WorkedResult result;
    if (exact && exactNumber) {
        result.exact = written(*exact);
        result.decimal = exactNumber->decimal;
    }
    result.shown = Str(recorded.computed);
    result.marked = recorded.marked;
    return result;
}

} // namespace

WorkedSolution WorkOut(const ComputeRecord& record)
{
    WorkedSolution solution;
    const ExactInput& input = record.input;
    const ScaledPolynomial* polynomial = record.exact.polynomial.get();
    solution.exact = polynomial != nullptr;
    const int count = std::clamp(int(input.pointsInUse), 0, 10);

    std::vector<mpq_class> xs;
    std::vector<mpq_class> ys;
    for (int i = 0; i < count; ++i) {
        std::optional<mpq_class> x;
        std::optional<mpq_class> y;
        if (polynomial) {
            x = overPowerOfTen(polynomial->abscissae[size_t(i)], polynomial->abscissaScale);
            y = overPowerOfTen(polynomial->ordinates[size_t(i)], polynomial->ordinateScale);
            xs.push_back(*x);
            ys.push_back(*y);
        } else {
            // Without a polynomial some point has no exact value; the others are shown as read.
            x = readExactly(input.abscissae[size_t(i)]);
            y = readExactly(input.ordinates[size_t(i)]);
        }
        solution.xs.push_back(readNumber(input.abscissae[size_t(i)], x));
        solution.ys.push_back(readNumber(input.ordinates[size_t(i)], y));
    }

    std::vector<mpq_class> coefficients;
    if (polynomial) {
        solution.lagrange = lagrangeBasis(xs, ys);
        solution.scheme = newtonScheme(xs, ys);
        for (int k = 0; k < 10; ++k) {
            const mpq_class coefficient =
                fraction(polynomial->numerators[size_t(k)], polynomial->denominator,
                         polynomial->abscissaScale * k - polynomial->ordinateScale);
            coefficients.push_back(coefficient);
            if (coefficient != 0)
                solution.exactDegree = k;
        }
    }

    const int shownPowers = std::max(count - 1, input.highestVisible) + 1;
    for (int k = 0; k < shownPowers; ++k) {
        WorkedCoefficient coefficient;
        static_cast<WorkedResult&>(coefficient) =
            resultOf(record.coefficients[size_t(k)], record.exact.coefficients[size_t(k)],
                     polynomial ? std::optional(coefficients[size_t(k)]) : std::nullopt);
        coefficient.hidden = record.Hidden(k);
        solution.coefficients.push_back(std::move(coefficient));
    }

    for (int row = 0; row < 10; ++row) {
        if (!record.Evaluated(row))
            continue;
        WorkedValue value;
        const QString typed = row == 0 ? QStringLiteral("0") : input.arguments[size_t(row)];
        const std::optional<mpq_class> argument =
            row == 0 ? std::optional(mpq_class(0)) : readExactly(typed);
        std::optional<mpq_class> exact;
        if (polynomial && argument)
            exact = valueAt(coefficients, *argument);
        static_cast<WorkedResult&>(value) =
            resultOf(record.values[size_t(row)], record.exact.values[size_t(row)], exact);
        value.row = row;
        value.argument = readNumber(typed, argument);
        solution.values.push_back(std::move(value));
    }
    return solution;
}

bool WorkOutIsQuick(const ComputeRecord& record)
{
    // Lowest terms cost gcds of numbers as long as all the points' digits together.
    constexpr size_t kQuickDigits = 2000;
    const ScaledPolynomial* polynomial = record.exact.polynomial.get();
    if (!polynomial)
        return true;
    size_t digits = 0;
    for (const auto* integers : {&polynomial->abscissae, &polynomial->ordinates}) {
        for (const mpz_class& integer : *integers)
            digits += mpz_sizeinbase(integer.get_mpz_t(), 10);
    }
    return digits <= kQuickDigits;
}
