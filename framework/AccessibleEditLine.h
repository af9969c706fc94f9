#pragma once
// What assistive technology reads of a one-line field, over QLineEdit's public API alone (Qt's
// own interface for line edits is private). Beside Qt's, it
// - gives the whole text as one run of attributes: a screen reader that speaks a line run by
//   run would otherwise lose the last character of every value;
// - hands numbers to the ear with a decimal comma and a spoken exponent minus, of the same
//   length as the text, so that every offset holds;
// - reports a selection only while the field has the focus: a screen reader that sums up the
//   selected text of a form would otherwise read out every field left by Tab.

#include <QAccessibleWidget>
#include <functional>

class QLineEdit;

// Installs the factory that gives every EditLine this interface; once is enough.
void InstallAccessibleEditLines();

// Makes `change` without telling assistive technology what it does to `about`, where that is no
// news: a field dropping its selection as the focus leaves it (a screen reader told of that says
// "unselected" on every Tab away from a filled field), or the program rewriting the field the
// person is in, which the announcement of the command speaks of. Other objects are heard.
void ChangeUnheard(const QObject& about, const std::function<void()>& change);

class AccessibleEditLine final : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface
{
public:
    explicit AccessibleEditLine(QLineEdit* field);

    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
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

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QLineEdit* field() const;
    bool editable() const;
};
