#pragma once
// The polynomial of one compute as a curve to draw, with the points and arguments that go with
// it. Exact wherever the points had exact values: the curve then lies within the tolerance the
// graph asks for of the polynomial through the numbers as typed, however badly the compute's
// own double arithmetic fared.

#include "framework/GraphFunction.h"
#include "framework/PlotNumber.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

struct ScaledPolynomial;

class PolynomialCurve
{
public:
    // Through the exactly read points.
    explicit PolynomialCurve(std::shared_ptr<const ScaledPolynomial> exact);
    // Without exact values: the compute's own Lagrange form through these points, in doubles.
    PolynomialCurve(std::vector<double> xs, std::vector<double> ys);

    bool IsExact() const { return bool(exact); }
    // The highest power with a non-zero coefficient; for doubles, the count less one.
    int Degree() const;
    // The double nearest to the exact value at x; or the double Lagrange form's value.
    double ValueAt(double x) const;
    // The value at the decimal x, exactly, rounded half to even to a multiple of 10^place, but
    // to no fewer than 3 and no more than 17 significant digits. Without exact values: the
    // double Lagrange form at the double nearest to x, rounded alike; none where it is not
    // finite.
    std::optional<DecimalNumber> ValueNear(const DecimalNumber& x, int place) const;
    // Fulfils the request: a form rebased on the middle of the xs, evaluated in doubles with an
    // error bound, and the exact value wherever the bound is not good enough.
    std::vector<double> Sample(const SampleRequest& request) const;

private:
    std::vector<double> sampled(const SampleRequest& request) const;

    std::shared_ptr<const ScaledPolynomial> exact;
    std::vector<double> xs;
    std::vector<double> ys;
};

// What the graph shows of one compute.
struct ComputedCurve
{
    PolynomialCurve polynomial;
    std::vector<std::array<double, 2>> points; // the support points in use, as read
    std::vector<double> arguments;             // 0 and each argument evaluated
};
