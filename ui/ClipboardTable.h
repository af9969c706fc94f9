#pragma once
// A table as it comes from the clipboard: rows of cells, each with the text a spreadsheet shows
// and, where the spreadsheet wrote it down (LibreOffice's `sdval`, Excel's `x:num` in their
// HTML), the value the cell holds. Reading stops as soon as the table is larger than any table
// the form can take, so that a clipboard of any size is refused at once.

#include <QList>
#include <QString>
#include <QStringView>

class QMimeData;

struct ClipboardCell
{
    QString text;  // as shown, trimmed of blanks
    QString value; // the value the cell holds, as its spreadsheet wrote it; empty if not given
};

struct ClipboardRow
{
    int line; // 1-based: the line of the text, or the row of the HTML table
    QList<ClipboardCell> cells;
};

struct ClipboardTable
{
    QList<ClipboardRow> rows; // blank rows and empty cells at a row's end left out
    bool delimited = false;   // cells came separated by tabs, semicolons, commas or as HTML cells
    QString refusal;          // not empty: the clipboard is more than a paste can use, and why

    bool HasValues() const;
};

// Ten points, a heading and a label column, and one more to tell that there are too many.
constexpr qsizetype kMostTableRows = 12;
constexpr qsizetype kMostTableCells = 12;
// No table the form can take is longer than this; the whole of a longer text is not read.
constexpr qsizetype kMostClipboardChars = qsizetype(1) << 20;

// Rows end in any line end; cells are separated by tabs, else semicolons, else commas where the
// text is plainly comma-separated ("x,y" / "1.5,2.25"), else runs of spaces. A cell in double
// quotes may hold the separator.
ClipboardTable TableFromText(QStringView text);
// The first table of the HTML; a text without a table is read as text.
ClipboardTable TableFromHtml(QStringView html);
// The HTML's table where it carries the cells' values, else the text, else the HTML's table.
ClipboardTable TableFromClipboard(const QMimeData& clipboard);

// "Die Zwischenablage enthält 52.428.800 Zeichen; …": a text too long to be read.
QString TooLongToRead(qsizetype length);
