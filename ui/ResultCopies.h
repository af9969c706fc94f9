#pragma once
// The results taken along: as a table for spreadsheets, word processors and mail, and the
// polynomial as one line of text for a formula, a calculator or a document.

#include <QLocale>
#include <QString>
#include <optional>

struct ComputeRecord;
class HauptFenster;

// The points, the values and the coefficients of the last good compute, tab-separated with
// decimal commas, as a German spreadsheet reads them; the same as an HTML table.
QString ResultsAsText(const HauptFenster& window);
QString ResultsAsHtml(const HauptFenster& window);
// The same table of a compute, one cell a column: a line "Veraltet: …" first where an input
// changed since (`stale`), numbers with the decimal sign of `locale`, a cell that holds the
// separator, a quote or a line end quoted.
QString ResultsAsDelimitedText(const ComputeRecord& record, QChar separator, const QLocale& locale,
                               bool stale);

// "p(x) = -4900 + 2.5*x": the exact coefficients, each as the double nearest to it, zero terms
// left out. None where a coefficient has no exact value.
std::optional<QString> PolynomialLine(const HauptFenster& window);

// The Edit menu's items that copy these, enabled once there are results.
void InstallResultCopies(HauptFenster& window);
