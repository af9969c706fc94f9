#include "framework/AccessibleRichText.h"

#include "framework/RichTextView.h"

#include <QScrollBar>
#include <algorithm>

namespace {

QAccessibleInterface* richTextInterface(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<RichTextView*>(object))
        return new AccessibleRichText(view);
    return nullptr;
}

} // namespace

void InstallAccessibleRichText()
{
    static const bool installed = [] {
        QAccessible::installFactory(richTextInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

AccessibleRichText::AccessibleRichText(RichTextView* view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{
}

RichTextView* AccessibleRichText::view() const
{
    return static_cast<RichTextView*>(widget());
}

int AccessibleRichText::offsetOf(int position) const
{
    const std::vector<int>& offsets = view()->Heard().offsets;
    return offsets[size_t(std::clamp(position, 0, int(offsets.size()) - 1))];
}

int AccessibleRichText::positionOf(int offset) const
{
    return view()->Heard().PositionOf(offset);
}

QAccessible::State AccessibleRichText::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.selectableText = true;
    state.readOnly = true;
    return state;
}

QString AccessibleRichText::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return view()->Heard().text;
    return QAccessibleWidget::text(kind);
}

void* AccessibleRichText::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleRichText::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const QTextCursor cursor = view()->textCursor();
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && cursor.hasSelection()) {
        *startOffset = offsetOf(cursor.selectionStart());
        *endOffset = offsetOf(cursor.selectionEnd());
    }
}

int AccessibleRichText::selectionCount() const
{
    return view()->textCursor().hasSelection() ? 1 : 0;
}

void AccessibleRichText::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleRichText::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = view()->textCursor();
    cursor.clearSelection();
    view()->setTextCursor(cursor);
}

void AccessibleRichText::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = view()->textCursor();
    cursor.setPosition(positionOf(startOffset));
    cursor.setPosition(positionOf(endOffset), QTextCursor::KeepAnchor);
    view()->setTextCursor(cursor);
}

int AccessibleRichText::cursorPosition() const
{
    return offsetOf(view()->textCursor().position());
}

void AccessibleRichText::setCursorPosition(int position)
{
    QTextCursor cursor = view()->textCursor();
    cursor.setPosition(positionOf(position));
    view()->setTextCursor(cursor);
}

QString AccessibleRichText::text(int startOffset, int endOffset) const
{
    const QString& whole = view()->Heard().text;
    startOffset = std::clamp(startOffset, 0, int(whole.size()));
    endOffset =
        endOffset < 0 ? int(whole.size()) : std::clamp(endOffset, startOffset, int(whole.size()));
    return whole.mid(startOffset, endOffset - startOffset);
}

int AccessibleRichText::characterCount() const
{
    return int(view()->Heard().text.size());
}

QRect AccessibleRichText::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return {};
    QTextCursor cursor(view()->document());
    const int position = positionOf(offset);
    cursor.setPosition(position);
    const QRect at = view()->cursorRect(cursor);
    cursor.setPosition(std::min(position + 1, view()->document()->characterCount() - 1));
    const QRect next = view()->cursorRect(cursor);
    const int width = next.top() == at.top() ? next.left() - at.left() : 0;
    const QPoint origin = view()->viewport()->mapToGlobal(at.topLeft());
    return QRect(origin, QSize(std::max(width, 0), at.height()));
}

int AccessibleRichText::offsetAtPoint(const QPoint& point) const
{
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(local))
        return -1;
    return offsetOf(view()->cursorForPosition(local).position());
}

void AccessibleRichText::scrollToSubstring(int startIndex, int endIndex)
{
    setSelection(0, startIndex, endIndex);
    view()->ensureCursorVisible();
}

// No attributes, in one run over the whole text, as a screen reader that speaks a line run by
// run would otherwise lose a character at each run's end.
QString AccessibleRichText::attributes(int offset, int* startOffset, int* endOffset) const
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
