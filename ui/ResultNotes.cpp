// What a person hovering over a field, and a screen reader, are told beside its text: the
// computed and the exact value of a result, why it is marked, that it is stale; how an input
// was read.

#include "framework/FittedNumberField.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"
#include "ui/SpokenNumber.h"

namespace {

const QString kStale =
    QStringLiteral("Veraltet: Die Eingaben wurden seit der Berechnung geändert.");
const QString kStaleHeard = QStringLiteral("Veraltet.");

QString whyWrong(WrongDigits wrong)
{
    switch (wrong) {
    case WrongDigits::NotZero:
        return QStringLiteral("Ungenau: Der exakte Wert ist 0.");
    case WrongDigits::Zero:
        return QStringLiteral("Ungenau: Berechnet wurde 0, der exakte Wert ist nicht 0.");
    case WrongDigits::Sign:
        return QStringLiteral("Ungenau: Das Vorzeichen ist falsch.");
    case WrongDigits::Magnitude:
        return QStringLiteral("Ungenau: Die Größenordnung ist falsch.");
    case WrongDigits::Digits:
        return QStringLiteral("Ungenau: Schon die erste Ziffer ist falsch.");
    case WrongDigits::None:
        break;
    }
    return {};
}

// Lines of a tooltip become sentences of a description; numbers in them are spoken.
QString spokenSentences(const QStringList& lines)
{
    QStringList sentences;
    for (const QString& line : lines)
        sentences << SpokenNumber(line.endsWith(u'.') ? line : line + u'.');
    return sentences.join(u' ');
}

struct Explanation
{
    QStringList tooltip;
    QStringList description;
};

Explanation explainResult(const FittedNumberField& field, const QString& plain)
{
    Explanation said;
    if (field.IsStale())
        said.tooltip << kStale;
    const std::optional<ResultReference>& reference = field.Reference();
    if (reference && field.IsMarked()) {
        said.tooltip << (reference->markedFor.isEmpty() ? whyWrong(field.Wrong())
                                                        : reference->markedFor);
    }
    said.description = said.tooltip;
    // Why the results are stale was said once as they turned stale; a field that shows a value
    // says that it is one of them, an empty one holds nothing stale.
    if (field.IsStale()) {
        said.description.removeFirst();
        if (!field.text().isEmpty())
            said.description.prepend(kStaleHeard);
    }
    said.description << plain;
    if (!field.text().isEmpty())
        said.description << QStringLiteral("Angezeigt: ") + field.PaintedText();
    if (reference) {
        said.tooltip << QStringLiteral("Berechnet: ") + field.text()
                     << QStringLiteral("Exakt: ") + reference->exactText << reference->notes;
        if (field.IsMarked())
            said.description << QStringLiteral("Exakt: ") + reference->exactText;
        said.description << reference->notes;
    } else if (field.PaintedText() != field.text()) {
        // Without an exact value the field still keeps its whole number one hover away.
        said.tooltip << field.text();
    }
    return said;
}

} // namespace

void HauptFenster::ExplainField(const QString& name)
{
    QWidget& control = Control(name);
    if (!plainDescriptions.contains(name))
        plainDescriptions.insert(name, control.accessibleDescription());
    const QString plain = plainDescriptions.value(name);

    Explanation said;
    if (auto* result = qobject_cast<FittedNumberField*>(&control)) {
        said = explainResult(*result, plain);
    } else if (auto* input = qobject_cast<EditLine*>(&control)) {
        // An input's mark says how it was read; the mark goes when the person edits it.
        said.description << plain;
        if (input->IsMarked()) {
            said.tooltip << input->MarkedFor();
            said.description << said.tooltip;
        }
    }
    // Each change of a description is an event for screen readers: only news is sent.
    const QString tooltip = said.tooltip.join(u'\n');
    if (control.toolTip() != tooltip)
        control.setToolTip(tooltip);
    const QString description = spokenSentences(said.description);
    if (control.accessibleDescription() != description)
        control.setAccessibleDescription(description);
}

void HauptFenster::ExplainResults()
{
    for (const ArgumentRow& row : kArgumentRows)
        ExplainField(row.value);
    for (const CoefficientRow& row : kCoefficientRows)
        ExplainField(row.field);
}
