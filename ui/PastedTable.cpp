#include "ui/PastedTable.h"

#include "ui/ClipboardRowCells.h"

#include <algorithm>
#include <optional>

namespace {

using Rows = QList<ClipboardRow>;

QString values(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 Wert") : QStringLiteral("%1 Werte").arg(count);
}

QString nothingChanged(const QString& found)
{
    return found + QStringLiteral(" Nichts wurde eingefügt.");
}

PastedCells refused(const QString& why)
{
    PastedCells pasted;
    pasted.outcome = PastedCells::Outcome::Refused;
    pasted.refusal = why;
    return pasted;
}

bool noNumberIn(const QList<ClipboardCell>& cells)
{
    return std::none_of(cells.begin(), cells.end(), HoldsNumber);
}

// A first row of headings: none of its cells holds a number.
bool dropHeadings(Rows& rows)
{
    if (rows.size() < 2 || !noNumberIn(rows.first().cells))
        return false;
    rows.removeFirst();
    return true;
}

// A first column of labels beside every row: each a text that holds no number. An empty first
// cell is a cell of data, which reads as 0.
bool dropLabels(Rows& rows)
{
    const bool labelled =
        !rows.isEmpty() && std::all_of(rows.begin(), rows.end(), [](const ClipboardRow& row) {
            return row.cells.size() >= 2 && !row.cells.first().text.isEmpty() &&
                   !HoldsNumber(row.cells.first());
        });
    if (labelled) {
        for (ClipboardRow& row : rows)
            row.cells.removeFirst();
    }
    return labelled;
}

// Rows of unequal length, named by their lines in the text.
std::optional<QString> raggedness(const Rows& rows)
{
    for (const ClipboardRow& row : rows) {
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

// A cell longer than an input field holds.
std::optional<QString> overlongCell(const Rows& rows)
{
    for (const ClipboardRow& row : rows) {
        for (const ClipboardCell& cell : row.cells) {
            if (cell.text.size() > kMostInputLength && cell.value.isEmpty())
                return nothingChanged(
                    QStringLiteral("Zeile %1 hat eine Zelle von %2 Zeichen; ein "
                                   "Eingabefeld fasst höchstens %3.")
                        .arg(row.line)
                        .arg(Thousands(cell.text.size()), Thousands(kMostInputLength)));
        }
    }
    return std::nullopt;
}

bool isSingleCell(const ClipboardTable& table)
{
    return table.rows.size() == 1 && (table.rows.first().cells.size() == 1 || !table.delimited);
}

// The one cell that is no table, read.
PastedCells singleCell(const ClipboardTable& table)
{
    PastedCells pasted;
    if (table.rows.size() != 1 || table.rows.first().cells.size() != 1)
        return pasted;
    const ClipboardCell& cell = table.rows.first().cells.first();
    // Longer than any field: not read, the paste refuses it for its length.
    if (cell.text.size() > kMostInputLength)
        pasted.first = {CellReading{cell.text, {}}};
    else
        pasted.first = ReadColumn(table.rows.first().cells);
    return pasted;
}

QList<ClipboardCell> column(const Rows& rows, qsizetype index)
{
    QList<ClipboardCell> cells;
    for (const ClipboardRow& row : rows)
        cells << row.cells[index];
    return cells;
}

QString shapeRefusal(qsizetype rowCount, qsizetype columns)
{
    if (rowCount == 0)
        return nothingChanged(QStringLiteral("Die Tabelle enthält keine Zahlen."));
    // After "mit", the plural takes an n: "mit je 3 Werten", but "mit je 1 Wert".
    const QString each = columns == 1 ? values(1) : values(columns) + u'n';
    const QString shape = rowCount == 1
                              ? QStringLiteral("1 Zeile mit %1").arg(each)
                              : QStringLiteral("%1 Zeilen mit je %2").arg(rowCount).arg(each);
    return nothingChanged(
        QStringLiteral("Die Tabelle hat %1. Erwartet: je Zeile x und y einer Stützstelle, oder "
                       "eine Zeile x-Werte und eine Zeile y-Werte.")
            .arg(shape));
}

} // namespace

PastedCells PointsFromTable(const ClipboardTable& table)
{
    if (!table.refusal.isEmpty())
        return refused(table.refusal);
    if (table.rows.isEmpty() || isSingleCell(table))
        return singleCell(table);
    if (const auto overlong = overlongCell(table.rows))
        return refused(*overlong);
    Rows rows = table.rows;
    const bool headed = dropHeadings(rows);
    const bool labelled = dropLabels(rows);
    if (const auto ragged = raggedness(rows))
        return refused(*ragged);

    const qsizetype rowCount = rows.size();
    const qsizetype columns = rowCount == 0 ? 0 : rows.first().cells.size();
    const bool pointPerRow = columns == 2;
    const bool rowPerCoordinate = rowCount == 2 && columns >= 2;
    // Where both shapes fit (two rows of two), headings name columns, labels name rows; with
    // both or neither, each row is a point.
    const bool byRows = pointPerRow && (!rowPerCoordinate || headed || !labelled);
    PastedCells pasted;
    pasted.outcome = PastedCells::Outcome::Cells;
    if (byRows) {
        pasted.first = ReadColumn(column(rows, 0));
        pasted.second = ReadColumn(column(rows, 1));
    } else if (rowPerCoordinate) {
        pasted.first = ReadColumn(rows[0].cells);
        pasted.second = ReadColumn(rows[1].cells);
    } else {
        return refused(shapeRefusal(rowCount, columns));
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

PastedCells ColumnFromTable(const ClipboardTable& table, int room)
{
    if (!table.refusal.isEmpty())
        return refused(table.refusal);
    if (table.rows.isEmpty() || isSingleCell(table))
        return singleCell(table);
    if (const auto overlong = overlongCell(table.rows))
        return refused(*overlong);
    Rows rows = table.rows;
    dropHeadings(rows);
    // A row of arguments may have a label before it.
    if (rows.size() == 1)
        dropLabels(rows);
    PastedCells pasted;
    pasted.outcome = PastedCells::Outcome::Cells;
    if (rows.size() == 1) {
        pasted.first = ReadColumn(rows.first().cells);
    } else {
        for (const ClipboardRow& row : rows) {
            if (row.cells.size() != 1)
                return refused(nothingChanged(
                    QStringLiteral("Zeile %1 hat %2; Argumente werden als eine Spalte oder "
                                   "eine Zeile von Zahlen eingefügt.")
                        .arg(row.line)
                        .arg(values(row.cells.size()))));
        }
        pasted.first = ReadColumn(column(rows, 0));
    }
    if (pasted.first.size() > room)
        return refused(nothingChanged(
            QStringLiteral("Die Tabelle enthält %1; ab diesem Feld ist Platz für %2.")
                .arg(values(pasted.first.size()))
                .arg(room == 1 ? QStringLiteral("ein Argument")
                               : QStringLiteral("%1 Argumente").arg(room))));
    return pasted;
}
