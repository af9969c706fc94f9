#pragma once
// A number's text made to fit a narrow field: the number rounded to what the room holds,
// never a cut-off digit string.

#include <QString>

class QFontMetricsF;

// What a field `room` pixels wide shows of its text `exact` in the font of `metrics`:
// - the text itself, when it fits, or when it is not a number as Str writes it;
// - "inf", "-inf" and "nan" as they are;
// - else the double's exact decimal value rounded half to even to the most significant digits
//   that fit, in plain or exponent form (the exponent always whole), trailing zeros dropped;
// - "#" marks, as many as fit, when not even one digit with its exponent fits.
QString FitNumber(const QString& exact, const QFontMetricsF& metrics, int room);
