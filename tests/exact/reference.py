#!/usr/bin/python3
"""The expected rows of tests/test_exact_shadow.cpp, worked out with Python's exact fractions.

Independent of the program: it solves the Vandermonde system by elimination for the
coefficients, evaluates the Lagrange form for the values, and lets Python round to the nearest
double (float() of a Fraction rounds correctly, ties to even, subnormals included).

    /usr/bin/python3 tests/exact/reference.py > rows.inc

and paste the output between the markers in tests/test_exact_shadow.cpp.
"""

import struct
import sys
from decimal import Decimal
from fractions import Fraction

# Exact results of extreme points run to tens of thousands of digits.
sys.set_int_max_str_digits(0)


class Text:
    """A typed text: how C++ writes it, and its exact value (None where none is read)."""

    def __init__(self, cpp, value):
        self.cpp, self.value = cpp, value


def typed(text):
    if isinstance(text, Text):
        return text
    return Text('"%s"' % text, Fraction(text.strip().replace(",", ".")))


def reads(text, value):
    """A text of which Val reads only a part."""
    return Text('"%s"' % text, Fraction(value))


def unreadable(text):
    return Text('"%s"' % text, None)


def long_literal(text):
    pieces = [text[i : i + 80] for i in range(0, len(text), 80)]
    return Text("QStringLiteral(" + " ".join('"%s"' % p for p in pieces) + ")", Fraction(text))


def exact_decimal(value):
    """The exact decimal text of a double."""
    return format(Decimal(value), "e")


def coefficients(xs, ys):
    n = len(xs)
    rows = [[x**k for k in range(n)] + [y] for x, y in zip(xs, ys)]
    for col in range(n):
        pivot = next(r for r in range(col, n) if rows[r][col] != 0)
        rows[col], rows[pivot] = rows[pivot], rows[col]
        for r in range(n):
            if r != col and rows[r][col] != 0:
                f = rows[r][col] / rows[col][col]
                rows[r] = [a - f * b for a, b in zip(rows[r], rows[col])]
    return [rows[k][n] / rows[k][k] for k in range(n)] + [Fraction(0)] * (10 - n)


def lagrange(xs, ys, at):
    total = Fraction(0)
    for i, (xi, yi) in enumerate(zip(xs, ys)):
        term = yi
        for j, xj in enumerate(xs):
            if j != i:
                term *= (at - xj) / (xi - xj)
        total += term
    return total


def describe(v):
    try:
        nearest = float(v)
    except OverflowError:
        nearest = float("inf") if v > 0 else float("-inf")
    bits = "0x" + struct.pack(">d", nearest).hex()
    tiny = " tiny" if abs(v) < Fraction(1, 10**8) else ""
    if v == 0:
        return "0 " + bits + tiny
    a = abs(v)
    e = len(str(a.numerator)) - len(str(a.denominator))
    while Fraction(10) ** e > a:
        e -= 1
    while Fraction(10) ** (e + 1) <= a:
        e += 1
    unit = Fraction(10) ** (e - 19)
    q = a.numerator * unit.denominator // (a.denominator * unit.numerator)
    more = "..." if a != q * unit else ""
    digits = str(q).rstrip("0")
    mantissa = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
    sign = "-" if v < 0 else ""
    return "%s%s%se%d %s%s" % (sign, mantissa, more, e, bits, tiny)


def expectations(case):
    xs = [typed(t) for t in case["xs"]]
    ys = [typed(t) for t in case["ys"]]
    args = {row: typed(t) for row, t in case.get("args", {}).items()}
    results = {}
    if all(t.value is not None for t in xs + ys):
        x = [t.value for t in xs]
        y = [t.value for t in ys]
        a = coefficients(x, y)
        for k in range(10):
            results["k%d" % k] = describe(a[k])
        results["v0"] = describe(lagrange(x, y, Fraction(0)))
        for row, t in args.items():
            if t.value is not None:
                results["v%d" % row] = describe(lagrange(x, y, t.value))
        hv = case.get("highestVisible", 9)
        if any(a[k] != 0 for k in range(hv + 1, 10)):
            changes = [sum(a[k] * xi**k for k in range(hv + 1, 10)) for xi in x]
            largest = max(changes, key=abs)  # the first of equals
            matters = abs(largest) > max(abs(v) for v in y) / 1000
            results["hidden"] = describe(largest) + (" matters" if matters else " slight")
    return xs, ys, args, ["%s %s" % (key, results.get(key, "-")) for key in case["checks"]]


def qstringlist(items):
    return "QStringList{" + ", ".join(items) + "}"


def cpp_row(case):
    xs, ys, args, checks = expectations(case)
    arg_texts = ['""'] * (max(args, default=0) + 1)
    for row, t in args.items():
        arg_texts[row] = t.cpp
    return 'QTest::newRow("%s")\n    << %s << %s << %s << %d\n    << %s;' % (
        case["name"],
        qstringlist(t.cpp for t in xs),
        qstringlist(t.cpp for t in ys),
        qstringlist(arg_texts),
        case.get("highestVisible", 9),
        qstringlist('"%s"' % c for c in checks),
    )


ALL_COEFFICIENTS = ["k%d" % k for k in range(10)]
DECADES = [str(1930 + 10 * i) for i in range(10)]
ANOMALIES = ["-0.03", "-0.04", "-0.05", "0.01", "0.03", "0.26", "0.32", "0.45", "0.72", "1.01"]
THOUSAND_DIGITS = "1." + "1" * 999

CASES = [
    dict(name="seven years on a line give the constant -4900 and the slope 2.5",
         xs=[str(2000 + i) for i in range(7)], ys=["100", "102.5", "105", "107.5", "110", "112.5", "115"],
         args={1: "2007"}, highestVisible=1, checks=["k0", "k1", "k2", "k6", "v0", "v1", "hidden"]),
    dict(name="ten decades of anomalies expand exactly", xs=DECADES, ys=ANOMALIES,
         args={1: "2025", 2: "1985,5"}, checks=ALL_COEFFICIENTS + ["v0", "v1", "v2", "hidden"]),
    dict(name="hiding x^8 and x^9 of the decades changes the curve visibly", xs=DECADES,
         ys=ANOMALIES, highestVisible=7, checks=["hidden"]),
    dict(name="a wobble of 1e-7 on a line is too slight to matter when hidden",
         xs=["0", "1", "2", "3", "4"], ys=["1", "2", "3.0000001", "4", "5"], highestVisible=1,
         checks=["k2", "k4", "hidden"]),
    dict(name="three years meet 2870.975 exactly between them", xs=["2019", "2020", "2021"],
         ys=["2850.5", "2866.25", "2895.125"], args={1: "2020.2"}, highestVisible=2,
         checks=["k0", "k1", "k2", "v1", "hidden"]),
    dict(name="a slope of 1e-9 is below the zero tolerance", xs=["0", "1"], ys=["0", "1e-9"],
         args={1: "0.5"}, checks=["k0", "k1", "v1"]),
    dict(name="a typed 1e-8 is not below 1e-8, though below the double 1e-8", xs=["0"],
         ys=["1e-8"], checks=["k0"]),
    dict(name="just below 1e-8 is below it", xs=["0"], ys=["9.99999999999999999999e-9"],
         checks=["k0"]),
    dict(name="an infinite ordinate leaves everything empty", xs=["0", "1"],
         ys=[unreadable("inf"), "1"], args={1: "1"}, checks=["k0", "k9", "v0", "v1", "hidden"]),
    dict(name="a NaN abscissa leaves everything empty", xs=[unreadable(" nan "), "1"],
         ys=["0", "1"], checks=["k0", "v0"]),
    dict(name="a decimal comma reads as a point", xs=["0", "1"], ys=["2,5", reads(" 3,5 kg", "3.5")],
         args={1: "0,5"}, checks=["k0", "k1", "v1"]),
    dict(name="a thousand digits are read exactly", xs=["0"],
         ys=[long_literal(THOUSAND_DIGITS)], checks=["k0"]),
    dict(name="a thousand and one digits are too many", xs=["0", "1"],
         ys=["0", Text('QString("1.") + QString(1000, u\'1\')', None)], checks=["k0", "v0"]),
    dict(name="1e-999999999 has no exact value because Val reads it as 0", xs=["0", "1"],
         ys=["0", unreadable("1e-999999999")], checks=["k0"]),
    dict(name="1e999999999 is beyond any double", xs=["0", unreadable("1e999999999")],
         ys=["0", "1"], checks=["k0"]),
    dict(name="exponents from 1e-300 to 1e300 round to the nearest double",
         xs=["1e-300", "1e-100", "1", "1e100", "1e300"], ys=["1", "2", "3", "4", "5"],
         args={1: "1e200", 2: "-1e-200"}, checks=["k0", "k1", "k2", "k3", "k4", "v1", "v2"]),
    dict(name="the smallest subnormal typed reads as itself", xs=["0"], ys=["4.9e-324"],
         checks=["k0"]),
    dict(name="a third of 1e-310 rounds to a subnormal", xs=["0", "3"], ys=["0", "1e-310"],
         checks=["k1"]),
    dict(name="halfway between two subnormals rounds to the even one", xs=["0", "2"],
         ys=["0", long_literal(exact_decimal(5 * 2.0**-1074))], checks=["k1"]),
    dict(name="halfway between two doubles rounds to the even one", xs=["0", "1"],
         ys=["0", "1.00000000000000011102230246251565404236316680908203125"], checks=["k1"]),
    dict(name="an argument of inf has no value, the others have", xs=["0", "1"], ys=["1", "3"],
         args={1: unreadable("inf"), 2: reads("1e", 1), 3: reads("abc", 0)}, checks=["v1", "v2", "v3", "v4"]),
    dict(name="no points give the polynomial 0", xs=[], ys=[], args={1: "5"},
         checks=["k0", "v0", "v1"]),
    dict(name="one point gives its ordinate as the constant", xs=["7"], ys=["-1.5e-3"],
         args={1: "100"}, highestVisible=0, checks=["k0", "k1", "v1", "hidden"]),
]

if __name__ == "__main__":
    print("// --- generated by tests/exact/reference.py ---")
    for case in CASES:
        print(cpp_row(case))
    print("// --- end of generated rows ---")
