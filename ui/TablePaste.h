#pragma once
// Tables pasted into the main window: points into the count and support-point fields, a column
// of arguments into the argument fields, each in one step that one undo takes back.

#include "framework/EditLine.h"

#include <QList>
#include <QObject>
#include <optional>
#include <utility>

class HauptFenster;

class TablePaste final : public QObject, public FormEdits
{
    Q_OBJECT
public:
    // Serves the window's input fields; a child of the window.
    explicit TablePaste(HauptFenster& window);

    bool Paste(EditLine& field, const QString& text) override;
    bool CanUndo() const override;
    void Undo() override;

private:
    using Texts = QList<std::pair<QString, QString>>; // field name, text
    void fill(const Texts& texts);

    HauptFenster& window;
    // The texts before and after the last paste, while the form is as that paste left it.
    struct Step
    {
        Texts before;
        Texts after;
    };
    std::optional<Step> step;
};
