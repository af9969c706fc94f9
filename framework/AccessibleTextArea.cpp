#include "framework/AccessibleTextArea.h"

#include <QPlainTextEdit>
#include <algorithm>

namespace {

constexpr char kHeardText[] = "heardText";

QAccessibleInterface* textAreaInterface(const QString&, QObject* object)
{
    if (auto* field = qobject_cast<QPlainTextEdit*>(object))
        return new AccessibleTextArea(field);
    return nullptr;
}

} // namespace

void InstallAccessibleTextAreas()
{
    static const bool installed = [] {
        QAccessible::installFactory(textAreaInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void HearTextAs(QPlainTextEdit& field, const QString& heard)
{
    field.setProperty(kHeardText, heard);
}

AccessibleTextArea::AccessibleTextArea(QPlainTextEdit* field)
    : QAccessibleWidget(field, QAccessible::EditableText)
{
}

QPlainTextEdit* AccessibleTextArea::field() const
{
    return static_cast<QPlainTextEdit*>(widget());
}

// The document's text, lines joined by '\n' as its cursor positions count them.
QString AccessibleTextArea::heard() const
{
    const QString shown = field()->toPlainText();
    const QString wanted = field()->property(kHeardText).toString();
    return wanted.size() == shown.size() ? wanted : shown;
}

QAccessible::State AccessibleTextArea::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.selectableText = true;
    if (field()->isReadOnly())
        state.readOnly = true;
    else
        state.editable = true;
    return state;
}

QString AccessibleTextArea::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return heard();
    return QAccessibleWidget::text(kind);
}

void* AccessibleTextArea::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleTextArea::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const QTextCursor cursor = field()->textCursor();
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && cursor.hasSelection()) {
        *startOffset = cursor.selectionStart();
        *endOffset = cursor.selectionEnd();
    }
}

int AccessibleTextArea::selectionCount() const
{
    return field()->textCursor().hasSelection() ? 1 : 0;
}

void AccessibleTextArea::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleTextArea::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = field()->textCursor();
    cursor.clearSelection();
    field()->setTextCursor(cursor);
}

void AccessibleTextArea::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    const int count = characterCount();
    QTextCursor cursor = field()->textCursor();
    cursor.setPosition(qBound(0, startOffset, count));
    cursor.setPosition(qBound(0, endOffset, count), QTextCursor::KeepAnchor);
    field()->setTextCursor(cursor);
}

int AccessibleTextArea::cursorPosition() const
{
    return field()->textCursor().position();
}

void AccessibleTextArea::setCursorPosition(int position)
{
    QTextCursor cursor = field()->textCursor();
    cursor.setPosition(qBound(0, position, characterCount()));
    field()->setTextCursor(cursor);
}

QString AccessibleTextArea::text(int startOffset, int endOffset) const
{
    const QString whole = heard();
    startOffset = qBound(0, startOffset, int(whole.size()));
    endOffset =
        endOffset < 0 ? int(whole.size()) : qBound(startOffset, endOffset, int(whole.size()));
    return whole.mid(startOffset, endOffset - startOffset);
}

int AccessibleTextArea::characterCount() const
{
    return int(field()->toPlainText().size());
}

QRect AccessibleTextArea::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return {};
    QTextCursor cursor(field()->document());
    cursor.setPosition(offset);
    const QRect at = field()->cursorRect(cursor);
    cursor.setPosition(offset + 1);
    const QRect next = field()->cursorRect(cursor);
    const int width = next.top() == at.top() ? next.left() - at.left() : 0;
    const QPoint origin = field()->viewport()->mapToGlobal(at.topLeft());
    return QRect(origin, QSize(std::max(width, 0), at.height()));
}

int AccessibleTextArea::offsetAtPoint(const QPoint& point) const
{
    const QPoint local = field()->viewport()->mapFromGlobal(point);
    if (!field()->viewport()->rect().contains(local))
        return -1;
    return field()->cursorForPosition(local).position();
}

void AccessibleTextArea::scrollToSubstring(int startIndex, int endIndex)
{
    setSelection(0, startIndex, endIndex);
    field()->ensureCursorVisible();
}

// No attributes, in one run over the whole text: a screen reader that speaks a line run by run
// would otherwise lose a character at each run's end.
QString AccessibleTextArea::attributes(int offset, int* startOffset, int* endOffset) const
{
    const int count = characterCount();
    if (offset < 0 || offset > count) {
        *startOffset = *endOffset = -1;
        return {};
    }
    *startOffset = 0;
    *endOffset = count;
    return {};
}
