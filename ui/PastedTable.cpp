#include "ui/PastedTable.h"

#include "framework/NumberText.h"

#include <QList>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

struct Row
{
    int line; // 1-based, in the text as pasted
    QStringList cells;
};

QStringList cellsOf(const QString& line)
{
    QStringList cells;
    if (line.contains(u'\t'))
        cells = line.split(u'\t');
    else if (line.contains(u';'))
        cells = line.split(u';');
    else
        return line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (QString& cell : cells) {
        cell = cell.trimmed();
        // A CSV file quotes its cells at will.
        if (cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"'))
            cell = cell.mid(1, cell.size() - 2).trimmed();
    }
    // A spreadsheet copies the empty cells of a selection that goes beyond the data.
    while (!cells.isEmpty() && cells.last().isEmpty())
        cells.removeLast();
    return cells;
}

bool isNumber(const QString& cell)
{
    return ScanNumber(cell).kind != NumberPrefix::Kind::None;
}

struct Table
{
    QList<Row> rows;
    bool delimited = false; // some cell ended at a tab or a semicolon
};

Table tableOf(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    Table table;
    const QStringList lines = text.split(lineEnd);
    for (int i = 0; i < lines.size(); ++i) {
        QStringList cells = cellsOf(lines[i]);
        if (!cells.isEmpty())
            table.rows.append({i + 1, cells});
        table.delimited = table.delimited || lines[i].contains(u'\t') || lines[i].contains(u';');
    }
    return table;
}

// Labels down the first column, then headings along the first row, are no data.
void dropLabelsAndHeadings(QList<Row>& rows)
{
    const bool labelled =
        rows.size() >= 2 && std::all_of(rows.begin(), rows.end(), [](const Row& row) {
            return row.cells.size() >= 2 && !isNumber(row.cells.first());
        });
    if (labelled) {
        for (Row& row : rows)
            row.cells.removeFirst();
    }
    if (!rows.isEmpty() &&
        !std::all_of(rows.first().cells.begin(), rows.first().cells.end(), isNumber))
        rows.removeFirst();
}

QString values(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 Wert") : QStringLiteral("%1 Werte").arg(count);
}

QString nothingChanged(const QString& found)
{
    return found + QStringLiteral(" Nichts wurde eingefügt.");
}

// Rows of unequal length, named by their lines in the text.
std::optional<QString> raggedness(const QList<Row>& rows)
{
    for (const Row& row : rows) {
        if (row.cells.size() != rows.first().cells.size())
            return nothingChanged(QStringLiteral("Die Zeilen der Tabelle sind ungleich lang: "
                                                 "Zeile %1 hat %2, Zeile %3 hat %4.")
                                      .arg(rows.first().line)
                                      .arg(values(rows.first().cells.size()))
                                      .arg(row.line)
                                      .arg(values(row.cells.size())));
    }
    return std::nullopt;
}

PastedCells refused(const QString& why)
{
    PastedCells pasted;
    pasted.outcome = PastedCells::Outcome::Refused;
    pasted.refusal = why;
    return pasted;
}

bool isSingleCell(const Table& table)
{
    return table.rows.size() == 1 && (table.rows.first().cells.size() == 1 || !table.delimited);
}

} // namespace

QString SingleCell(const QString& text)
{
    // Typed text stays as it is; only what a copied cell brings around it goes.
    static const QRegularExpression tableMarks(QStringLiteral("[\t\r\n]"));
    if (!text.contains(tableMarks))
        return text;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    const auto written = std::find_if(
        lines.begin(), lines.end(), [](const QString& line) { return !line.trimmed().isEmpty(); });
    return written == lines.end() ? QString() : written->trimmed();
}

PastedCells PointsFromTable(const QString& text)
{
    Table table = tableOf(text);
    if (table.rows.isEmpty() || isSingleCell(table))
        return {};
    dropLabelsAndHeadings(table.rows);
    const QList<Row>& rows = table.rows;
    if (const auto ragged = raggedness(rows))
        return refused(*ragged);

    const qsizetype rowCount = rows.size();
    const qsizetype columns = rowCount == 0 ? 0 : rows.first().cells.size();
    PastedCells pasted;
    pasted.outcome = PastedCells::Outcome::Cells;
    if (columns == 2) {
        for (const Row& row : rows) {
            pasted.first << row.cells[0];
            pasted.second << row.cells[1];
        }
    } else if (rowCount == 2 && columns > 2) {
        pasted.first = rows[0].cells;
        pasted.second = rows[1].cells;
    } else if (rowCount == 0) {
        return refused(nothingChanged(QStringLiteral("Die Tabelle enthält keine Zahlen.")));
    } else {
        // After "mit", the plural takes an n: "mit je 3 Werten", but "mit je 1 Wert".
        const QString each = columns == 1 ? values(1) : values(columns) + u'n';
        const QString shape = rowCount == 1
                                  ? QStringLiteral("1 Zeile mit %1").arg(each)
                                  : QStringLiteral("%1 Zeilen mit je %2").arg(rowCount).arg(each);
        return refused(nothingChanged(
            QStringLiteral("Die Tabelle hat %1. Erwartet: je Zeile x und y einer Stützstelle, "
                           "oder eine Zeile x-Werte und eine Zeile y-Werte.")
                .arg(shape)));
    }
    const qsizetype points = pasted.first.size();
    if (points < 2 || points > 10)
        return refused(nothingChanged(
            QStringLiteral("Die Tabelle enthält %1 %2; Kurvalo rechnet mit 2 bis 10.")
                .arg(points)
                .arg(points == 1 ? QStringLiteral("Stützstelle")
                                 : QStringLiteral("Stützstellen"))));
    return pasted;
}

PastedCells ColumnFromTable(const QString& text, int room)
{
    Table table = tableOf(text);
    if (table.rows.isEmpty() || isSingleCell(table))
        return {};
    // A column has no labels beside it: only a first row of headings is left out.
    QList<Row>& rows = table.rows;
    if (rows.size() >= 2 &&
        !std::all_of(rows.first().cells.begin(), rows.first().cells.end(), isNumber))
        rows.removeFirst();
    PastedCells pasted;
    pasted.outcome = PastedCells::Outcome::Cells;
    if (rows.size() == 1) {
        pasted.first = rows.first().cells;
    } else {
        for (const Row& row : rows) {
            if (row.cells.size() != 1)
                return refused(nothingChanged(
                    QStringLiteral("Zeile %1 hat %2; Argumente werden als eine Spalte oder "
                                   "eine Zeile von Zahlen eingefügt.")
                        .arg(row.line)
                        .arg(values(row.cells.size()))));
            pasted.first << row.cells.first();
        }
    }
    if (pasted.first.size() > room)
        return refused(nothingChanged(
            QStringLiteral("Die Tabelle enthält %1; ab diesem Feld ist Platz für %2.")
                .arg(values(pasted.first.size()))
                .arg(room == 1 ? QStringLiteral("ein Argument")
                               : QStringLiteral("%1 Argumente").arg(room))));
    return pasted;
}
