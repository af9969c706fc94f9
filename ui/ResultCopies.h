#pragma once
// The results taken along: as a table for spreadsheets, word processors and mail, and the
// polynomial as one line of text or as a spreadsheet formula. All of it is written from the
// record of the last compute, never from the fields, which a person can type over.

#include <QChar>
#include <QLocale>
#include <QString>
#include <optional>

struct ComputeRecord;
class HauptFenster;

// The points, the values and the coefficients of a compute, one cell a column: a line
// "Veraltet: …" first where an input changed since (`stale`), then each part with its title,
// its heading and its rows, an empty line between the parts. Numbers carry the decimal sign of
// `locale`, so that a spreadsheet of that locale reads them as numbers; a cell that holds the
// separator or a quote is quoted.
QString ResultsAsDelimitedText(const ComputeRecord& record, QChar separator, const QLocale& locale,
                               bool stale);
// The same rows as one HTML table. Each number cell carries its value in the attributes that
// LibreOffice (sdval) and Excel (x:num) read in any locale, and shows it as `locale` writes it.
QString ResultsAsHtml(const ComputeRecord& record, const QLocale& locale, bool stale);

// "p(x) = -4900 + 2.5*x": the exact coefficients, each as the double nearest to it, zero terms
// left out. None where a coefficient has no exact value.
std::optional<QString> PolynomialLine(const ComputeRecord& record);
// "=-4900+2,5*A1": the same polynomial as a formula of the cell A1, numbers written as a
// spreadsheet of `locale` reads them in formulas.
std::optional<QString> PolynomialFormula(const ComputeRecord& record, const QLocale& locale);

// The Edit menu's items that copy these, enabled once there are results. Copies take the
// decimal sign of the desktop's number locale.
void InstallResultCopies(HauptFenster& window);
