#include "framework/RichTextView.h"

#include "framework/AccessibleRichText.h"
#include "framework/TextFraction.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

void RichText::InsertFraction(QTextCursor& cursor, const QString& numerator,
                              const QString& denominator, const QString& heard,
                              const QString& copied, const QString& toolTip)
{
    const QTextCharFormat around = cursor.charFormat();
    QTextCharFormat format = around;
    format.setObjectType(TextFraction::kObjectType);
    format.setProperty(TextFraction::kNumerator, numerator);
    format.setProperty(TextFraction::kDenominator, denominator);
    format.setProperty(kHeardAs, heard);
    format.setProperty(kCopiedAs, copied);
    format.setToolTip(toolTip);
    // The bar stands where a minus or a plus would: on the line's middle.
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    // What follows is text again, in the format around the fraction.
    cursor.setCharFormat(around);
}

void RichText::EnableFractions(QTextDocument& document)
{
    TextFraction::Enable(document);
}

void RichText::InsertText(QTextCursor& cursor, const QString& shown, const QString& heard,
                          const QString& copied, QTextCharFormat format)
{
    const QTextCharFormat around = cursor.charFormat();
    if (format.isEmpty())
        format = around;
    if (!heard.isEmpty())
        format.setProperty(kHeardAs, heard);
    if (!copied.isEmpty())
        format.setProperty(kCopiedAs, copied);
    cursor.insertText(shown, format);
    // What follows is written in the format around it.
    cursor.setCharFormat(around);
}

namespace {

// The cell of a table below its first row whose first position this is, and the first row's
// cell above it; null cells otherwise.
std::pair<QTextTableCell, QTextTableCell> cellUnderHeader(const QTextDocument& document,
                                                          const QTextBlock& block)
{
    QTextCursor cursor(block);
    QTextTable* table = cursor.currentTable();
    if (!table)
        return {};
    const QTextTableCell cell = table->cellAt(block.position());
    if (!cell.isValid() || cell.row() == 0 || cell.firstPosition() != block.position() ||
        cell.firstPosition() == cell.lastPosition())
        return {};
    Q_UNUSED(document);
    return {cell, table->cellAt(0, cell.column())};
}

void appendRange(const QTextDocument& document, int from, int to, int property, bool headers,
                 RichText::MappedText& out);

void appendBlock(const QTextDocument& document, const QTextBlock& block, int property, bool headers,
                 RichText::MappedText& out)
{
    if (headers) {
        const auto [cell, header] = cellUnderHeader(document, block);
        if (cell.isValid() && header.isValid()) {
            RichText::MappedText title;
            appendRange(document, header.firstPosition(), header.lastPosition(), property, false,
                        title);
            out.text += title.text.trimmed().replace(u'\n', u' ') + QStringLiteral(": ");
        }
    }
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const int start = fragment.position();
        const QString text = fragment.text();
        if (format.hasProperty(property)) {
            const bool objects = format.objectType() != QTextFormat::NoObject;
            for (int i = 0; i < text.size(); ++i) {
                out.offsets[size_t(start + i)] = int(out.text.size());
                // An object stands for its value each time; a run of text for it once.
                if (objects || i == 0)
                    out.text += format.stringProperty(property);
            }
        } else {
            for (int i = 0; i < text.size(); ++i) {
                out.offsets[size_t(start + i)] = int(out.text.size());
                const QChar c = text[i];
                out.text += c == QChar::Nbsp            ? QChar(u' ')
                            : c == QChar::LineSeparator ? QChar(u'\n')
                                                        : c;
            }
        }
    }
}

void appendRange(const QTextDocument& document, int from, int to, int property, bool headers,
                 RichText::MappedText& out)
{
    out.offsets.resize(size_t(document.characterCount() + 1), 0);
    // The cells of one table row make one line, "; " between those that hold something, so that
    // a reader moving by lines hears a row whole.
    const QTextTable* rowTable = nullptr;
    int row = -1;
    bool rowHasContent = false;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const QTextTable* table = QTextCursor(block).currentTable();
        const int cellRow = table ? table->cellAt(block.position()).row() : -1;
        const bool sameRow = table && table == rowTable && cellRow == row;
        const bool empty = block.length() <= 1;
        if (block.position() > from) {
            if (!sameRow)
                out.text += u'\n';
            else if (!empty && rowHasContent)
                out.text += QStringLiteral("; ");
        }
        if (!sameRow) {
            rowTable = table;
            row = cellRow;
            rowHasContent = false;
        }
        appendBlock(document, block, property, headers, out);
        rowHasContent = rowHasContent || !empty;
        out.offsets[size_t(block.position() + block.length() - 1)] = int(out.text.size());
    }
}

} // namespace

int RichText::MappedText::PositionOf(int offset) const
{
    // The last position that begins at or before the offset.
    const auto after = std::upper_bound(offsets.begin(), offsets.end(), offset);
    return std::max(0, int(after - offsets.begin()) - 1);
}

RichText::MappedText RichText::TextOf(const QTextDocument& document, int property, bool headers)
{
    MappedText out;
    appendRange(document, 0, document.characterCount(), property, headers, out);
    // Offsets never fall back: a position the blocks did not reach begins where the one before it
    // ended.
    for (size_t p = 1; p < out.offsets.size(); ++p)
        out.offsets[p] = std::max(out.offsets[p], out.offsets[p - 1]);
    out.offsets.back() = int(out.text.size());
    return out;
}

RichTextView::RichTextView(QWidget* parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    InstallAccessibleRichText();
    connect(document(), &QTextDocument::contentsChanged, this, [this] { heardValid = false; });
}

void RichTextView::ShowDocument(QTextDocument* shown)
{
    // The view's first document belongs to Qt, which deletes it on the change; the ones shown
    // since are the view's own.
    QTextDocument* previous = document()->parent() == this ? document() : nullptr;
    shown->setParent(this);
    RichText::EnableFractions(*shown);
    setDocument(shown);
    connect(shown, &QTextDocument::contentsChanged, this, [this] { heardValid = false; });
    heardValid = false;
    if (previous && previous != shown)
        delete previous;
}

const RichText::MappedText& RichTextView::Heard() const
{
    if (!heardValid) {
        heard = RichText::TextOf(*document(), RichText::kHeardAs, true);
        heardValid = true;
    }
    return heard;
}

QMimeData* RichTextView::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    const RichText::MappedText copied = RichText::TextOf(*document(), RichText::kCopiedAs, false);
    const int from = copied.offsets[size_t(cursor.selectionStart())];
    const int to = copied.offsets[size_t(cursor.selectionEnd())];
    auto* data = new QMimeData;
    data->setText(copied.text.mid(from, to - from));
    return data;
}
