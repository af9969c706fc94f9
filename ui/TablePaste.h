#pragma once
// Tables pasted into the main window: points into the count and support-point fields, a column
// of arguments into the argument fields, each in one step that one undo takes back from any
// field of the window. Cells that read otherwise than they show are marked at the paste, and
// stay marked through computes while their text is as pasted. An input field holds at most
// kMostInputLength characters; a longer paste is refused with a message.

#include "framework/EditLine.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <optional>
#include <utility>

class HauptFenster;
struct CellReading;

class TablePaste final : public QObject, public FormEdits
{
    Q_OBJECT
public:
    // Serves the window's fields; a child of the window.
    explicit TablePaste(HauptFenster& window);

    bool Paste(EditLine& field, const QMimeData& clipboard) override;
    bool CanUndo() const override;
    void Undo() override;

    // What the paste said of the field's text, while the text is as pasted; empty otherwise.
    QString MarkOf(const EditLine& field) const;

private:
    struct FieldText
    {
        QString name;
        QString text;
        QString mark;
    };
    using Texts = QList<FieldText>;
    void fill(const Texts& texts);
    bool pasteCell(EditLine& field, const QMimeData& clipboard, const CellReading& reading);
    // Where a field that had the focus was hidden, the focus goes on in its column.
    void keepFocusInInput(const QString& focused);

    HauptFenster& window;
    // The texts before and after the last paste, while the form is as that paste left it.
    struct Step
    {
        Texts before;
        Texts after;
    };
    std::optional<Step> step;
    // By field name: the text a paste gave it and what it said of it.
    QHash<QString, std::pair<QString, QString>> marks;
};
