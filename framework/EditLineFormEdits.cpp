// A field's paste and undo, routed through the form's own edits where it has them.

#include "framework/EditLine.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace {

// The context menu's entry of that text; Qt names its entries only by their texts, which it
// translates as QLineEdit's, and by the key they may show after a tab.
QAction* entryFor(const QMenu& menu, const char* text)
{
    const QString shown = QLineEdit::tr(text);
    for (QAction* entry : menu.actions()) {
        if (entry->text().section(u'\t', 0, 0) == shown)
            return entry;
    }
    return nullptr;
}

} // namespace

void EditLine::SetFormEdits(FormEdits* edits)
{
    formEdits = edits;
}

bool EditLine::pastedByForm(QClipboard::Mode mode)
{
    if (!formEdits || isReadOnly())
        return false;
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData(mode);
    return clipboard && formEdits->Paste(*this, *clipboard);
}

void EditLine::Paste()
{
    if (!pastedByForm(QClipboard::Clipboard))
        paste();
}

bool EditLine::CanUndo() const
{
    return (formEdits && formEdits->CanUndo()) || (!isReadOnly() && isUndoAvailable());
}

void EditLine::Undo()
{
    if (formEdits && formEdits->CanUndo())
        formEdits->Undo();
    else if (!isReadOnly())
        undo();
}

void EditLine::keyPressEvent(QKeyEvent* event)
{
    if (formEdits && !isReadOnly() && event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    if (formEdits && event->matches(QKeySequence::Undo) && CanUndo()) {
        Undo();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditLine::mouseReleaseEvent(QMouseEvent* event)
{
    // X11's primary selection, pasted by the middle button: as Qt does, the field's own
    // selection goes first, and the text comes in at the cursor.
    if (formEdits && !isReadOnly() && event->button() == Qt::MiddleButton &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        if (pastedByForm(QClipboard::Selection)) {
            event->accept();
            return;
        }
    }
    QLineEdit::mouseReleaseEvent(event);
}

void EditLine::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (formEdits) {
        if (QAction* paste = entryFor(*menu, "&Paste")) {
            paste->disconnect(this);
            connect(paste, &QAction::triggered, this, &EditLine::Paste);
        }
        if (QAction* undo = entryFor(*menu, "&Undo")) {
            undo->disconnect(this);
            undo->setEnabled(CanUndo());
            connect(undo, &QAction::triggered, this, &EditLine::Undo);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
