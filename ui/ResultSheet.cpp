// The results as a table: one sheet of rows, written as delimited text or as HTML.

#include "calc/ComputeRecord.h"
#include "framework/NumberText.h"
#include "ui/ResultCopies.h"

#include <QStringList>
#include <cmath>

namespace {

struct SheetCell
{
    QString text;        // a number as Str writes it, or words
    bool number = false; // a finite number, which a spreadsheet is to read as one
};

using SheetRow = QList<SheetCell>;

struct Sheet
{
    QList<SheetRow> rows;
    QList<qsizetype> headings; // rows of column headings
};

SheetCell words(const QString& text)
{
    return {text, false};
}

SheetCell number(const QString& text)
{
    return {text, ReadsEntirely(text) && std::isfinite(Val(text))};
}

QString staleLine()
{
    return QStringLiteral("Veraltet: Die Eingaben wurden seit der Berechnung geändert.");
}

// The computed number, the exact value and what the compute judged of it.
SheetRow judged(const RecordedResult& result, bool stale, const QStringList& beside = {})
{
    QStringList notes;
    if (stale)
        notes << QStringLiteral("veraltet");
    if (result.marked)
        notes << QStringLiteral("ungenau");
    notes << beside;
    if (!result.reference)
        notes << QStringLiteral("kein exakter Wert");
    return {number(Str(result.computed)),
            result.reference ? number(result.reference->exactText) : words({}),
            words(notes.join(QStringLiteral(", ")))};
}

Sheet resultSheet(const ComputeRecord& record, bool stale)
{
    Sheet sheet;
    const auto part = [&](const QString& title, const QStringList& heading) {
        if (!sheet.rows.isEmpty())
            sheet.rows << SheetRow{};
        sheet.rows << SheetRow{words(title)};
        SheetRow headingRow;
        for (const QString& column : heading)
            headingRow << words(column);
        sheet.headings << sheet.rows.size();
        sheet.rows << headingRow;
    };
    if (stale)
        sheet.rows << SheetRow{words(staleLine())};

    part(QStringLiteral("Stützstellen"), {QStringLiteral("x"), QStringLiteral("y")});
    for (int k = 0; k < record.PointsInUse(); ++k)
        sheet.rows << SheetRow{number(Str(record.xwert[size_t(k)])),
                               number(Str(record.ywert[size_t(k)]))};

    part(QStringLiteral("Funktionswerte"),
         {QStringLiteral("Argument"), QStringLiteral("Wert, berechnet"),
          QStringLiteral("Wert, exakt"), QStringLiteral("Hinweis")});
    for (int i = 0; i < 10; ++i) {
        if (record.Evaluated(i))
            sheet.rows << SheetRow{number(Str(record.Argument(i)))} +
                              judged(record.values[size_t(i)], stale);
    }

    part(QStringLiteral("Koeffizienten"),
         {QStringLiteral("Potenz"), QStringLiteral("Koeffizient, berechnet"),
          QStringLiteral("Koeffizient, exakt"), QStringLiteral("Hinweis")});
    for (int k = 0; k < 10; ++k) {
        sheet.rows << SheetRow{number(Str(std::int32_t(k)))} +
                          judged(record.coefficients[size_t(k)], stale,
                                 record.Hidden(k) ? QStringList{QStringLiteral("ausgeblendet")}
                                                  : QStringList{});
    }
    return sheet;
}

// A number as a spreadsheet of that locale reads it: its decimal sign, no grouping, the
// exponent as Str writes it ("1,5e-09"), which spreadsheets of every locale read.
QString localNumber(const QString& text, const QLocale& locale)
{
    return QString(text).replace(u'.', locale.decimalPoint());
}

QString shown(const SheetCell& cell, const QLocale& locale)
{
    return cell.number ? localNumber(cell.text, locale) : cell.text;
}

QString delimited(QString cell, QChar separator)
{
    if (!cell.contains(separator) && !cell.contains(u'"') && !cell.contains(u'\n') &&
        !cell.contains(u'\r'))
        return cell;
    return u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString htmlCell(const SheetCell& cell, const QLocale& locale, bool heading)
{
    const QString tag = heading ? QStringLiteral("th") : QStringLiteral("td");
    const QString text = shown(cell, locale).toHtmlEscaped();
    if (!cell.number)
        return QStringLiteral("<%1>%2</%1>").arg(tag, text);
    // LibreOffice reads sdval in the language that sdnum names (1033: English, United States),
    // whatever its own; Excel reads x:num with a decimal point.
    return QStringLiteral("<%1 sdval=\"%2\" sdnum=\"1033;\" x:num=\"%2\">%3</%1>")
        .arg(tag, cell.text, text);
}

} // namespace

QString ResultsAsDelimitedText(const ComputeRecord& record, QChar separator, const QLocale& locale,
                               bool stale)
{
    QStringList lines;
    for (const SheetRow& row : resultSheet(record, stale).rows) {
        QStringList cells;
        for (const SheetCell& cell : row)
            cells << delimited(shown(cell, locale), separator);
        lines << cells.join(separator);
    }
    return lines.join(u'\n') + u'\n';
}

QString ResultsAsHtml(const ComputeRecord& record, const QLocale& locale, bool stale)
{
    const Sheet sheet = resultSheet(record, stale);
    QString html = QStringLiteral("<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\"><head>"
                                  "<meta charset=\"utf-8\"></head><body>\n"
                                  "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
    for (qsizetype r = 0; r < sheet.rows.size(); ++r) {
        html += QStringLiteral("<tr>");
        // An empty row keeps its place between the parts.
        if (sheet.rows[r].isEmpty())
            html += QStringLiteral("<td></td>");
        for (const SheetCell& cell : sheet.rows[r])
            html += htmlCell(cell, locale, sheet.headings.contains(r));
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n</body></html>\n");
}
