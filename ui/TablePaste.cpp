#include "ui/TablePaste.h"

#include "calc/ExactLimits.h"
#include "framework/Announcer.h"
#include "framework/MsgBox.h"
#include "framework/NumberText.h"
#include "ui/ClipboardRowCells.h"
#include "ui/HauptFenster.h"
#include "ui/PastedTable.h"
#include "ui/RowNames.h"

#include <QApplication>
#include <QMimeData>
#include <QRegularExpression>

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

// The one line of text that is no table: a spreadsheet copies a single cell with a line end,
// which is no part of it. Typed text stays as it is.
QString singleLine(const QString& text)
{
    if (!text.contains(u'\t') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.split(lineEnd)) {
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    }
    return {};
}

} // namespace

TablePaste::TablePaste(HauptFenster& window)
    : QObject(&window)
    , window(window)
{
    for (const QString& name : inputFields()) {
        auto& field = dynamic_cast<EditLine&>(window.Control(name));
        field.setMaxLength(int(kMostInputLength));
        // What the paste said of the field's text no longer holds once the person edits it.
        connect(&field, &QLineEdit::textEdited, this, [this, name] { marks.remove(name); });
    }
    // Every field of the window takes the paste back, read-only ones too; once the person
    // edits any of them, the paste is no longer the last thing done.
    for (EditLine* field : window.findChildren<EditLine*>()) {
        field->SetFormEdits(this);
        connect(field, &QLineEdit::textEdited, this, [this] { step.reset(); });
    }
}

bool TablePaste::Paste(EditLine& field, const QMimeData& clipboard)
{
    // A result field takes what is pasted as it stands.
    if (!inputFields().contains(field.objectName()))
        return false;
    const int argument = argumentRow(field.objectName());
    // Only a few rows of the clipboard are ever read, whatever its size.
    const ClipboardTable table = TableFromClipboard(clipboard);
    const PastedCells cells =
        argument == kNoArgument ? PointsFromTable(table) : ColumnFromTable(table, 10 - argument);
    switch (cells.outcome) {
    case PastedCells::Outcome::NotATable:
        return !cells.first.isEmpty() && pasteCell(field, clipboard, cells.first.first());
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
        texts << FieldText{QStringLiteral("sstellen"), Str(count), {}};
        for (int k = 0; k < count; ++k)
            texts << FieldText{kSupportRows[k].abscissa, cells.first[k].text, cells.first[k].mark}
                  << FieldText{kSupportRows[k].ordinate, cells.second[k].text,
                               cells.second[k].mark};
        news = QStringLiteral("%1 Stützstellen eingefügt").arg(count);
    } else {
        for (int i = 0; i < cells.first.size(); ++i)
            texts << FieldText{kArgumentRows[argument + i].argument, cells.first[i].text,
                               cells.first[i].mark};
        news = cells.first.size() == 1
                   ? QStringLiteral("1 Argument eingefügt")
                   : QStringLiteral("%1 Argumente eingefügt").arg(cells.first.size());
    }
    const qsizetype marked = std::count_if(
        texts.begin(), texts.end(), [](const FieldText& text) { return !text.mark.isEmpty(); });
    if (marked > 0)
        news += marked == 1 ? QStringLiteral(", 1 Feld markiert")
                            : QStringLiteral(", %1 Felder markiert").arg(marked);

    Step done;
    for (const FieldText& text : texts)
        done.before << FieldText{text.name, window.Text(text.name), {}};
    const QString focused = field.objectName();
    fill(texts);
    for (const FieldText& text : texts)
        done.after << FieldText{text.name, window.Text(text.name), text.mark};
    step = std::move(done);
    keepFocusInInput(focused);
    Announce(window, news);
    return true;
}

// A single cell goes in where the cursor is, as the field's own edit, which its own undo takes
// back; the field's own paste takes text that reads as it stands.
bool TablePaste::pasteCell(EditLine& field, const QMimeData& clipboard, const CellReading& reading)
{
    const qsizetype kept = field.text().size() - field.selectedText().size();
    const auto tooLong = [&](qsizetype pasted) {
        if (kept + pasted <= field.maxLength())
            return false;
        MsgBox(NothingPasted(QStringLiteral("Mit dem eingefügten Text hätte das Feld %1 Zeichen; "
                                            "ein Eingabefeld fasst höchstens %2.")
                                 .arg(Thousands(kept + pasted), Thousands(field.maxLength()))));
        return true;
    };
    if (tooLong(reading.text.size()))
        return true;
    const QString text = clipboard.hasText() ? clipboard.text() : QString();
    const QString typed = singleLine(text);
    const QString inserted = reading.text == typed.trimmed() ? typed : reading.text;
    if (tooLong(inserted.size()))
        return true;
    if (reading.mark.isEmpty() && inserted == text)
        return false;
    field.insert(inserted);
    if (!reading.mark.isEmpty() && field.text() == inserted) {
        field.SetMarked(reading.mark);
        marks.insert(field.objectName(), {inserted, reading.mark});
    }
    return true;
}

bool TablePaste::CanUndo() const
{
    return step &&
           std::all_of(step->after.begin(), step->after.end(), [this](const FieldText& field) {
               return window.Text(field.name) == field.text;
           });
}

void TablePaste::Undo()
{
    if (!CanUndo())
        return;
    const Texts before = std::move(step->before);
    step.reset();
    QWidget* focus = QApplication::focusWidget();
    const QString focused = focus ? focus->objectName() : QString();
    fill(before);
    keepFocusInInput(focused);
    Announce(window, QStringLiteral("Einfügen rückgängig gemacht"));
}

QString TablePaste::MarkOf(const EditLine& field) const
{
    const auto found = marks.find(field.objectName());
    return found != marks.end() && found->first == field.text() ? found->second : QString();
}

// The count first, so that its rows show before their fields are filled. What was said of a
// field's old text no longer holds; what the paste says of the new one is said now.
void TablePaste::fill(const Texts& texts)
{
    for (const FieldText& text : texts) {
        window.SetText(text.name, text.text);
        dynamic_cast<EditLine&>(window.Control(text.name)).SetMarked(text.mark);
        if (text.mark.isEmpty())
            marks.remove(text.name);
        else
            marks.insert(text.name, {window.Text(text.name), text.mark});
    }
}

void TablePaste::keepFocusInInput(const QString& focused)
{
    for (int k = 0; k < 10; ++k) {
        const SupportRow& row = kSupportRows[k];
        const bool abscissa = focused == QLatin1String(row.abscissa);
        if (!abscissa && focused != QLatin1String(row.ordinate))
            continue;
        if (!window.Control(focused).isHidden())
            return;
        for (int shown = k; shown >= 0; --shown) {
            QWidget& field = window.Control(abscissa ? kSupportRows[shown].abscissa
                                                     : kSupportRows[shown].ordinate);
            if (!field.isHidden()) {
                field.setFocus();
                return;
            }
        }
    }
}
