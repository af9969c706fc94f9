#pragma once
// What assistive technology reads of a read-only text of several lines (Qt's own interface for
// it is private). Beside Qt's, it reads the text as it is to be heard where the form says so
// (Window::HearAs): of the same length as the text on screen, so that every offset holds.

#include <QAccessibleWidget>

class QPlainTextEdit;

// Installs the factory that gives every multi-line field this interface; once is enough.
void InstallAccessibleTextAreas();

// The text a screen reader is to get of `field` in place of its own; it is taken only while it
// has the field's length.
void HearTextAs(QPlainTextEdit& field, const QString& heard);

class AccessibleTextArea final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AccessibleTextArea(QPlainTextEdit* field);

    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
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
    QPlainTextEdit* field() const;
    QString heard() const;
};
