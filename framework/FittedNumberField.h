#pragma once
// A one-line field for results: its text is always the exact number, but while the field has
// no keyboard focus a number too wide for it is painted rounded to what fits. Given the exact
// value the number stands for, it paints only digits that are right for it, and is marked
// where not even its first digit is.

#include "framework/EditLine.h"
#include "framework/NumberFit.h"

#include <QFont>
#include <QStringList>
#include <optional>

// What is known of a result beyond its text: the exact value it stands for, and what the
// reader should be told of it.
struct ResultReference
{
    DigitReference digits;
    QString exactText; // the exact value as the reader is told it
    QStringList notes; // further lines of its explanation
    QString markedFor; // non-empty: marked whatever its digits say, for this reason
};

class FittedNumberField final : public EditLine
{
    Q_OBJECT
public:
    using EditLine::EditLine;

    // The exact value the number is judged against while the field holds the text it was
    // given for, or none: an edit sets it aside, an undo back to that text brings it back.
    void SetReference(std::optional<ResultReference> reference);
    const std::optional<ResultReference>& Reference() const;

    QString PaintedText() const override;
    // Marked by SetMarked or by the reference, or no digit that fits is right.
    bool IsMarked() const override;
    // Why no digit that fits is right, or WrongDigits::None.
    WrongDigits Wrong() const;

protected:
    void DropJudgement() override;
    void changeEvent(QEvent* event) override;

private:
    const FittedNumber& fitted() const;

    std::optional<ResultReference> reference;
    QString referenceText; // the text the reference was given for
    // The fit of the last paint, kept until anything that sets the text's width in pixels or
    // the room for it changes: the text, the font, the logical DPI or pixel ratio of the
    // screen (a font compares equal across DPIs), the width, the reference, or the style (a
    // style change refits through changeEvent).
    mutable QString fitFor;
    mutable QFont fitFont;
    mutable int fitDpi = 0;
    mutable qreal fitPixelRatio = 0;
    mutable int fitWidth = -1;
    mutable bool fitValid = false;
    mutable FittedNumber fit;
};
