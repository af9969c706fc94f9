#include "ui/ResultsCsv.h"

#include "calc/ComputeRecord.h"
#include "framework/FileWrite.h"
#include "ui/HauptFenster.h"
#include "ui/ResultCopies.h"

QChar CsvSeparator(const QLocale& locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? u';' : u',';
}

std::optional<QString> WriteResultsCsv(const HauptFenster& window, const QString& path,
                                       const QLocale& locale)
{
    const std::shared_ptr<const ComputeRecord> record = window.LastCompute();
    if (!record)
        return QStringLiteral("Noch nichts berechnet: Es gibt keine Ergebnisse.");
    return WriteWhole(
        path, ResultsAsDelimitedText(*record, CsvSeparator(locale), locale, window.ResultsStale())
                  .toUtf8());
}
