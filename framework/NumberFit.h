#pragma once
// A number's text made to fit a narrow field: the number rounded to what the room holds,
// never a cut-off digit string, and, where its exact value is known, to digits that are right.

#include "framework/ExactDecimal.h"

#include <QString>

class QFontMetricsF;

// What is wrong with a number whose shown digits cannot be right for its exact value.
enum class WrongDigits
{
    None,      // every digit shown is right (or there is nothing to judge against)
    NotZero,   // the exact value is 0
    Zero,      // the number is 0, the exact value is not
    Sign,      // the signs differ
    Magnitude, // the decimal exponents differ
    Digits,    // same sign and magnitude, but not even the first digit that fits is right
};

// The exact value a number is judged against.
struct DigitReference
{
    ExactDecimal exact;
    bool zeroIsRight = false; // a 0 against a non-zero exact value is right by the caller's rule
};

struct FittedNumber
{
    QString text;
    WrongDigits wrong = WrongDigits::None;
};

// What a field `room` pixels wide shows of its text `exact` in the font of `metrics`:
// - the text itself, when it fits (and, with a reference, all its digits are right);
// - "inf", "-inf" and "nan" as they are, and the start of any text that is not a number as
//   Str writes it, ended by "…";
// - else the double's exact decimal value rounded half to even to the most significant digits
//   that fit (and are right for the reference: the double rounded to d digits equals the
//   exact value rounded at the same decimal place), in plain or exponent form, trailing zeros
//   dropped; where no such d exists, `wrong` says why and the text is the fit without reference;
// - "#" marks, as many as fit, when not even one digit with its exponent fits.
FittedNumber FitNumber(const QString& exact, const QFontMetricsF& metrics, int room,
                       const DigitReference* reference);
QString FitNumber(const QString& exact, const QFontMetricsF& metrics, int room);

// Whether `value` rounded to `significantDigits` equals `reference` rounded at the same place.
bool DigitsAreRight(double value, int significantDigits, const DigitReference& reference);
