#pragma once
// The results of the last compute as a table file, as a spreadsheet of the desktop's number
// locale reads it.

#include <QLocale>
#include <QString>
#include <optional>

class HauptFenster;

// The separator of a table file for `locale`: a semicolon where the decimal sign is a comma,
// else a comma, as spreadsheets of that locale write it.
QChar CsvSeparator(const QLocale& locale);

// Writes the table of "Ergebnisse kopieren" of the last compute into `path` (UTF-8, one line a
// row), separated and with the decimal sign as `locale` writes them; "Veraltet" first where an
// input changed since. Nothing on success, else the reason.
std::optional<QString> WriteResultsCsv(const HauptFenster& window, const QString& path,
                                       const QLocale& locale = QLocale());
