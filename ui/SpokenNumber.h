#pragma once
// Numbers in German sentences for screen readers: a German voice reads "2.375" as two
// thousand three hundred seventy-five, since the point groups thousands; "2,375" it reads right.

#include <QRegularExpression>
#include <QString>

// The text with every decimal point between two digits written as a comma; the full stops
// that end sentences stay.
inline QString SpokenNumber(QString text)
{
    static const QRegularExpression decimalPoint(QStringLiteral("(?<=\\d)\\.(?=\\d)"));
    return text.replace(decimalPoint, QStringLiteral(","));
}
