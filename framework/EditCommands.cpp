#include "framework/EditCommands.h"

#include "framework/EditLine.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

std::optional<EditCommand> EditCommandNamed(const QString& itemName)
{
    static const QHash<QString, EditCommand> byName = {
        {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},
        {"EditCopy", EditCommand::Copy},   {"EditPaste", EditCommand::Paste},
        {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll},
    };
    const auto found = byName.find(itemName);
    if (found == byName.end())
        return std::nullopt;
    return *found;
}

namespace {

// Asked as menus enable their items: the formats are enough, the clipboard's text (which may
// be large, and on X11 comes from another program) is not taken.
bool clipboardHasText()
{
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    return clipboard && clipboard->hasText();
}

// A form's own paste also takes a table that comes as HTML alone.
bool clipboardHasTextFor(const QLineEdit& field)
{
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (!clipboard)
        return false;
    auto* line = qobject_cast<const EditLine*>(&field);
    return clipboard->hasText() || (line && line->HasFormEdits() && clipboard->hasHtml());
}

bool canPerformOn(const QLineEdit& field, EditCommand command)
{
    const bool editable = !field.isReadOnly();
    switch (command) {
    case EditCommand::Undo:
        if (auto* line = qobject_cast<const EditLine*>(&field))
            return line->CanUndo();
        return editable && field.isUndoAvailable();
    case EditCommand::Cut:
    case EditCommand::Clear:
        return editable && field.hasSelectedText();
    case EditCommand::Copy:
        return field.hasSelectedText() && field.echoMode() == QLineEdit::Normal;
    case EditCommand::Paste:
        return editable && clipboardHasTextFor(field);
    case EditCommand::SelectAll:
        return !field.text().isEmpty();
    }
    return false;
}

bool canPerformOn(const QPlainTextEdit& field, EditCommand command)
{
    const bool editable = !field.isReadOnly();
    const bool selection = field.textCursor().hasSelection();
    switch (command) {
    case EditCommand::Undo:
        return editable && field.document()->isUndoAvailable();
    case EditCommand::Cut:
    case EditCommand::Clear:
        return editable && selection;
    case EditCommand::Copy:
        return selection;
    case EditCommand::Paste:
        return editable && clipboardHasText();
    case EditCommand::SelectAll:
        return !field.document()->isEmpty();
    }
    return false;
}

void performOn(QLineEdit& field, EditCommand command)
{
    // A form's own edits may span more fields than this one.
    if (auto* line = qobject_cast<EditLine*>(&field)) {
        if (command == EditCommand::Paste)
            return line->Paste();
        if (command == EditCommand::Undo)
            return line->Undo();
    }
    switch (command) {
    case EditCommand::Undo:
        return field.undo();
    case EditCommand::Cut:
        return field.cut();
    case EditCommand::Copy:
        return field.copy();
    case EditCommand::Paste:
        return field.paste();
    case EditCommand::Clear:
        return field.del();
    case EditCommand::SelectAll:
        return field.selectAll();
    }
}

void performOn(QPlainTextEdit& field, EditCommand command)
{
    switch (command) {
    case EditCommand::Undo:
        return field.undo();
    case EditCommand::Cut:
        return field.cut();
    case EditCommand::Copy:
        return field.copy();
    case EditCommand::Paste:
        return field.paste();
    case EditCommand::Clear:
        return field.textCursor().removeSelectedText();
    case EditCommand::SelectAll:
        return field.selectAll();
    }
}

} // namespace

bool CanPerform(EditCommand command)
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* field = qobject_cast<QLineEdit*>(focus))
        return field->isEnabled() && canPerformOn(*field, command);
    if (auto* field = qobject_cast<QPlainTextEdit*>(focus))
        return field->isEnabled() && canPerformOn(*field, command);
    return false;
}

void Perform(EditCommand command)
{
    if (!CanPerform(command))
        return;
    QWidget* focus = QApplication::focusWidget();
    if (auto* field = qobject_cast<QLineEdit*>(focus))
        performOn(*field, command);
    else if (auto* field = qobject_cast<QPlainTextEdit*>(focus))
        performOn(*field, command);
}
