// The first table of an HTML clipboard, as LibreOffice, Excel, Gnumeric and web browsers put
// it there: a small reader of rows and cells, their texts and the values spreadsheets write
// beside them, that stops at the table's end or at the bounds of what the form can take.

#include "ui/ClipboardRowCells.h"
#include "ui/ClipboardTable.h"

#include <QHash>

namespace {

struct Tag
{
    QStringView name; // lower case not guaranteed; compare without case
    bool closing = false;
    qsizetype end = 0; // just after '>'
    QStringView attributes;
};

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u':' || c == u'-' || c == u'_';
}

// The tag starting at text[pos] == '<'; comments and declarations are tags without a name.
Tag tagAt(QStringView text, qsizetype pos)
{
    Tag tag;
    if (text.mid(pos).startsWith(u"<!--")) {
        const qsizetype end = text.indexOf(u"-->", pos + 4);
        tag.end = end < 0 ? text.size() : end + 3;
        return tag;
    }
    qsizetype i = pos + 1;
    if (i < text.size() && text[i] == u'/') {
        tag.closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < text.size() && isNameChar(text[i]))
        ++i;
    tag.name = text.mid(nameStart, i - nameStart);
    // A '>' inside a quoted attribute value does not end the tag.
    QChar quote;
    const qsizetype attributesStart = i;
    for (; i < text.size(); ++i) {
        if (!quote.isNull()) {
            if (text[i] == quote)
                quote = QChar();
        } else if (text[i] == u'"' || text[i] == u'\'') {
            quote = text[i];
        } else if (text[i] == u'>') {
            break;
        }
    }
    tag.attributes = text.mid(attributesStart, i - attributesStart);
    tag.end = std::min(i + 1, text.size());
    return tag;
}

bool named(const Tag& tag, QStringView name)
{
    return tag.name.compare(name, Qt::CaseInsensitive) == 0;
}

QString decodedEntities(QStringView text);

// The value of an attribute: quoted, unquoted, or empty where it stands alone ("x:num").
std::optional<QString> attribute(QStringView attributes, QStringView name)
{
    qsizetype i = 0;
    while (i < attributes.size()) {
        while (i < attributes.size() && !isNameChar(attributes[i]))
            ++i;
        const qsizetype nameStart = i;
        while (i < attributes.size() && isNameChar(attributes[i]))
            ++i;
        const QStringView found = attributes.mid(nameStart, i - nameStart);
        while (i < attributes.size() && attributes[i].isSpace())
            ++i;
        QStringView value;
        if (i < attributes.size() && attributes[i] == u'=') {
            ++i;
            while (i < attributes.size() && attributes[i].isSpace())
                ++i;
            if (i < attributes.size() && (attributes[i] == u'"' || attributes[i] == u'\'')) {
                const QChar quote = attributes[i++];
                qsizetype end = attributes.indexOf(quote, i);
                if (end < 0)
                    end = attributes.size();
                value = attributes.mid(i, end - i);
                i = end + 1;
            } else {
                const qsizetype start = i;
                while (i < attributes.size() && !attributes[i].isSpace())
                    ++i;
                value = attributes.mid(start, i - start);
            }
        }
        if (!found.isEmpty() && found.compare(name, Qt::CaseInsensitive) == 0)
            return decodedEntities(value);
    }
    return std::nullopt;
}

// "&nbsp;", "&#8722;", "&#x2212;", "&euro;" and the like; an unknown entity stays as it is.
QString decodedEntities(QStringView text)
{
    static const QHash<QString, QChar> named = {
        {"amp", u'&'},
        {"lt", u'<'},
        {"gt", u'>'},
        {"quot", u'"'},
        {"apos", u'\''},
        {"nbsp", QChar(0xA0)},
        {"minus", QChar(0x2212)},
        {"euro", QChar(0x20AC)},
        {"pound", u'£'},
        {"yen", u'¥'},
        {"thinsp", QChar(0x2009)},
        {"ensp", u' '},
        {"emsp", u' '},
        {"shy", QChar()},
        {"percnt", u'%'},
        {"dollar", u'$'},
    };
    QString decoded;
    decoded.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype semicolon = text[i] == u'&' ? text.indexOf(u';', i) : -1;
        if (semicolon < 0 || semicolon - i > 10) {
            decoded += text[i++];
            continue;
        }
        const QStringView entity = text.mid(i + 1, semicolon - i - 1);
        bool known = false;
        if (entity.startsWith(u'#')) {
            const bool hex = entity.size() > 1 && (entity[1] == u'x' || entity[1] == u'X');
            const uint code = entity.mid(hex ? 2 : 1).toUInt(&known, hex ? 16 : 10);
            if (known && code > 0 && code <= 0x10FFFF)
                decoded += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            else
                known = false;
        } else if (const auto found = named.find(entity.toString()); found != named.end()) {
            known = true;
            if (!found->isNull())
                decoded += *found;
        }
        if (known)
            i = semicolon + 1;
        else
            decoded += text[i++];
    }
    return decoded;
}

// A cell's inner HTML as the text it shows: tags left out, blanks run together.
QString shownText(QStringView inner)
{
    QString text;
    qsizetype i = 0;
    while (i < inner.size()) {
        if (inner[i] == u'<') {
            i = tagAt(inner, i).end;
            text += u' ';
            continue;
        }
        const qsizetype next = inner.indexOf(u'<', i);
        const qsizetype end = next < 0 ? inner.size() : next;
        text += decodedEntities(inner.mid(i, end - i));
        i = end;
    }
    // Blanks of the markup collapse; a no-break space stays, it may be part of a number.
    QString collapsed;
    bool blank = false;
    for (QChar c : text) {
        const bool markupBlank = c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
        if (markupBlank) {
            blank = !collapsed.isEmpty();
            continue;
        }
        if (blank)
            collapsed += u' ';
        blank = false;
        collapsed += c;
    }
    return collapsed.trimmed();
}

// What the page shows where it has no table: its text, a line for each block.
QString pageText(QStringView html)
{
    QString text;
    qsizetype i = 0;
    while (i < html.size()) {
        if (html[i] == u'<') {
            const Tag tag = tagAt(html, i);
            static const QStringView blocks[] = {u"br", u"p", u"div", u"li", u"tr", u"h1", u"h2"};
            for (QStringView block : blocks) {
                if (named(tag, block))
                    text += u'\n';
            }
            if (!tag.closing && (named(tag, u"style") || named(tag, u"script") ||
                                 named(tag, u"head") || named(tag, u"title"))) {
                const QString close = QStringLiteral("</") + tag.name.toString();
                const qsizetype end = html.indexOf(close, tag.end, Qt::CaseInsensitive);
                i = end < 0 ? html.size() : end;
                continue;
            }
            i = tag.end;
            continue;
        }
        const qsizetype next = html.indexOf(u'<', i);
        const qsizetype end = next < 0 ? html.size() : next;
        text += decodedEntities(html.mid(i, end - i));
        i = end;
    }
    return text;
}

// A spreadsheet's value beside the cell's text: LibreOffice's sdval (written with its own
// decimal sign), or Excel's x:num where it carries one.
QString valueOf(QStringView attributes)
{
    if (const auto value = attribute(attributes, u"sdval"))
        return value->trimmed();
    if (const auto value = attribute(attributes, u"x:num"))
        return value->trimmed();
    return {};
}

} // namespace

ClipboardTable TableFromHtml(QStringView html)
{
    if (html.size() > kMostClipboardChars)
        return RefusedTable(TooLongToRead(html.size()));
    const qsizetype tableStart = html.indexOf(u"<table", 0, Qt::CaseInsensitive);
    if (tableStart < 0)
        return TableFromText(pageText(html));

    ClipboardTable table;
    table.delimited = true;
    QString refusal;
    int depth = 0; // of tables inside the first one, whose cells are its cell's text
    int rowNumber = 0;
    std::optional<RowCells> row;
    qsizetype cellStart = -1;
    QStringView cellAttributes;
    const auto endCell = [&](qsizetype at) {
        if (cellStart < 0 || !row)
            return true;
        const QString text = shownText(html.mid(cellStart, at - cellStart));
        cellStart = -1;
        if (row->Add(text, valueOf(cellAttributes)))
            return true;
        refusal = row->refusal;
        return false;
    };
    const auto endRow = [&](qsizetype at) {
        if (!endCell(at))
            return false;
        if (row && !row->row.cells.isEmpty()) {
            if (table.rows.size() == kMostTableRows) {
                refusal = TooManyRows();
                return false;
            }
            table.rows.append(std::move(row->row));
        }
        row.reset();
        return true;
    };

    qsizetype pos = html.indexOf(u'>', tableStart) + 1;
    bool ended = false;
    while (!ended && pos > 0 && pos < html.size()) {
        const qsizetype open = html.indexOf(u'<', pos);
        if (open < 0)
            break;
        const Tag tag = tagAt(html, open);
        pos = tag.end;
        bool fine = true;
        if (named(tag, u"table")) {
            if (!tag.closing)
                ++depth;
            else if (depth > 0)
                --depth;
            else
                ended = true;
        } else if (depth == 0 && named(tag, u"tr")) {
            fine = endRow(open);
            if (!tag.closing)
                row.emplace(++rowNumber);
        } else if (depth == 0 && (named(tag, u"td") || named(tag, u"th"))) {
            fine = endCell(open);
            if (!tag.closing) {
                if (!row)
                    row.emplace(++rowNumber);
                cellStart = tag.end;
                cellAttributes = tag.attributes;
            }
        }
        if (!fine)
            return RefusedTable(refusal);
        if (ended && !endRow(open))
            return RefusedTable(refusal);
    }
    // A table cut off before its end keeps the rows it had.
    if (!ended && !endRow(html.size()))
        return RefusedTable(refusal);
    return table;
}
