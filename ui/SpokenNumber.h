#pragma once
// Numbers in German sentences for screen readers: a German voice reads "2.375" as two
// thousand three hundred seventy-five, since the point groups thousands; "2,375" it reads right,
// and "e-05" it hears as "e null fünf" unless the exponent is spelt out.

#include "framework/SpokenText.h"

// The text with every decimal point between two digits written as a comma and every exponent
// in words; the full stops that end sentences stay.
inline QString SpokenNumber(const QString& text)
{
    return NumbersInWords(text);
}
