#pragma once
// What the text and the HTML reader of clipboard tables share: the bounds of a row, and the
// words of a refusal.

#include "calc/ExactLimits.h"
#include "ui/ClipboardTable.h"

#include <QLocale>

// 52428800 as "52.428.800".
inline QString Thousands(qsizetype count)
{
    return QLocale(QLocale::German).toString(qlonglong(count));
}

inline QString NothingPasted(const QString& found)
{
    return found + QStringLiteral(" Nichts wurde eingefügt.");
}

inline ClipboardTable RefusedTable(const QString& why)
{
    ClipboardTable table;
    table.refusal = why;
    return table;
}

inline QString TooManyRows()
{
    return NothingPasted(QStringLiteral("Die Tabelle hat mehr als %1 Zeilen; Kurvalo rechnet mit "
                                        "2 bis 10 Stützstellen.")
                             .arg(kMostTableRows));
}

// Cells of a row as they are split off, the empty ones at its end left out, at most
// kMostTableCells of them.
class RowCells
{
public:
    explicit RowCells(int line)
        : row{line, {}}
    {
    }
    // False once the row holds more cells than any table the form can take.
    bool Add(QString text, QString value = {})
    {
        if (text.isEmpty() && value.isEmpty()) {
            ++emptyCells; // kept only where a filled cell follows
            return true;
        }
        if (row.cells.size() + emptyCells >= kMostTableCells) {
            refusal = NothingPasted(QStringLiteral("Zeile %1 hat mehr als %2 Werte; Kurvalo "
                                                   "rechnet mit 2 bis 10 Stützstellen.")
                                        .arg(row.line)
                                        .arg(kMostTableCells));
            return false;
        }
        for (; emptyCells > 0; --emptyCells)
            row.cells.append(ClipboardCell{});
        row.cells.append({std::move(text), std::move(value)});
        return true;
    }
    ClipboardRow row;
    QString refusal;

private:
    qsizetype emptyCells = 0;
};
