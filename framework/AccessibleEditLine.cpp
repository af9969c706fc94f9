#include "framework/AccessibleEditLine.h"

#include "framework/EditLine.h"
#include "framework/SpokenText.h"

#include <QFontMetricsF>

namespace {

QAccessibleInterface* editLineInterface(const QString&, QObject* object)
{
    if (auto* field = qobject_cast<EditLine*>(object))
        return new AccessibleEditLine(field);
    return nullptr;
}

// Whatever handled updates before; none: Qt's own delivery to the platform.
QAccessible::UpdateHandler handledBefore = nullptr;
QList<const QObject*> unheardObjects;

void updateUnlessUnheard(QAccessibleEvent* event)
{
    if (unheardObjects.contains(event->object()))
        return;
    if (handledBefore) {
        handledBefore(event);
        return;
    }
    // Qt delivers to the platform itself only where no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(updateUnlessUnheard);
}

} // namespace

void ChangeUnheard(const QObject& about, const std::function<void()>& change)
{
    if (unheardObjects.isEmpty())
        handledBefore = QAccessible::installUpdateHandler(updateUnlessUnheard);
    unheardObjects.append(&about);
    change();
    unheardObjects.removeLast();
    if (unheardObjects.isEmpty())
        QAccessible::installUpdateHandler(handledBefore);
}

void InstallAccessibleEditLines()
{
    static const bool installed = [] {
        QAccessible::installFactory(editLineInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

AccessibleEditLine::AccessibleEditLine(QLineEdit* field)
    : QAccessibleWidget(field, QAccessible::EditableText)
{
}

QLineEdit* AccessibleEditLine::field() const
{
    return static_cast<QLineEdit*>(widget());
}

bool AccessibleEditLine::editable() const
{
    return !field()->isReadOnly() && field()->isEnabled();
}

QAccessible::State AccessibleEditLine::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (field()->isReadOnly())
        state.readOnly = true;
    else
        state.editable = true;
    state.selectableText = true;
    return state;
}

QString AccessibleEditLine::text(QAccessible::Text kind) const
{
    switch (kind) {
    case QAccessible::Value:
        return NumbersForTheEar(field()->text());
    default:
        break;
    }
    return QAccessibleWidget::text(kind);
}

void AccessibleEditLine::setText(QAccessible::Text kind, const QString& text)
{
    if (kind != QAccessible::Value) {
        QAccessibleWidget::setText(kind, text);
        return;
    }
    if (editable())
        field()->setText(text);
}

void* AccessibleEditLine::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleEditLine::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    // A field keeps its selection while its window is inactive, as Qt's fields do; it is no
    // selection of the person's until the field has the focus again.
    if (selectionIndex != 0 || !field()->hasFocus() || !field()->hasSelectedText())
        return;
    *startOffset = field()->selectionStart();
    *endOffset = field()->selectionEnd();
}

int AccessibleEditLine::selectionCount() const
{
    int start = 0;
    int end = 0;
    selection(0, &start, &end);
    return start != end ? 1 : 0;
}

void AccessibleEditLine::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleEditLine::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->deselect();
}

void AccessibleEditLine::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        field()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleEditLine::cursorPosition() const
{
    return field()->cursorPosition();
}

void AccessibleEditLine::setCursorPosition(int position)
{
    field()->setCursorPosition(position);
}

QString AccessibleEditLine::text(int startOffset, int endOffset) const
{
    const QString whole = field()->text();
    startOffset = qBound(0, startOffset, int(whole.size()));
    endOffset =
        endOffset < 0 ? int(whole.size()) : qBound(startOffset, endOffset, int(whole.size()));
    return NumbersForTheEar(whole).mid(startOffset, endOffset - startOffset);
}

int AccessibleEditLine::characterCount() const
{
    return int(field()->text().size());
}

// From the cursor's rectangle, which the field tells through its input method query, and the
// advance of the text between the cursor and the offset.
QRect AccessibleEditLine::characterRect(int offset) const
{
    const QString whole = field()->text();
    if (offset < 0 || offset >= whole.size())
        return {};
    const QFontMetricsF metrics(field()->font());
    const QRect cursor = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int position = field()->cursorPosition();
    const qreal shift = offset >= position
                            ? metrics.horizontalAdvance(whole.mid(position, offset - position))
                            : -metrics.horizontalAdvance(whole.mid(offset, position - offset));
    const int width = qCeil(metrics.horizontalAdvance(whole.at(offset)));
    const QRect local(cursor.x() + qRound(shift), cursor.y(), width, cursor.height());
    return QRect(field()->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleEditLine::offsetAtPoint(const QPoint& point) const
{
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void AccessibleEditLine::scrollToSubstring(int startIndex, int endIndex)
{
    field()->setCursorPosition(endIndex);
    field()->setCursorPosition(startIndex);
}

// No attributes, in one run over the whole text.
QString AccessibleEditLine::attributes(int offset, int* startOffset, int* endOffset) const
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

void AccessibleEditLine::deleteText(int startOffset, int endOffset)
{
    if (!editable() || startOffset >= endOffset)
        return;
    field()->setSelection(startOffset, endOffset - startOffset);
    field()->del();
}

void AccessibleEditLine::insertText(int offset, const QString& text)
{
    if (!editable())
        return;
    field()->setCursorPosition(offset);
    field()->insert(text);
}

void AccessibleEditLine::replaceText(int startOffset, int endOffset, const QString& text)
{
    if (!editable())
        return;
    field()->setSelection(startOffset, endOffset - startOffset);
    field()->insert(text);
}
