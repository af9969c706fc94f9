#pragma once
// A one-line field for results: its text is always the exact number, but while the field has
// no keyboard focus a number too wide for it is painted rounded to what fits.

#include <QFont>
#include <QLineEdit>

class FittedNumberField final : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // What the field paints: its exact text while it has focus, else FitNumber of it.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString fittedText() const;
    QRect textLine() const;

    // The fit of the last paint, kept until the text, the font or the width changes.
    mutable QString fitFor;
    mutable QFont fitFont;
    mutable int fitRoom = -1;
    mutable QString fit;
};
