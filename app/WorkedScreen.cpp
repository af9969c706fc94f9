// The worked solution written into a QTextDocument with a cursor: fractions are inline objects
// of the document's layout, which HTML cannot name, and each piece says how it is heard and
// copied where that is not what it shows.

#include "app/WorkedScreen.h"

#include "app/WorkedFormula.h"
#include "app/WorkedWords.h"
#include "framework/RichTextView.h"
#include "framework/SpokenText.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <functional>

namespace {

using namespace worked;

constexpr int kLongestInteger = 60;
constexpr int kShownEnds = 12;
const QColor kMarkColour(0xB0, 0x00, 0x00);
const QColor kDiagonalColour(0xFF, 0xE9, 0xA8);
const QColor kHeaderColour(0xE8, 0xE8, 0xE8);
const QString kMinus = QStringLiteral("\u2212");

// Subscript digits for indices in running text: "x₁₀".
QString subscript(int index)
{
    QString text;
    for (const QChar digit : QString::number(index))
        text += QChar(0x2080 + digit.digitValue());
    return text;
}

QString heardInteger(const QString& digits)
{
    return digits.size() > kLongestInteger
               ? QStringLiteral("eine Zahl mit %1 Ziffern").arg(digits.size())
               : digits;
}

// Text as a voice should read it: minus and times in words, a slash as "durch".
QString heardFormula(QString text)
{
    text.replace(kMinus, QStringLiteral(" minus "))
        .replace(u'/', QStringLiteral(" durch "))
        .replace(QStringLiteral("·"), QStringLiteral(" mal "));
    return NumbersInWords(text).simplified();
}

QString flatFraction(const ExactFraction& value)
{
    QString text = value.negative ? kMinus : QString();
    text += ShortenedInteger(value.numerator);
    if (!value.IsWhole())
        text += u'/' + ShortenedInteger(value.denominator);
    return text;
}

class ScreenWriter final : public FormulaNotation
{
public:
    explicit ScreenWriter(QTextDocument& document)
        : cursor(&document)
    {
        base = cursor.charFormat();
    }

    void Heading(const char* title)
    {
        if (!cursor.atStart())
            cursor.insertBlock(blockFormat(12));
        QTextCharFormat heading = base;
        heading.setFontWeight(QFont::Bold);
        heading.setFontPointSize(cursor.document()->defaultFont().pointSizeF() * 1.25);
        cursor.insertText(QString::fromUtf8(title), heading);
        cursor.setCharFormat(base);
        Paragraph();
    }
    void Paragraph() { cursor.insertBlock(blockFormat(4)); }
    void Text(const QString& shown, const QString& heard = {}, const QString& copied = {})
    {
        RichText::InsertText(cursor, shown, heard, copied);
    }
    void Marked(const QString& text)
    {
        QTextCharFormat format = base;
        format.setForeground(kMarkColour);
        RichText::InsertText(cursor, QStringLiteral("⚠ ") + text, text, text, format);
    }
    void Subscript(int index)
    {
        Text(subscript(index), QStringLiteral(" %1").arg(index), QStringLiteral("_%1").arg(index));
    }
    void Equals() { Text(QStringLiteral(" = "), QStringLiteral(" gleich ")); }
    void Minus() { Text(kMinus, QStringLiteral("minus "), QStringLiteral("-")); }

    // A number alone or as a coefficient: stacked where it is a fraction.
    void Number(const ExactFraction& value)
    {
        if (value.negative)
            Minus();
        const ExactFraction magnitude = Unsigned(value);
        if (magnitude.IsWhole()) {
            Integer(magnitude.numerator);
            return;
        }
        const QString copied = FractionText(magnitude);
        const bool shortened = magnitude.numerator.size() > kLongestInteger ||
                               magnitude.denominator.size() > kLongestInteger;
        RichText::InsertFraction(
            cursor, ShortenedInteger(magnitude.numerator), ShortenedInteger(magnitude.denominator),
            QStringLiteral("%1 durch %2")
                .arg(heardInteger(magnitude.numerator), heardInteger(magnitude.denominator)),
            copied, shortened ? copied : QString());
    }
    void Integer(const QString& digits)
    {
        if (digits.size() <= kLongestInteger) {
            Text(digits);
            return;
        }
        QTextCharFormat format = base;
        format.setToolTip(digits);
        RichText::InsertText(cursor, ShortenedInteger(digits), heardInteger(digits), digits,
                             format);
    }
    void Decimal(const ExactDecimal& decimal)
    {
        const QString text = DecimalText(decimal);
        const QString heard = NumbersInWords(QString(text).remove(QStringLiteral("…")));
        Text(QString(text).replace(u'-', kMinus),
             (decimal.moreFollow ? QStringLiteral("ungefähr ") : QString()) + heard, text);
    }
    // A field's text as it stands, the ear gets it with commas; a long one is shortened in the
    // middle, whole in its tooltip and when copied.
    void Shown(const QString& text)
    {
        if (text.size() <= kLongestInteger) {
            Text(text, NumbersInWords(text));
            return;
        }
        QTextCharFormat format = cursor.charFormat();
        format.setToolTip(text);
        RichText::InsertText(cursor,
                             QStringLiteral("%1…(%2 Zeichen)…%3")
                                 .arg(text.left(kShownEnds))
                                 .arg(text.size())
                                 .arg(text.right(kShownEnds)),
                             QStringLiteral("ein Text von %1 Zeichen").arg(text.size()), text,
                             format);
    }

    void Formula(const Sum& sum)
    {
        Text(QStringLiteral("p(x)"), QStringLiteral("p von x"));
        Equals();
        WriteSum(sum, *this);
    }

    // A table whose first row holds the headings; each cell is written by its function.
    using Cell = std::function<void()>;
    void Table(const QList<Cell>& headings, const QList<QList<Cell>>& rows,
               const std::function<bool(int row, int column)>& emphasised = {})
    {
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(0xA0, 0xA0, 0xA0));
        // Separate borders: collapsed ones cost a table half again as much to lay out.
        format.setBorderCollapse(false);
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setHeaderRowCount(1);
        QTextTable* table = cursor.insertTable(int(rows.size()) + 1, int(headings.size()), format);
        const auto fill = [&](int row, int column, const Cell& cell, bool heading) {
            QTextTableCell tableCell = table->cellAt(row, column);
            if (heading || (emphasised && emphasised(row - 1, column))) {
                QTextTableCellFormat cellFormat = tableCell.format().toTableCellFormat();
                cellFormat.setBackground(heading ? kHeaderColour : kDiagonalColour);
                tableCell.setFormat(cellFormat);
            }
            cursor = tableCell.firstCursorPosition();
            QTextCharFormat text = base;
            if (heading || (emphasised && emphasised(row - 1, column)))
                text.setFontWeight(QFont::Bold);
            cursor.setCharFormat(text);
            if (cell)
                cell();
        };
        for (int column = 0; column < headings.size(); ++column)
            fill(0, column, headings[column], true);
        for (int row = 0; row < rows.size(); ++row) {
            for (int column = 0; column < rows[row].size(); ++column)
                fill(row + 1, column, rows[row][column], false);
        }
        cursor.movePosition(QTextCursor::End);
        cursor.setCharFormat(base);
    }

    // FormulaNotation
    void Sign(bool minus, bool first) override
    {
        if (first)
            Minus();
        else if (minus)
            Text(QStringLiteral(" ") + kMinus + QStringLiteral(" "), QStringLiteral(" minus "),
                 QStringLiteral(" - "));
        else
            Text(QStringLiteral(" + "), QStringLiteral(" plus "));
    }
    void Magnitude(const ExactFraction& magnitude) override { Number(magnitude); }
    void Times(bool afterCoefficient) override
    {
        if (afterCoefficient)
            Text(QStringLiteral("·"), QStringLiteral(" mal "), QStringLiteral("*"));
    }
    void Write(const Factor& factor) override
    {
        switch (factor.kind) {
        case Factor::Kind::Power:
            if (factor.power == 1)
                Text(QStringLiteral("x"));
            else
                Power(factor.power);
            break;
        case Factor::Kind::Shift:
            if (factor.shift.IsZero()) {
                Text(QStringLiteral("x"));
                break;
            }
            Text(QStringLiteral("(x "));
            if (factor.shift.negative)
                Text(QStringLiteral("+ "), QStringLiteral("plus "));
            else
                Text(kMinus + u' ', QStringLiteral("minus "), QStringLiteral("- "));
            Number(Unsigned(factor.shift));
            Text(QStringLiteral(")"));
            break;
        case Factor::Kind::Basis:
            Text(QStringLiteral("L"));
            Subscript(factor.index);
            Text(QStringLiteral("(x)"), QStringLiteral(" von x"));
            break;
        }
    }
    void Zero() override { Text(QStringLiteral("0")); }

    // x with its exponent raised.
    void Power(int power)
    {
        Text(QStringLiteral("x"));
        QTextCharFormat raised = cursor.charFormat();
        raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        RichText::InsertText(cursor, QString::number(power), QStringLiteral(" hoch %1 ").arg(power),
                             QStringLiteral("^%1").arg(power), raised);
    }

    QTextCursor cursor;
    QTextCharFormat base;

private:
    static QTextBlockFormat blockFormat(double topMargin)
    {
        QTextBlockFormat format;
        format.setTopMargin(topMargin);
        return format;
    }
};

// A flat product as the numerator or denominator of a stacked fraction: "(x − 1)(x − 2)".
QString flatProduct(const std::vector<Factor>& factors)
{
    QString text;
    for (const Factor& factor : factors) {
        if (factor.shift.IsZero())
            text += u'x';
        else
            text += QStringLiteral("(x %1 %2)")
                        .arg(factor.shift.negative ? QStringLiteral("+") : kMinus,
                             flatFraction(Unsigned(factor.shift)));
    }
    return text;
}

QString flatOperand(const ExactFraction& value)
{
    return value.negative ? u'(' + flatFraction(value) + u')' : flatFraction(value);
}

void points(ScreenWriter& out, const WorkedSolution& solution)
{
    out.Heading(kPoints);
    if (solution.xs.empty()) {
        out.Text(QString::fromUtf8(kNoPoints));
        return;
    }
    const auto typed = [&out](const ReadNumber& read) -> ScreenWriter::Cell {
        return [&out, read] { out.Shown(read.typed); };
    };
    const auto exact = [&out](const ReadNumber& read) -> ScreenWriter::Cell {
        return [&out, read] {
            if (read.exact)
                out.Number(*read.exact);
            else
                out.Marked(QString::fromUtf8(kNoExactValue));
        };
    };
    // "Gelesen als", as the form marks a text it read only in part.
    const auto notes = [&out](const ReadNumber& x, const ReadNumber& y) -> ScreenWriter::Cell {
        return [&out, x, y] {
            for (const auto& [name, read] : {std::pair{u'x', &x}, std::pair{u'y', &y}}) {
                if (!read->readAs.isEmpty())
                    out.Marked(QStringLiteral("%1: %2").arg(QChar(name), read->readAs));
            }
        };
    };
    QList<QList<ScreenWriter::Cell>> rows;
    for (size_t i = 0; i < solution.xs.size(); ++i) {
        const ReadNumber& x = solution.xs[i];
        const ReadNumber& y = solution.ys[i];
        rows << QList<ScreenWriter::Cell>{[&out, i] { out.Text(QString::number(i)); },
                                          typed(x),
                                          exact(x),
                                          typed(y),
                                          exact(y),
                                          notes(x, y)};
    }
    out.Table(
        {[&out] { out.Text(QStringLiteral("i")); },
         [&out] { out.Text(QStringLiteral("xᵢ eingegeben"), QStringLiteral("x i eingegeben")); },
         [&out] { out.Text(QStringLiteral("xᵢ exakt"), QStringLiteral("x i exakt")); },
         [&out] { out.Text(QStringLiteral("yᵢ eingegeben"), QStringLiteral("y i eingegeben")); },
         [&out] { out.Text(QStringLiteral("yᵢ exakt"), QStringLiteral("y i exakt")); },
         [&out] { out.Text(QStringLiteral("Hinweis")); }},
        rows);
}

void lagrange(ScreenWriter& out, const WorkedSolution& solution)
{
    out.Heading(kLagrange);
    for (size_t i = 0; i < solution.lagrange.size(); ++i) {
        const LagrangeBasis& basis = solution.lagrange[i];
        if (i > 0)
            out.Paragraph();
        Factor name;
        name.kind = Factor::Kind::Basis;
        name.index = int(i);
        out.Write(name);
        out.Equals();
        if (basis.others.empty()) {
            out.Text(QStringLiteral("1"));
            continue;
        }
        QString differences;
        for (int j : basis.others)
            differences += QStringLiteral("(%1 %2 %3)")
                               .arg(flatOperand(*solution.xs[i].exact), kMinus,
                                    flatOperand(*solution.xs[size_t(j)].exact));
        const QString numerator = flatProduct(BasisNumerator(solution, int(i)));
        const auto stacked = [&](const QString& below, const QString& copiedBelow) {
            RichText::InsertFraction(out.cursor, numerator, below,
                                     heardFormula(numerator) + QStringLiteral(" durch ") +
                                         heardFormula(below),
                                     QStringLiteral("%1 / %2")
                                         .arg(numerator, copiedBelow)
                                         .replace(kMinus, QStringLiteral("-")));
        };
        stacked(differences, differences);
        out.Equals();
        const ExactFraction& d = basis.denominator;
        stacked(flatFraction(d),
                d.negative || !d.IsWhole() ? u'(' + FractionText(d) + u')' : FractionText(d));
    }
    out.Paragraph();
    out.Formula(LagrangeSum(solution));
    out.Paragraph();
    out.Text(QStringLiteral("     = "), QStringLiteral(" gleich "));
    WriteSum(LagrangeProducts(solution), out);
}

QString schemeHeading(int order)
{
    switch (order) {
    case 0:
        return QStringLiteral("f[xᵢ]");
    case 1:
        return QStringLiteral("f[xᵢ₋₁, xᵢ]");
    case 2:
        return QStringLiteral("f[xᵢ₋₂, xᵢ₋₁, xᵢ]");
    default:
        return QStringLiteral("f[xᵢ₋%1, …, xᵢ]").arg(subscript(order));
    }
}

QString heardSchemeHeading(int order)
{
    return order == 0 ? QStringLiteral("f von x i")
                      : QStringLiteral("dividierte Differenz %1. Ordnung").arg(order);
}

void newton(ScreenWriter& out, const WorkedSolution& solution)
{
    out.Heading(kNewton);
    const int count = int(solution.scheme.size());
    QList<ScreenWriter::Cell> headings{
        [&out] { out.Text(QStringLiteral("i")); },
        [&out] { out.Text(QStringLiteral("xᵢ"), QStringLiteral("x i")); }};
    for (int k = 0; k < count; ++k)
        headings << [&out, k] { out.Text(schemeHeading(k), heardSchemeHeading(k)); };
    QList<QList<ScreenWriter::Cell>> rows;
    for (int i = 0; i < count; ++i) {
        QList<ScreenWriter::Cell> row{
            [&out, i] { out.Text(QString::number(i)); },
            [&out, &solution, i] { out.Number(*solution.xs[size_t(i)].exact); }};
        for (int k = 0; k <= i; ++k) {
            row << [&out, &solution, i, k] {
                if (k == i) {
                    out.Text(QStringLiteral("c"), QStringLiteral("Diagonale, c"));
                    out.Subscript(k);
                    out.Equals();
                }
                out.Number(solution.scheme[size_t(i)][size_t(k)]);
            };
        }
        rows << row;
    }
    out.Table(headings, rows, [](int row, int column) { return column == row + 2; });
    out.Paragraph();
    out.Text(QString::fromUtf8(kDiagonal).replace(QStringLiteral("c_k"), QStringLiteral("cₖ")),
             QString::fromUtf8(kDiagonal).replace(QStringLiteral("c_k"), QStringLiteral("c k")));
    out.Paragraph();
    out.Formula(NewtonForm(solution));
}

// "ungenau" and "ausgeblendet" beside a result, as the form marks it.
void notes(ScreenWriter& out, const WorkedResult& result, bool hidden = false)
{
    if (result.marked)
        out.Marked(QString::fromUtf8(kMarked));
    if (hidden) {
        if (result.marked)
            out.Text(QStringLiteral(", "));
        out.Text(QString::fromUtf8(kHidden));
    }
}

void exactAndDecimal(ScreenWriter& out, const WorkedResult& result)
{
    if (result.exact)
        out.Number(*result.exact);
    else
        out.Text(QString::fromUtf8(kNoExactValue));
}

void normalForm(ScreenWriter& out, const WorkedSolution& solution)
{
    out.Heading(kNormalForm);
    if (solution.exact) {
        out.Formula(NormalForm(solution));
        out.Paragraph();
    }
    QList<QList<ScreenWriter::Cell>> rows;
    for (size_t k = 0; k < solution.coefficients.size(); ++k) {
        const WorkedCoefficient& c = solution.coefficients[k];
        rows << QList<ScreenWriter::Cell>{
            [&out, k] { out.Power(int(k)); }, [&out, &c] { exactAndDecimal(out, c); },
            [&out, &c] {
                if (c.exact)
                    out.Decimal(c.decimal);
            },
            [&out, &c] { out.Shown(c.shown); }, [&out, &c] { notes(out, c, c.hidden); }};
    }
    out.Table({[&out] { out.Text(QStringLiteral("Potenz")); },
               [&out] { out.Text(QString::fromUtf8(kExact)); },
               [&out] { out.Text(QString::fromUtf8(kDecimal)); },
               [&out] { out.Text(QString::fromUtf8(kInForm)); },
               [&out] { out.Text(QStringLiteral("Hinweis")); }},
              rows);
    if (solution.exact) {
        out.Paragraph();
        out.Text(solution.exactDegree < 0 ? QStringLiteral("Grad: keiner, p ist das Nullpolynom.")
                                          : QStringLiteral("Grad: %1").arg(solution.exactDegree));
    }
}

void values(ScreenWriter& out, const WorkedSolution& solution)
{
    out.Heading(kValues);
    QList<QList<ScreenWriter::Cell>> rows;
    for (const WorkedValue& value : solution.values) {
        rows << QList<ScreenWriter::Cell>{
            [&out, &value] {
                if (value.argument.exact)
                    out.Number(*value.argument.exact);
                else
                    out.Shown(value.argument.typed.trimmed());
            },
            [&out, &value] { exactAndDecimal(out, value); },
            [&out, &value] {
                if (value.exact)
                    out.Decimal(value.decimal);
            },
            [&out, &value] { out.Shown(value.shown); },
            [&out, &value] {
                notes(out, value);
                if (!value.argument.readAs.isEmpty())
                    out.Marked(QStringLiteral("Argument „%1“: %2")
                                   .arg(value.argument.typed, value.argument.readAs));
            }};
    }
    out.Table({[&out] { out.Text(QStringLiteral("x")); },
               [&out] { out.Text(QStringLiteral("p(x) exakt"), QStringLiteral("p von x exakt")); },
               [&out] { out.Text(QString::fromUtf8(kDecimal)); },
               [&out] { out.Text(QString::fromUtf8(kInForm)); },
               [&out] { out.Text(QStringLiteral("Hinweis")); }},
              rows);
}

} // namespace

QString ShortenedInteger(const QString& digits)
{
    if (digits.size() <= kLongestInteger)
        return digits;
    return QStringLiteral("%1…(%2 Ziffern)…%3")
        .arg(digits.left(kShownEnds))
        .arg(digits.size())
        .arg(digits.right(kShownEnds));
}

QTextDocument* WorkedSolutionDocument(const WorkedSolution& solution, bool stale)
{
    auto* document = new QTextDocument;
    ScreenWriter out(*document);
    if (stale) {
        out.Marked(QStringLiteral("Veraltet: Die Eingaben haben sich seit dieser Berechnung "
                                  "geändert."));
        out.Paragraph();
    }
    points(out, solution);
    if (!solution.exact && !solution.xs.empty()) {
        out.Paragraph();
        out.Text(QString::fromUtf8(kNotExact));
    }
    if (solution.exact && !solution.xs.empty()) {
        lagrange(out, solution);
        newton(out, solution);
    }
    normalForm(out, solution);
    values(out, solution);
    return document;
}

QTextDocument* NoteDocument(const QString& note)
{
    auto* document = new QTextDocument;
    QTextCursor(document).insertText(note);
    return document;
}
