#include "ui/SpreadsheetNumbers.h"

#include "framework/NumberText.h"

#include <optional>

namespace {

constexpr QChar kUnicodeMinus(0x2212);

// Blanks and apostrophes that group digits: "1 234", "1 234" (no-break), "1'234".
bool isGroupingBlank(QChar c)
{
    return c == u' ' || c == QChar(0xA0) || c == QChar(0x202F) || c == QChar(0x2009) ||
           c == u'\'' || c == QChar(0x2019);
}

bool isCurrency(QChar c)
{
    return c == QChar(0x20AC) || c == u'$' || c == QChar(0xA3) || c == QChar(0xA5);
}

QChar otherSign(QChar sign)
{
    return sign == u'.' ? u',' : u'.';
}

// A number as a spreadsheet shows it, taken apart.
struct Shown
{
    bool negative = false;
    QString integer;  // digits before the decimal sign, grouping left out
    QString fraction; // digits after it
    QString exponent; // "E-05" as written, the minus plain; empty if none
    bool percent = false;
    // Symbols, grouping or a Unicode minus: the text does not read as it stands.
    bool dressed = false;
    QChar decimalSign; // the decimal sign the cell shows, if it tells
    // The one '.' or ',' that may be the decimal sign or a thousands separator ("1.234"); the
    // digits around it are in `integer` and `fraction`.
    QChar eitherSign;
    // The decimal sign the cell's spelling implies for its column: its own, or the other one
    // of a thousands separator ("1.000.000" implies ',').
    QChar impliedDecimal;
};

// Sign and currency, in either order: "-$3.00", "$-3.00", "-3,00 €", "€ -3".
void takeSignAndCurrency(QString& text, Shown& shown)
{
    bool signTaken = false;
    const auto takeSign = [&] {
        if (!signTaken && !text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
            shown.negative = text[0] == u'-';
            signTaken = true;
            text.remove(0, 1);
        }
    };
    takeSign();
    if (!text.isEmpty() && isCurrency(text.front())) {
        text = text.mid(1).trimmed();
        shown.dressed = true;
        takeSign();
    } else if (!text.isEmpty() && isCurrency(text.back())) {
        text.chop(1);
        text = text.trimmed();
        shown.dressed = true;
    }
}

// Digit groups and the separators between them, then an exponent: "1.234.567,89", "1,00E-05".
std::optional<Shown> shownNumber(const QString& cellText)
{
    Shown shown;
    QString text = cellText.trimmed();
    if (text.contains(kUnicodeMinus)) {
        text.replace(kUnicodeMinus, u'-');
        shown.dressed = true;
    }
    if (text.endsWith(u'%')) {
        text.chop(1);
        text = text.trimmed();
        shown.percent = shown.dressed = true;
    }
    takeSignAndCurrency(text, shown);

    QStringList groups{QString()};
    QString separators;
    qsizetype i = 0;
    for (; i < text.size() && text[i] != u'e' && text[i] != u'E'; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            groups.last() += c;
        } else if (c == u'.' || c == u',' || isGroupingBlank(c)) {
            if (groups.last().isEmpty() && (groups.size() > 1 || isGroupingBlank(c)))
                return std::nullopt;
            separators += c;
            groups << QString();
        } else {
            return std::nullopt;
        }
    }
    if (groups.last().isEmpty())
        return std::nullopt;
    if (i < text.size()) {
        shown.exponent = text.mid(i);
        const QStringView digits = QStringView(shown.exponent).mid(1);
        const QStringView unsignedDigits =
            digits.startsWith(u'-') || digits.startsWith(u'+') ? digits.mid(1) : digits;
        if (unsignedDigits.isEmpty())
            return std::nullopt;
        for (QChar c : unsignedDigits) {
            if (!c.isDigit() || c.unicode() >= 128)
                return std::nullopt;
        }
    }

    // Which separator is the decimal sign: the last '.' or ',' where it comes once and the
    // other kind before it; none where one kind comes more than once.
    qsizetype decimalAt = -1;
    qsizetype points = separators.count(u'.');
    qsizetype commas = separators.count(u',');
    if (points + commas > 0) {
        qsizetype last = separators.size() - 1;
        while (isGroupingBlank(separators[last]))
            --last;
        const QChar lastSign = separators[last];
        const qsizetype sameAsLast = lastSign == u'.' ? points : commas;
        if (sameAsLast == 1) {
            decimalAt = last;
        } else if (sameAsLast != points + commas) {
            return std::nullopt; // "1.234,567.8"
        }
        if (last != separators.size() - 1)
            return std::nullopt; // grouping after the decimal sign
    }
    // Every separator but the decimal sign groups: three digits after it, one to three before
    // the first.
    bool grouped = false;
    for (qsizetype s = 0; s < separators.size(); ++s) {
        if (s == decimalAt)
            continue;
        grouped = true;
        if (groups[s + 1].size() != 3)
            return std::nullopt;
    }
    if (grouped && (groups[0].isEmpty() || groups[0].size() > 3))
        return std::nullopt;

    for (qsizetype g = 0; g < groups.size(); ++g) {
        if (g == decimalAt + 1 && decimalAt >= 0)
            shown.fraction = groups[g];
        else
            shown.integer += groups[g];
    }
    shown.dressed = shown.dressed || grouped;
    if (decimalAt >= 0) {
        const QChar sign = separators[decimalAt];
        const bool decides = grouped || !shown.exponent.isEmpty() || shown.fraction.size() != 3 ||
                             groups[0].isEmpty() || groups[0].startsWith(u'0') ||
                             groups[0].size() > 3;
        if (decides) {
            shown.decimalSign = sign;
            shown.impliedDecimal = sign;
        } else {
            shown.eitherSign = sign;
        }
    } else if (points + commas > 0) {
        shown.impliedDecimal = otherSign(points > 0 ? QChar(u'.') : QChar(u','));
    }
    return shown;
}

// The number as Kurvalo reads it: grouping and symbols left out, a percentage as its fraction.
QString plainText(const Shown& shown, QChar decimalSign)
{
    QString integer = shown.integer;
    QString fraction = shown.fraction;
    QString exponent = shown.exponent;
    if (shown.percent && !exponent.isEmpty()) {
        // Two less in the exponent; its digits are few, anything longer is beyond any double.
        const qlonglong power = QStringView(exponent).mid(1).toLongLong();
        exponent = exponent.left(1) + QString::number(power - 2);
    } else if (shown.percent) {
        const QString digits = integer + fraction;
        const qsizetype point = integer.size() - 2;
        integer = point <= 0 ? QStringLiteral("0") : digits.left(point);
        fraction = point <= 0 ? QString(-point, u'0') + digits : digits.mid(point);
        while (integer.size() > 1 && integer.startsWith(u'0'))
            integer.remove(0, 1);
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
    }
    QString text = shown.negative ? QStringLiteral("-") : QString();
    text += integer;
    if (!fraction.isEmpty())
        text += decimalSign + fraction;
    return text + exponent;
}

QString readAs(const QString& text)
{
    return QStringLiteral("Gelesen als ") + Str(Val(text));
}

// One sign is the decimal one wherever the cells that tell agree on it.
QChar columnDecimalSign(const QList<std::optional<Shown>>& shown)
{
    QChar sign;
    for (const auto& cell : shown) {
        if (!cell || cell->impliedDecimal.isNull())
            continue;
        if (!sign.isNull() && sign != cell->impliedDecimal)
            return {};
        sign = cell->impliedDecimal;
    }
    return sign;
}

CellReading readCell(const QString& text, const std::optional<Shown>& shown, QChar columnSign)
{
    if (!shown)
        return {text, ReadsEntirely(text) ? QString() : readAs(text)};
    Shown meant = *shown;
    if (!meant.eitherSign.isNull()) {
        const QChar either = meant.eitherSign;
        if (columnSign.isNull()) {
            // As Val reads it, and said so: the other reading is one click away for the person.
            const QString asDecimal = meant.dressed ? plainText(meant, either) : text;
            Shown grouping = meant;
            grouping.integer += grouping.fraction;
            grouping.fraction.clear();
            return {asDecimal,
                    readAs(asDecimal) +
                        (either == u'.' ? QStringLiteral(". Ist der Punkt ein "
                                                         "Tausendertrennzeichen, ist es ")
                                        : QStringLiteral(". Ist das Komma ein "
                                                         "Tausendertrennzeichen, ist es ")) +
                        Str(Val(plainText(grouping, u'.'))) + u'.'};
        }
        if (either == columnSign) {
            meant.decimalSign = either;
        } else {
            meant.integer += meant.fraction;
            meant.fraction.clear();
            meant.dressed = true;
        }
    }
    if (!meant.dressed && ReadsEntirely(text))
        return {text, {}};
    const QChar sign = !meant.decimalSign.isNull() ? meant.decimalSign
                       : !columnSign.isNull()      ? columnSign
                                                   : QChar(u'.');
    return {plainText(meant, sign), {}};
}

} // namespace

bool HoldsNumber(const ClipboardCell& cell)
{
    return (!cell.value.isEmpty() && ReadsEntirely(cell.value)) || shownNumber(cell.text) ||
           ScanNumber(cell.text).kind != NumberPrefix::Kind::None;
}

QList<CellReading> ReadColumn(const QList<ClipboardCell>& cells)
{
    QList<std::optional<Shown>> shown;
    for (const ClipboardCell& cell : cells)
        shown << shownNumber(cell.text);
    const QChar columnSign = columnDecimalSign(shown);

    QList<CellReading> readings;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const ClipboardCell& cell = cells[i];
        if (!cell.value.isEmpty() && ReadsEntirely(cell.value)) {
            // What the spreadsheet holds; where it showed no number, the person may want to
            // know what it showed (a date is a count of days).
            const bool shownAsNumber = shown[i] || ReadsEntirely(cell.text);
            readings << CellReading{
                Str(Val(cell.value)),
                shownAsNumber ? QString()
                              : QStringLiteral("Eingefügt ist der Wert der Zelle; sie zeigte »%1«")
                                    .arg(cell.text)};
            continue;
        }
        readings << readCell(cell.text, shown[i], columnSign);
    }
    return readings;
}
