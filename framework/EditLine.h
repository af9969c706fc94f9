#pragma once
// The one-line text field of every form. While it has no keyboard focus it shows the start of
// its text, sign and leading digits first, with "…" where more follows; it can carry a mark
// (a symbol and a colour: what it shows is not to be taken as it stands) and be stale (dimmed:
// what it shows no longer belongs to the rest of the form). A text the person edits drops the
// mark, which said something about the text before.

#include <QClipboard>
#include <QLineEdit>

class EditLine;
class QMimeData;

// Edits that span several fields of a form, such as a table pasted into many fields at once and
// taken back at once. A field asks its form first and edits itself where the form declines.
class FormEdits
{
public:
    virtual ~FormEdits() = default;
    // Pastes what the clipboard holds (any of its formats) into the form from `field` on, or
    // declines (false).
    virtual bool Paste(EditLine& field, const QMimeData& clipboard) = 0;
    // Whether Undo would take back an edit of the form's own; asked by every field of the form,
    // read-only ones too, since the form's edit is no edit of theirs.
    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
};

class EditLine : public QLineEdit
{
    Q_OBJECT
public:
    EditLine(const QString& text, QWidget* parent);

    // Marked for a reason, in the reader's words; an empty reason takes the mark away.
    void SetMarked(const QString& reason);
    virtual bool IsMarked() const;
    const QString& MarkedFor() const;
    void SetStale(bool stale);
    bool IsStale() const;

    // What the field paints: its whole text while it has focus, else PaintedText().
    QString ShownText() const;
    // What the field paints while it has no focus.
    virtual QString PaintedText() const;

    // The sign painted in a marked field, before its text.
    static QString MarkSymbol();

    // Paste and undo, by key, menu, context menu or middle click, ask `edits` first (not owned;
    // nullptr: the field edits alone). A read-only field takes no paste, yet undoes the form's.
    void SetFormEdits(FormEdits* edits);
    bool HasFormEdits() const { return formEdits != nullptr; }
    void Paste();
    bool CanUndo() const;
    void Undo();

signals:
    // The mark or the staleness changed, or the person edited the text.
    void StateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // The room for the text without focus, in pixels: the whole text line, or what the mark
    // leaves of it.
    int TextRoom(bool withMark) const;
    // The person changed the text: what was said of the old text no longer holds.
    virtual void DropJudgement();
    void UpdateColours();

private:
    QRect textLine() const;
    QColor markColour() const;

    QString markedFor;
    bool stale = false;
    bool updatingColours = false;

    bool pastedByForm(QClipboard::Mode mode);
    FormEdits* formEdits = nullptr;
};
