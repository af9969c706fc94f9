#pragma once
// A read-only view of a rich text document for reading, selecting and copying: reached by Tab,
// selectable by mouse and keys, with fractions typeset numerator over denominator in the line,
// and text that is heard or copied otherwise than it is shown. Tooltips come from the text
// under the pointer (QTextCharFormat::toolTip).

#include <QTextCharFormat>
#include <QTextEdit>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace RichText {

// A run of text with this string property is heard by screen readers as the string.
inline constexpr int kHeardAs = QTextFormat::UserProperty + 1;
// A run with this one is copied as the string.
inline constexpr int kCopiedAs = QTextFormat::UserProperty + 2;

// Inserts a fraction at the cursor: `numerator` over `denominator` as shown, in the cursor's
// character format. It is drawn once the document is shown (or EnableFractions was called):
// a document that is laid out while it is written is laid out again at every insertion. It is heard
// as `heard`, copied as `copied`, and its tooltip is `toolTip`.
void InsertFraction(QTextCursor& cursor, const QString& numerator, const QString& denominator,
                    const QString& heard, const QString& copied, const QString& toolTip = {});

void EnableFractions(QTextDocument& document);

// Inserts text that is heard and copied otherwise than shown (an empty string leaves it be),
// in `format` or else the cursor's; the cursor keeps its format for what follows.
void InsertText(QTextCursor& cursor, const QString& shown, const QString& heard,
                const QString& copied = {}, QTextCharFormat format = {});

// A document's text with every run that has the property written as its value, table cells
// below the first row of a table (with `headers`) preceded by what their column's first row
// says, each block on a line of its own but the cells of a table row, which share one.
// `offsets[p]` is where document position p begins in it.
struct MappedText
{
    QString text;
    std::vector<int> offsets; // one per document position, and one for the end
    // The document position of an offset into the text.
    int PositionOf(int offset) const;
};
MappedText TextOf(const QTextDocument& document, int property, bool headers);

} // namespace RichText

class RichTextView final : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextView(QWidget* parent = nullptr);

    // Shows the document, which the view then owns; fractions in it are drawn from then on.
    void ShowDocument(QTextDocument* document);
    // What a screen reader reads of the document.
    const RichText::MappedText& Heard() const;

protected:
    QMimeData* createMimeDataFromSelection() const override;

private:
    mutable RichText::MappedText heard;
    mutable bool heardValid = false;
};
