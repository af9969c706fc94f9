#!/usr/bin/python3
"""Reads a copied polynomial line back and checks it against exact fractions of its own.

Input on stdin, three lines: the abscissae as typed, tab-separated; the ordinates likewise; the
line as copied ("p(x) = -4900 + 2.5*x"). The exact coefficients are worked out apart from the
program, by elimination on the Vandermonde system; every one must come back from the line as
the double nearest to it, and a term is there exactly where that double is not zero.
Exit status 0 when all agree; else each disagreement on stderr and status 1.
"""

import re
import sys
from fractions import Fraction

sys.set_int_max_str_digits(0)


def exact(text):
    return Fraction(text.strip().replace(",", "."))


def coefficients(xs, ys):
    n = len(xs)
    rows = [[x**k for k in range(n)] + [y] for x, y in zip(xs, ys)]
    for col in range(n):
        pivot = next(r for r in range(col, n) if rows[r][col] != 0)
        rows[col], rows[pivot] = rows[pivot], rows[col]
        for r in range(n):
            if r != col and rows[r][col] != 0:
                factor = rows[r][col] / rows[col][col]
                rows[r] = [a - factor * b for a, b in zip(rows[r], rows[col])]
    return [rows[k][n] / rows[k][k] for k in range(n)]


def terms(line):
    """The line's coefficients by power, as the doubles its texts read as."""
    prefix = "p(x) ="
    if not line.startswith(prefix):
        raise ValueError("no 'p(x) =' in %r" % line)
    body = line[len(prefix):].strip()
    found = {}
    for index, part in enumerate(re.split(r"\s+(?=[+-]\s)", body)):
        sign, rest = 1, part.strip()
        if rest[:1] in "+-" and (index > 0 or rest[:2] == "- "):
            sign, rest = (-1 if rest[0] == "-" else 1), rest[1:].strip()
        if "x" in rest:
            number, _, power_text = rest.partition("x")
            number = number.rstrip("*") or "1"
            power = int(power_text[1:]) if power_text else 1
            if number == "-":
                number = "-1"
        else:
            number, power = rest, 0
        if power in found:
            raise ValueError("x^%d twice in %r" % (power, line))
        found[power] = sign * float(number)
    return found


def main():
    lines = sys.stdin.read().split("\n")
    xs = [exact(t) for t in lines[0].split("\t")]
    ys = [exact(t) for t in lines[1].split("\t")]
    line = lines[2]
    nearest = [float(c) for c in coefficients(xs, ys)] + [0.0] * (10 - len(xs))
    copied = terms(line) if line.strip() != "p(x) = 0" else {}
    wrong = []
    for power, expected in enumerate(nearest):
        got = copied.get(power, 0.0)
        if got != expected or (power in copied) != (expected != 0.0):
            wrong.append("x^%d: exact %r, copied %r" % (power, expected, copied.get(power)))
    for message in wrong:
        print(message, file=sys.stderr)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
