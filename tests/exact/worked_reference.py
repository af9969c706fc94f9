#!/usr/bin/python3
"""Checks the worked solution's text and LaTeX copies against exact fractions of its own.

Input on stdin, JSON: {"xs": [...], "ys": [...], "args": [...], "text": "...", "latex": "..."},
the points and arguments as typed. Everything is worked out here apart from the program: the
points read as the decimal prefix a field's reading takes, Lagrange's denominators, the divided
differences, the coefficients by elimination, the values. Every formula of the copies is parsed
back and evaluated at several points in fractions; every number in a table is compared.
The LaTeX is also checked as a TeX engine would reject it: braces and environments balanced,
no command but those amsmath provides or the copy needs, no array row wider than its columns.
Exit status 0 when all agree; else each disagreement on stderr and status 1.
"""

import json
import re
import sys
from fractions import Fraction

sys.set_int_max_str_digits(0)

PREFIX = re.compile(r"\s*([+-]?)(\d*)(?:[.,](\d*))?(?:[eE]([+-]?\d+))?")


def read(text):
    """The number at the start of the text, as a field reads it; None for inf and nan."""
    if re.match(r"\s*[+-]?(inf|nan)", text, re.I):
        return None
    m = PREFIX.match(text)
    whole, frac = m.group(2) or "", m.group(3) or ""
    if not whole and not frac:
        return Fraction(0)
    value = Fraction(int(whole + frac or "0"), 10 ** len(frac))
    if m.group(4):
        value *= Fraction(10) ** int(m.group(4))
    return -value if m.group(1) == "-" else value


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


def scheme(xs, ys):
    """rows[i][k] = f[x_(i-k), ..., x_i]"""
    rows = []
    for i in range(len(xs)):
        row = [ys[i]]
        for k in range(1, i + 1):
            row.append((row[k - 1] - rows[i - 1][k - 1]) / (xs[i] - xs[i - k]))
        rows.append(row)
    return rows


def horner(cs, x):
    s = Fraction(0)
    for c in reversed(cs):
        s = s * x + c
    return s


def text_of(f):
    return str(f.numerator) if f.denominator == 1 else "%d/%d" % (f.numerator, f.denominator)


# A small parser for the formulas of both copies: numbers, x, + - * / ^, parentheses, and in
# LaTeX \frac{..}{..}, x^{k}, \left( \right) and juxtaposition for multiplication.
TOKEN = re.compile(r"\s*(\\frac|\\left\(|\\right\)|\\boxed|\d+|L_\{?\d+\}?\(x\)|[x+\-*/^(){}])")


def tokens(text):
    out, pos = [], 0
    text = text.strip()
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if not m:
            raise ValueError("cannot read %r at %d" % (text, pos))
        out.append(m.group(1))
        pos = m.end()
    return out


class Formula:
    def __init__(self, text, basis=None):
        self.t = tokens(text)
        self.i = 0
        self.basis = basis or {}

    def peek(self):
        return self.t[self.i] if self.i < len(self.t) else None

    def take(self, want=None):
        tok = self.peek()
        if want is not None and tok != want:
            raise ValueError("expected %r, found %r in %r" % (want, tok, " ".join(self.t)))
        self.i += 1
        return tok

    def value(self, x):
        self.x, self.i = x, 0
        v = self.expr()
        if self.peek() is not None:
            raise ValueError("left over %r" % self.t[self.i:])
        return v

    def expr(self):
        sign = -1 if self.peek() == "-" else 1
        if self.peek() in "+-":
            self.take()
        v = sign * self.term()
        while self.peek() in ("+", "-"):
            v = v + self.term() if self.take() == "+" else v - self.term()
        return v

    def term(self):
        v = self.power()
        while True:
            tok = self.peek()
            if tok == "*":
                self.take()
                v *= self.power()
            elif tok == "/":
                self.take()
                v /= self.power()
            elif tok is not None and tok not in ("+", "-", ")", "}", "\\right)"):
                v *= self.power()  # juxtaposition
            else:
                return v

    def power(self):
        v = self.atom()
        if self.peek() == "^":
            self.take()
            if self.peek() == "{":
                self.take()
                k = int(self.take())
                self.take("}")
            else:
                k = int(self.take())
            v = v**k
        return v

    def atom(self):
        tok = self.take()
        if tok.isdigit():
            return Fraction(int(tok))
        if tok == "x":
            return self.x
        if tok.startswith("L_"):
            return self.basis[int(re.sub(r"\D", "", tok[:-3]))](self.x)
        if tok in ("(", "\\left("):
            v = self.expr()
            self.take(")" if tok == "(" else "\\right)")
            return v
        if tok == "{":
            v = self.expr()
            self.take("}")
            return v
        if tok == "\\boxed":
            return self.atom()
        if tok == "\\frac":
            return self.atom() / self.atom()
        raise ValueError("unexpected %r" % tok)


class Check:
    def __init__(self):
        self.wrong = []

    def equal(self, what, got, expected):
        if got != expected:
            self.wrong.append("%s: copied %s, exact %s" % (what, got, expected))

    def formula(self, what, text, polynomial, basis=None):
        try:
            f = Formula(text, basis)
            for x in (Fraction(0), Fraction(1), Fraction(-3, 7), Fraction(5, 2), Fraction(2003)):
                self.equal("%s at %s" % (what, x), f.value(x), polynomial(x))
        except (ValueError, ZeroDivisionError, KeyError, IndexError) as e:
            self.wrong.append("%s: %s" % (what, e))

    def decimal(self, what, text, exact):
        """The digits shown are exact, or cut toward zero where '...' follows them."""
        text = text.strip()
        cut = text.endswith("...") or "...e" in text
        digits = text.replace("...", "")
        shown = Fraction(read(digits))
        if not cut:
            self.equal(what, shown, exact)
            return
        mantissa = digits.split("e")[0]
        last = -len(mantissa.split(".")[1]) if "." in mantissa else 0
        exponent = int(digits.split("e")[1]) if "e" in digits else 0
        unit = Fraction(10) ** (last + exponent)
        if not (abs(shown) <= abs(exact) < abs(shown) + unit) or (shown < 0) != (exact < 0):
            self.wrong.append("%s: %s is not %s cut" % (what, text, float(exact)))


def check_text(c, text, xs, ys, cs, rows, args):
    lines = text.split("\n")
    p = lambda x: horner(cs, x)
    for i, (x, y) in enumerate(zip(xs, ys)):
        want = "x_%d = %s" % (i, text_of(x))
        if not any(l.startswith(want + " ") or l.startswith(want + ",") for l in lines):
            c.wrong.append("text: no line starts %r" % want)
        if not any(l.startswith("x_%d = " % i) and (", y_%d = %s" % (i, text_of(y))) in l for l in lines):
            c.wrong.append("text: y_%d is not %s" % (i, text_of(y)))
    basis = {}
    for i, x in enumerate(xs):
        d = Fraction(1)
        for j, other in enumerate(xs):
            if j != i:
                d *= x - other
        line = next((l for l in lines if l.startswith("L_%d(x) = " % i)), None)
        if line is None:
            c.wrong.append("text: no L_%d" % i)
            continue
        last = line.rsplit(" = ", 1)[1]
        numerator, _, denominator = last.partition(" / ")
        c.equal("text: denominator of L_%d" % i, Formula(denominator or "1").value(Fraction(0)), d)
        others = [o for j, o in enumerate(xs) if j != i]
        product = lambda t, others=others: eval_product(others, t)
        c.formula("text: numerator of L_%d" % i, numerator, product)
        basis[i] = lambda t, others=others, d=d: eval_product(others, t) / d
    sums = [l for l in lines if l.startswith("p(x) = ") or l.startswith("     = ")]
    if len(xs) > 0 and len(sums) < 4:
        c.wrong.append("text: %d formulas of p, 4 expected" % len(sums))
    for line in sums:
        c.formula("text: %r" % line[:40], line.split(" = ", 1)[1], p, basis)
    for i, row in enumerate(rows):
        line = next((l for l in lines if l.startswith("%d\t%s\t" % (i, text_of(xs[i])))), None)
        if line is None:
            c.wrong.append("text: no scheme row %d" % i)
            continue
        cells = line.split("\t")[2:]
        c.equal("text: scheme row %d width" % i, len(cells), i + 1)
        for k, cell in enumerate(cells):
            if k == i:
                if not cell.startswith("c_%d = " % k):
                    c.wrong.append("text: diagonal cell %r" % cell)
                cell = cell.split(" = ")[1]
            c.equal("text: f row %d order %d" % (i, k), Fraction(cell), row[k])
    for k, a in enumerate(cs):
        line = next((l for l in lines if l.startswith("x^%d\t" % k)), None)
        if line is None:
            c.wrong.append("text: no row x^%d" % k)
            continue
        cells = line.split("\t")
        c.equal("text: exact x^%d" % k, Fraction(cells[1]), a)
        c.decimal("text: decimal x^%d" % k, cells[2], a)
    degree = max((k for k, a in enumerate(cs) if a != 0), default=-1)
    if degree >= 0 and "Grad: %d" % degree not in lines:
        c.wrong.append("text: no 'Grad: %d'" % degree)
    for a in args:
        line = next((l for l in lines if l.startswith("p(%s) = " % text_of(a))), None)
        if line is None:
            c.wrong.append("text: no value at %s" % text_of(a))
            continue
        parts = line.split(";")[0].split(" = ")
        c.equal("text: p(%s)" % text_of(a), Fraction(parts[1]), p(a))
        if len(parts) > 2:
            c.decimal("text: decimal p(%s)" % text_of(a), parts[2], p(a))


def eval_product(others, t):
    v = Fraction(1)
    for o in others:
        v *= t - o
    return v


ALLOWED = {"\\frac", "\\text", "\\texttt", "\\boxed", "\\left", "\\right", "\\hline", "\\quad",
           "\\cdot", "\\ldots", "\\subsection", "\\begin", "\\end", "\\textbackslash",
           "\\textasciicircum", "\\textasciitilde", "\\usepackage", "\\[", "\\]", "\\\\", "\\ ",
           "\\{", "\\}", "\\$", "\\&", "\\#", "\\%", "\\_"}
ENVIRONMENTS = {"align*", "array"}


def check_latex_syntax(c, latex):
    body = "\n".join(l.split("%", 1)[0] if not re.search(r"\\%", l) else l
                     for l in latex.split("\n") if not l.startswith("%"))
    depth = 0
    for ch_i, ch in enumerate(body):
        if ch in "{}" and (ch_i == 0 or body[ch_i - 1] != "\\"):
            depth += 1 if ch == "{" else -1
            if depth < 0:
                c.wrong.append("latex: '}' without '{' at %d" % ch_i)
                return
    if depth:
        c.wrong.append("latex: %d braces left open" % depth)
    for command in re.findall(r"\\(?:[A-Za-z]+|.)", body):
        if command not in ALLOWED:
            c.wrong.append("latex: command %s" % command)
    stack = []
    for kind, name in re.findall(r"\\(begin|end)\{([^}]*)\}", body):
        if name not in ENVIRONMENTS:
            c.wrong.append("latex: environment %s" % name)
        if kind == "begin":
            stack.append(name)
        elif not stack or stack.pop() != name:
            c.wrong.append("latex: \\end{%s} does not close what is open" % name)
    if stack:
        c.wrong.append("latex: left open: %s" % stack)
    if body.count("\\[") != body.count("\\]"):
        c.wrong.append("latex: display math not closed")
    for layout, rows in re.findall(r"\\begin\{array\}\{([^}]*)\}(.*?)\\end\{array\}", body, re.S):
        columns = len(re.sub(r"[^clr]", "", layout))
        for row in re.split(r"\\\\", rows):
            width = len(split_cells(row))
            if width > columns:
                c.wrong.append("latex: array row of %d cells in %d columns" % (width, columns))
    # Text mode specials outside \text{} would end the compile: '_' and '^' only in math.
    for text in re.findall(r"\\text(?:tt)?\{((?:[^{}]|\{[^{}]*\})*)\}", body):
        if re.search(r"(?<!\\)[_^&#%$]", text.replace("\\textasciicircum{}", "")):
            c.wrong.append("latex: unescaped special in text %r" % text)


def split_cells(row):
    cells, depth, cur = [], 0, ""
    for i, ch in enumerate(row):
        if ch == "{" and (i == 0 or row[i - 1] != "\\"):
            depth += 1
        elif ch == "}" and (i == 0 or row[i - 1] != "\\"):
            depth -= 1
        if ch == "&" and depth == 0 and (i == 0 or row[i - 1] != "\\"):
            cells.append(cur)
            cur = ""
        else:
            cur += ch
    return cells + [cur]


def check_latex(c, latex, xs, ys, cs, rows):
    check_latex_syntax(c, latex)
    p = lambda x: horner(cs, x)
    formulas = re.findall(r"\\\[ p\(x\) = (.*?) \\\]", latex)
    if xs and len(formulas) != 2:
        c.wrong.append("latex: %d displayed formulas of p, 2 expected" % len(formulas))
    for f in formulas:
        c.formula("latex: %r" % f[:40], f, p)
    lagrange = re.findall(r"^(?:p\(x\) )?&= (.*?)(?:\\\\)?$", latex, re.M)
    basis = {}
    for i, x in enumerate(xs):
        others = [o for j, o in enumerate(xs) if j != i]
        d = Fraction(1)
        for o in others:
            d *= x - o
        basis[i] = lambda t, others=others, d=d: eval_product(others, t) / d
        m = re.search(r"^L_\{%d\}\(x\) &= (.*?)\\\\$" % i, latex, re.M)
        if not m:
            c.wrong.append("latex: no L_%d" % i)
            continue
        for part in m.group(1).split(" = "):
            c.formula("latex: L_%d %r" % (i, part[:30]), part, basis[i])
    for f in [l for l in lagrange if "L_{" in l or "x" in l][:2] if xs else []:
        c.formula("latex: Lagrange %r" % f[:40], f, p, basis)
    arrays = re.findall(r"\\begin\{array\}\{([^}]*)\}(.*?)\\end\{array\}", latex, re.S)
    if xs:
        body = [r for r in re.split(r"\\\\", arrays[0][1].split("\\hline", 1)[1]) if r.strip()]
        c.equal("latex: scheme rows", len(body), len(rows))
        for i, line in enumerate(body):
            cells = [x.strip() for x in split_cells(line)][2:]
            for k, cell in enumerate(cells):
                if (k == i) != cell.startswith("\\boxed"):
                    c.wrong.append("latex: box in row %d order %d: %r" % (i, k, cell))
                try:
                    c.equal("latex: f row %d order %d" % (i, k), Formula(cell).value(0), rows[i][k])
                except ValueError as e:
                    c.wrong.append("latex: cell %r: %s" % (cell, e))
    table = arrays[-1][1].split("\\hline", 1)[1]
    for k, line in enumerate(r for r in re.split(r"\\\\", table) if r.strip()):
        cells = [x.strip() for x in split_cells(line)]
        if k < len(cs) and xs:
            c.equal("latex: exact x^%d" % k, Formula(cells[1]).value(0), cs[k])


def main():
    case = json.load(sys.stdin)
    points = [(read(x), read(y)) for x, y in zip(case["xs"], case["ys"])]
    xs = [x for x, _ in points]
    ys = [y for _, y in points]
    args = [read(a) for a in case["args"]]
    c = Check()
    cs = coefficients(xs, ys) if xs else []
    rows = scheme(xs, ys)
    check_text(c, case["text"], xs, ys, cs, rows, [Fraction(0)] + args)
    check_latex(c, case["latex"], xs, ys, cs, rows)
    for message in c.wrong:
        print(message, file=sys.stderr)
    return 1 if c.wrong else 0


if __name__ == "__main__":
    sys.exit(main())
