#pragma once
// Tables of numbers as they come from the clipboard, fitted to the form: support points as rows
// of x and y or as an x row and a y row, or a column of arguments. A first row is a heading
// only where none of its cells holds a number, a first column is labels only where none of its
// cells does; where both shapes would fit, they tell which one the table has. Every row of data
// goes in; a cell that reads otherwise than it shows is marked.

#include "ui/ClipboardTable.h"
#include "ui/SpreadsheetNumbers.h"

struct PastedCells
{
    enum class Outcome
    {
        NotATable, // one cell: `first` holds it alone, as read; nothing at all: none
        Cells,
        Refused // `refusal` says what was found; nothing is to change
    };
    Outcome outcome = Outcome::NotATable;
    QList<CellReading> first;  // the abscissae, or the column
    QList<CellReading> second; // the ordinates
    QString refusal;
};

// Support points: n rows of "x y", or a row of x and a row of y, 2 to 10 of them.
PastedCells PointsFromTable(const ClipboardTable& table);

// A column, or a row, of at most `room` cells.
PastedCells ColumnFromTable(const ClipboardTable& table, int room);
