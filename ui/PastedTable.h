#pragma once
// Tables of numbers as they come from the clipboard: a spreadsheet's cells, a measurement log,
// a table in a text. Rows end in any line end; cells are separated by tabs, semicolons, or runs
// of spaces. Blank rows, a first row of headings and a first column of labels are left out.
// Each cell keeps its text as it stands, trimmed of surrounding blanks: reading it is the
// compute's business.

#include <QString>
#include <QStringList>

struct PastedCells
{
    enum class Outcome
    {
        NotATable, // one cell: the field pastes it itself
        Cells,
        Refused // `refusal` says what was found; nothing is to change
    };
    Outcome outcome = Outcome::NotATable;
    QStringList first;  // the abscissae, or the column
    QStringList second; // the ordinates
    QString refusal;
};

// Support points: n rows of "x y", or a row of x and a row of y, 2 to 10 of them. (Two rows of
// two cells are two points, one a row.)
PastedCells PointsFromTable(const QString& text);

// A column, or a row, of at most `room` cells.
PastedCells ColumnFromTable(const QString& text, int room);

// The one line of text that is no table: a spreadsheet copies a single cell with a line end,
// which is no part of it.
QString SingleCell(const QString& text);
