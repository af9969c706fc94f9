#include "framework/FittedNumberField.h"

#include <QEvent>

void FittedNumberField::SetReference(std::optional<ResultReference> newReference)
{
    reference = std::move(newReference);
    fitValid = false;
    UpdateColours();
    update();
    emit StateChanged();
}

const std::optional<ResultReference>& FittedNumberField::Reference() const
{
    return reference;
}

void FittedNumberField::DropJudgement()
{
    reference.reset();
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
        fit = FitNumber(fitFor, QFontMetricsF(fitFont, this), room,
                        reference ? &reference->digits : nullptr);
    }
    return fit;
}

WrongDigits FittedNumberField::Wrong() const
{
    return fitted().wrong;
}

bool FittedNumberField::IsMarked() const
{
    return EditLine::IsMarked() || (reference && !reference->markedFor.isEmpty()) ||
           Wrong() != WrongDigits::None;
}

QString FittedNumberField::PaintedText() const
{
    if (!IsMarked())
        return fitted().text;
    // None of its digits can be trusted: the number as it fits beside the mark.
    return FitNumber(text(), QFontMetricsF(font(), this), TextRoom(true));
}
