#pragma once
// Setting the calculation state of a main window directly, and comparing doubles to the bit,
// for the suites of the compute command.

#include "ui/HauptFenster.h"

#include <QList>
#include <QString>
#include <bit>
#include <cstdint>

namespace calc_test {

// The points in use, and zeros behind them, as the reading step leaves them.
inline void setPoints(HauptFenster& window, const QList<double>& xs, const QList<double>& ys)
{
    window.n = std::int32_t(xs.size());
    for (int k = 0; k <= 10; ++k) {
        window.xwert[k] = k < xs.size() ? xs[k] : 0.0;
        window.ywert[k] = k < ys.size() ? ys[k] : 0.0;
    }
}

// The value with its bits, so that equal texts mean equal doubles, sign of zero included.
inline QString describe(double x)
{
    return QStringLiteral("%1 (bits %2)")
        .arg(x, 0, 'g', 17)
        .arg(std::bit_cast<std::uint64_t>(x), 16, 16, QLatin1Char('0'));
}

} // namespace calc_test

#define CALC_COMPARE_BITS(actual, expected)                                                        \
    QCOMPARE(calc_test::describe(actual), calc_test::describe(expected))
