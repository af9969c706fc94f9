#pragma once
// What assistive technology reads of a RichTextView: its text as it is to be heard (fractions
// as "7 durch 2", table cells with their column's heading), with the caret, the selection and
// the character boxes mapped between that text and the document.

#include <QAccessibleWidget>

class RichTextView;

// Installs the factory that gives every RichTextView this interface; once is enough.
void InstallAccessibleRichText();

class AccessibleRichText final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AccessibleRichText(RichTextView* view);

    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface, in offsets into the heard text
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    RichTextView* view() const;
    int offsetOf(int position) const;
    int positionOf(int offset) const;
};
