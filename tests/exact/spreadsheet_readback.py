#!/usr/bin/python3
"""Reads Kurvalo's copies back in LibreOffice Calc, as a spreadsheet of one locale reads them.

Usage: spreadsheet_readback.py LOCALE DIR

DIR holds, for each case NAME:
  NAME.txt      the text copy, tab-separated
  NAME.html     the HTML copy
  NAME.cells    the cells the copies must give, a line a row, tab-separated: "n:<number>" a
                number (as Kurvalo writes it, with a point), "s:<text>" a text, "" an empty cell
  NAME.formula  the formula copy, one line, and NAME.points: the abscissae and the ordinates as
                typed, two tab-separated lines (both optional)

LibreOffice runs headless in LOCALE (LC_ALL and LANG), with a profile of its own. It reads the
text through its text import and the HTML through its HTML import, the two ways a paste goes,
and the formula as typed into B1 in the locale's own formula syntax, with an abscissa in A1.
Every number cell must come back as a number equal to the double expected, every text as that
text, and nothing else in the sheet. The formula must give, at every abscissa, the polynomial
with the exact coefficients (worked out here from the points, with fractions) rounded to
doubles, evaluated term by term as the formula reads.

Exit status 0 when all agree; else each disagreement on stderr and status 1.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
from fractions import Fraction

import uno
from com.sun.star.beans import PropertyValue

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from polynomial_readback import coefficients, exact  # noqa: E402

TEXT_FILTER = ("Text - txt - csv (StarCalc)", "9,34,76,1")
HTML_FILTER = ("HTML (StarCalc)", "")


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


class Office:
    """A headless LibreOffice of the locale, on a pipe of its own."""

    def __init__(self, locale):
        self.profile = tempfile.mkdtemp(prefix="kurvalo-lo-")
        pipe = "kurvalo_readback_%d" % os.getpid()
        env = dict(os.environ, LC_ALL=locale, LANG=locale, LANGUAGE="")
        self.process = subprocess.Popen(
            ["soffice", "-env:UserInstallation=" + uno.systemPathToFileUrl(self.profile),
             "--headless", "--invisible", "--norestore", "--nologo",
             "--accept=pipe,name=%s;urp;" % pipe],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + 120
        while True:
            try:
                context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except Exception:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise RuntimeError("LibreOffice did not start")
                time.sleep(0.3)
        self.desktop = context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", context)

    def load(self, path, filter_name, options):
        return self.desktop.loadComponentFromURL(
            uno.systemPathToFileUrl(os.path.abspath(path)), "_blank", 0,
            (prop("Hidden", True), prop("FilterName", filter_name),
             prop("FilterOptions", options)))

    def new_sheet(self):
        return self.desktop.loadComponentFromURL(
            "private:factory/scalc", "_blank", 0, (prop("Hidden", True),))

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:
            pass
        try:
            self.process.wait(30)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.profile, ignore_errors=True)


def expected_cells(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f]


def check_sheet(document, expected, where):
    sheet = document.Sheets.getByIndex(0)
    wrong = []
    width = max(len(row) for row in expected) + 2
    for r in range(len(expected) + 2):
        for c in range(width):
            want = expected[r][c] if r < len(expected) and c < len(expected[r]) else ""
            cell = sheet.getCellByPosition(c, r)
            kind = cell.Type.value
            at = "%s, row %d column %d" % (where, r + 1, c + 1)
            if want.startswith("n:"):
                value = float(want[2:])
                if kind != "VALUE" or cell.getValue() != value:
                    wrong.append("%s: %r expected, found %s %r" % (at, value, kind, cell.getString()))
            elif want.startswith("s:"):
                if kind != "TEXT" or cell.getString() != want[2:]:
                    wrong.append("%s: text %r expected, found %s %r"
                                 % (at, want[2:], kind, cell.getString()))
            elif kind != "EMPTY":
                wrong.append("%s: empty expected, found %s %r" % (at, kind, cell.getString()))
    return wrong


def formula_terms(points_path):
    with open(points_path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    xs = [exact(t) for t in lines[0].split("\t")]
    ys = [exact(t) for t in lines[1].split("\t")]
    return xs, [float(c) for c in coefficients(xs, ys)]


def polynomial_in_doubles(nearest, x):
    """The formula's sum, term by term from the lowest power, as a spreadsheet evaluates it."""
    value = None
    for power, c in enumerate(nearest):
        if c == 0.0:
            continue
        term = c * x**power
        value = term if value is None else value + term
    return 0.0 if value is None else value


def check_formula(office, formula, points_path, where):
    xs, nearest = formula_terms(points_path)
    document = office.new_sheet()
    sheet = document.Sheets.getByIndex(0)
    wrong = []
    try:
        for x in xs:
            sheet.getCellByPosition(0, 0).setValue(float(x))
            cell = sheet.getCellByPosition(1, 0)
            cell.setPropertyValue("FormulaLocal", formula)
            want = polynomial_in_doubles(nearest, float(x))
            got = cell.getValue()
            close = abs(got - want) <= 1e-13 * max(1.0, abs(want))
            if cell.getError() != 0 or cell.Type.value != "FORMULA" or not close:
                wrong.append("%s at x = %s: %r expected, %r %r (error %d)"
                             % (where, x, want, cell.getString(), got, cell.getError()))
    finally:
        document.close(True)
    return wrong


def main():
    locale, folder = sys.argv[1], sys.argv[2]
    names = sorted(n[:-len(".cells")] for n in os.listdir(folder) if n.endswith(".cells"))
    office = Office(locale)
    wrong = []
    try:
        for name in names:
            base = os.path.join(folder, name)
            expected = expected_cells(base + ".cells")
            for suffix, (filter_name, options) in ((".txt", TEXT_FILTER),
                                                    (".html", HTML_FILTER)):
                document = office.load(base + suffix, filter_name, options)
                try:
                    wrong += check_sheet(document, expected, name + suffix)
                finally:
                    document.close(True)
            if os.path.exists(base + ".formula"):
                with open(base + ".formula", encoding="utf-8") as f:
                    formula = f.read().strip()
                wrong += check_formula(office, formula, base + ".points", name + ".formula")
    finally:
        office.close()
    for message in wrong:
        print("%s: %s" % (locale, message), file=sys.stderr)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
