#pragma once
// Conversions between the text of a field and numbers. Locale-independent, so that a
// number always reads and writes the same way whatever the desktop's language is.

#include <QString>
#include <cstdint>
#include <string>

// The shortest text that reads back to the same double ("2", "-0.5", "1e-12", "inf", "nan").
QString Str(double value);
// The decimal digits of an integer.
QString Str(std::int32_t value);

// The number at the start of the text: blanks around it are ignored, the decimal separator may
// be '.' or ',', "inf", "infinity" and "nan" are read in any case; anything else gives 0.
double Val(const QString& text);

// What a number text starts with, as Val reads it; the one grammar every reading of a field shares.
struct NumberPrefix
{
    enum class Kind
    {
        None,
        Decimal,
        Infinity,
        NaN
    };
    Kind kind = Kind::None;
    bool negative = false;        // a '-' before the digits or the word
    std::string digits;           // Decimal: every mantissa digit as typed, separator left out
    qsizetype fractionDigits = 0; // how many of them follow the separator
    std::string exponent;         // the exponent's optional sign and its digits; empty if none
    qsizetype end = 0;            // index just after the prefix (0 for None)
};

// Blanks before the number are skipped. An exponent belongs to the number only when it has
// digits ("1e" is 1 followed by "e"); "infinity" is read as a whole word, "inf" otherwise.
NumberPrefix ScanNumber(const QString& text);

// Val reads the whole text: there is a number, and only blanks follow it.
bool ReadsEntirely(const QString& text);

// Double to 32-bit integer: truncates toward zero, NaN gives 0, values beyond the range saturate.
std::int32_t ToInt32(double value);
