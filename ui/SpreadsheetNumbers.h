#pragma once
// Numbers as spreadsheets show them: "1.234,50" and "1,234.50", "12,00 %", "5,00 €", "-$3.00",
// "−1" with a Unicode minus. A cell is read as its spreadsheet meant it where the cell, or else
// its column, tells which sign is the decimal one; where nothing tells ("1.234" alone), it goes
// in as it stands and says what it reads as.

#include "ui/ClipboardTable.h"

struct CellReading
{
    QString text; // what the field gets
    QString mark; // why the field is marked at the paste; empty where it reads as meant
};

// The cells of one column (or row) of a table, the value a spreadsheet gave a cell before its
// text.
QList<CellReading> ReadColumn(const QList<ClipboardCell>& cells);

// Whether the cell holds a number, or starts like one: headings and labels do not.
bool HoldsNumber(const ClipboardCell& cell);
