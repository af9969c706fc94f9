#include "ui/ResultsCsv.h"

#include "framework/FileWrite.h"
#include "ui/ResultCopies.h"

QChar CsvSeparator(const QLocale& locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? u';' : u',';
}

std::optional<QString> WriteResultsCsv(const HauptFenster& window, const QString& path,
                                       const QLocale& locale)
{
    return WriteWhole(path, ResultsAsTable(window, CsvSeparator(locale), locale).toUtf8());
}
