#include "framework/FittedNumberField.h"

#include <QEvent>

void FittedNumberField::SetReference(std::optional<ResultReference> newReference)
{
    reference = std::move(newReference);
    referenceText = text();
    fitValid = false;
    UpdateColours();
    update();
    emit StateChanged();
}

const std::optional<ResultReference>& FittedNumberField::Reference() const
{
    static const std::optional<ResultReference> none;
    return text() == referenceText ? reference : none;
}

// The reference is kept aside: it holds again once the text is what it was given for.
void FittedNumberField::DropJudgement()
{
    fitValid = false;
    EditLine::DropJudgement();
    UpdateColours();
}

void FittedNumberField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange)
        fitValid = false;
    EditLine::changeEvent(event);
}

// Judged in the whole room: whether a right digit fits does not depend on the mark it may
// bring.
const FittedNumber& FittedNumberField::fitted() const
{
    // The room and the text's width follow from the style, the font, the screen's DPI and the
    // width; only a change of these asks the style again.
    if (!fitValid || width() != fitWidth || font() != fitFont || text() != fitFor ||
        logicalDpiY() != fitDpi || devicePixelRatioF() != fitPixelRatio) {
        fitFor = text();
        fitFont = font();
        fitDpi = logicalDpiY();
        fitPixelRatio = devicePixelRatioF();
        fitWidth = width();
        const int room = TextRoom(false);
        fitValid = true;
        const std::optional<ResultReference>& judgedBy = Reference();
        fit = FitNumber(fitFor, QFontMetricsF(fitFont, this), room,
                        judgedBy ? &judgedBy->digits : nullptr);
    }
    return fit;
}

WrongDigits FittedNumberField::Wrong() const
{
    return fitted().wrong;
}

bool FittedNumberField::IsMarked() const
{
    const std::optional<ResultReference>& judgedBy = Reference();
    return EditLine::IsMarked() || (judgedBy && !judgedBy->markedFor.isEmpty()) ||
           Wrong() != WrongDigits::None;
}

QString FittedNumberField::PaintedText() const
{
    if (!IsMarked())
        return fitted().text;
    // None of its digits can be trusted: the number as it fits beside the mark.
    return FitNumber(text(), QFontMetricsF(font(), this), TextRoom(true));
}
