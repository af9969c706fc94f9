#include "ui/ClipboardTable.h"

#include "ui/ClipboardRowCells.h"

#include <QMimeData>

namespace {

enum class Separator
{
    Tab,
    Semicolon,
    Comma,
    Blanks
};

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Blanks between cells; a no-break or thin space belongs to the number it stands in.
bool isCellBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v';
}

struct Line
{
    int number;
    QStringView text;
};

// The lines with anything in them, at most `most`; `more` tells whether another one follows.
QList<Line> filledLines(QStringView text, qsizetype most, bool& more)
{
    QList<Line> lines;
    qsizetype pos = 0;
    for (int number = 1;; ++number) {
        qsizetype end = pos;
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
        const QStringView line = text.mid(pos, end - pos);
        if (!line.trimmed().isEmpty()) {
            if (lines.size() == most) {
                more = true;
                return lines;
            }
            lines.append({number, line});
        }
        if (end >= text.size())
            return lines;
        pos = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
}

// The cells between separators; a cell in double quotes may hold the separator, and "" in it
// stands for one quote.
void splitDelimited(QStringView line, QChar separator, RowCells& cells)
{
    qsizetype pos = 0;
    while (true) {
        qsizetype start = pos;
        while (start < line.size() && line[start] != separator && isCellBlank(line[start]))
            ++start;
        QString cell;
        qsizetype end = start;
        if (start < line.size() && line[start] == u'"') {
            for (end = start + 1; end < line.size(); ++end) {
                if (line[end] == u'"') {
                    if (end + 1 < line.size() && line[end + 1] == u'"')
                        ++end;
                    else
                        break;
                }
                cell += line[end];
            }
            cell = cell.trimmed();
            while (end < line.size() && line[end] != separator)
                ++end;
        } else {
            end = line.indexOf(separator, start);
            if (end < 0)
                end = line.size();
            cell = line.mid(start, end - start).trimmed().toString();
        }
        if (!cells.Add(std::move(cell)))
            return;
        if (end >= line.size())
            return;
        pos = end + 1;
    }
}

void splitAtBlanks(QStringView line, RowCells& cells)
{
    qsizetype pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && isCellBlank(line[pos]))
            ++pos;
        qsizetype end = pos;
        while (end < line.size() && !isCellBlank(line[end]))
            ++end;
        if (end > pos && !cells.Add(line.mid(pos, end - pos).toString()))
            return;
        pos = end;
    }
}

// Commas outside double quotes.
qsizetype commasIn(QStringView line)
{
    qsizetype commas = 0;
    bool quoted = false;
    for (QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            ++commas;
    }
    return commas;
}

bool hasDigit(QStringView text)
{
    for (QChar c : text) {
        if (c.isDigit())
            return true;
    }
    return false;
}

// A decimal point with other than three digits after it, as in "2.25": no German number with a
// thousands point looks like that.
bool hasDecimalPoint(QStringView cell)
{
    const qsizetype point = cell.indexOf(u'.');
    if (point < 0)
        return false;
    qsizetype digits = 0;
    while (point + 1 + digits < cell.size() && cell[point + 1 + digits].isDigit())
        ++digits;
    return digits != 3 || point + 1 + digits < cell.size();
}

// "x,y" / "1.5,2.25": every line has as many commas, no cell has a blank inside, and something
// tells the commas from decimal commas: more than one a line, a heading without digits, a
// decimal point, or a blank after a comma. "1,5" / "2,5" stays a column of decimal commas.
bool commaSeparated(const QList<Line>& lines)
{
    if (lines.size() < 2)
        return false;
    const qsizetype commas = commasIn(lines.first().text);
    if (commas == 0)
        return false;
    bool told = commas >= 2 || !hasDigit(lines.first().text);
    for (const Line& line : lines) {
        if (commasIn(line.text) != commas)
            return false;
        for (QStringView cell : line.text.split(u',')) {
            if (!cell.isEmpty() && isCellBlank(cell.first()))
                told = true;
            const QStringView trimmed = cell.trimmed();
            for (QChar c : trimmed) {
                if (isCellBlank(c))
                    return false;
            }
            told = told || hasDecimalPoint(trimmed);
        }
    }
    return told;
}

Separator separatorOf(const QList<Line>& lines)
{
    const auto anyHas = [&](QChar c) {
        for (const Line& line : lines) {
            if (line.text.contains(c))
                return true;
        }
        return false;
    };
    if (anyHas(u'\t'))
        return Separator::Tab;
    if (anyHas(u';'))
        return Separator::Semicolon;
    if (commaSeparated(lines))
        return Separator::Comma;
    return Separator::Blanks;
}

} // namespace

bool ClipboardTable::HasValues() const
{
    for (const ClipboardRow& row : rows) {
        for (const ClipboardCell& cell : row.cells) {
            if (!cell.value.isEmpty())
                return true;
        }
    }
    return false;
}

QString TooLongToRead(qsizetype length)
{
    return NothingPasted(QStringLiteral("Die Zwischenablage enthält %1 Zeichen, mehr als eine "
                                        "Tabelle von 10 Stützstellen je braucht (höchstens %2).")
                             .arg(Thousands(length), Thousands(kMostClipboardChars)));
}

ClipboardTable TableFromText(QStringView text)
{
    if (text.size() > kMostClipboardChars)
        return RefusedTable(TooLongToRead(text.size()));
    // A byte-order mark is no part of the first cell.
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1);
    bool more = false;
    const QList<Line> lines = filledLines(text, kMostTableRows, more);
    if (more)
        return RefusedTable(TooManyRows());

    ClipboardTable table;
    const Separator separator = separatorOf(lines);
    table.delimited = separator != Separator::Blanks;
    // One line with blanks in it is one cell, as typed: "1 234", "etwa 5 kg".
    if (!table.delimited && lines.size() == 1) {
        table.rows.append({lines.first().number, {{lines.first().text.trimmed().toString(), {}}}});
        return table;
    }
    for (const Line& line : lines) {
        RowCells cells(line.number);
        switch (separator) {
        case Separator::Tab:
            splitDelimited(line.text, u'\t', cells);
            break;
        case Separator::Semicolon:
            splitDelimited(line.text, u';', cells);
            break;
        case Separator::Comma:
            splitDelimited(line.text, u',', cells);
            break;
        case Separator::Blanks:
            splitAtBlanks(line.text, cells);
            break;
        }
        if (!cells.refusal.isEmpty())
            return RefusedTable(cells.refusal);
        if (!cells.row.cells.isEmpty())
            table.rows.append(std::move(cells.row));
    }
    return table;
}

ClipboardTable TableFromClipboard(const QMimeData& clipboard)
{
    const QString html = clipboard.hasHtml() ? clipboard.html() : QString();
    const QString text = clipboard.hasText() ? clipboard.text() : QString();
    if (!html.isEmpty()) {
        ClipboardTable table = TableFromHtml(html);
        if (text.isEmpty() || (table.refusal.isEmpty() && table.HasValues()))
            return table;
    }
    return TableFromText(text);
}
