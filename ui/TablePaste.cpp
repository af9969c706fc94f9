#include "ui/TablePaste.h"

#include "framework/Announcer.h"
#include "framework/MsgBox.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/PastedTable.h"
#include "ui/RowNames.h"

namespace {

constexpr int kNoArgument = -1;

// The argument row of a field, 1..9; the fixed argument 0 takes no paste.
int argumentRow(const QString& name)
{
    for (int i = 1; i < 10; ++i) {
        if (name == QLatin1String(kArgumentRows[i].argument))
            return i;
    }
    return kNoArgument;
}

QStringList inputFields()
{
    QStringList names{QStringLiteral("sstellen")};
    for (const SupportRow& row : kSupportRows)
        names << row.abscissa << row.ordinate;
    for (int i = 1; i < 10; ++i)
        names << kArgumentRows[i].argument;
    return names;
}

} // namespace

TablePaste::TablePaste(HauptFenster& window)
    : QObject(&window)
    , window(window)
{
    for (const QString& name : inputFields()) {
        auto& field = dynamic_cast<EditLine&>(window.Control(name));
        field.SetFormEdits(this);
        // Once the person edits, the paste is no longer the last thing done.
        connect(&field, &QLineEdit::textEdited, this, [this] { step.reset(); });
    }
}

bool TablePaste::Paste(EditLine& field, const QString& text)
{
    const int argument = argumentRow(field.objectName());
    const PastedCells cells =
        argument == kNoArgument ? PointsFromTable(text) : ColumnFromTable(text, 10 - argument);
    switch (cells.outcome) {
    case PastedCells::Outcome::NotATable: {
        const QString cell = SingleCell(text);
        if (cell == text)
            return false;
        field.insert(cell); // the field's own edit, which its own undo takes back
        return true;
    }
    case PastedCells::Outcome::Refused:
        MsgBox(cells.refusal);
        return true;
    case PastedCells::Outcome::Cells:
        break;
    }

    Texts texts;
    QString news;
    if (argument == kNoArgument) {
        const auto count = std::int32_t(cells.first.size());
        texts << std::pair{QStringLiteral("sstellen"), Str(count)};
        for (int k = 0; k < count; ++k)
            texts << std::pair{QString(kSupportRows[k].abscissa), cells.first[k]}
                  << std::pair{QString(kSupportRows[k].ordinate), cells.second[k]};
        news = QStringLiteral("%1 Stützstellen eingefügt").arg(count);
    } else {
        for (int i = 0; i < cells.first.size(); ++i)
            texts << std::pair{QString(kArgumentRows[argument + i].argument), cells.first[i]};
        news = cells.first.size() == 1
                   ? QStringLiteral("1 Argument eingefügt")
                   : QStringLiteral("%1 Argumente eingefügt").arg(cells.first.size());
    }
    Step done;
    for (const auto& [name, text] : texts)
        done.before << std::pair{name, window.Text(name)};
    fill(texts);
    for (const auto& [name, text] : texts)
        done.after << std::pair{name, window.Text(name)};
    step = std::move(done);
    Announce(window, news);
    return true;
}

bool TablePaste::CanUndo() const
{
    return step && std::all_of(step->after.begin(), step->after.end(), [this](const auto& field) {
               return window.Text(field.first) == field.second;
           });
}

void TablePaste::Undo()
{
    if (!CanUndo())
        return;
    const Texts before = std::move(step->before);
    step.reset();
    fill(before);
    Announce(window, QStringLiteral("Einfügen rückgängig gemacht"));
}

// The count first, so that its rows show before their fields are filled. What was said of a
// field's old text no longer holds.
void TablePaste::fill(const Texts& texts)
{
    for (const auto& [name, text] : texts) {
        window.SetText(name, text);
        dynamic_cast<EditLine&>(window.Control(name)).SetMarked(QString());
    }
}
