#pragma once
// Conversions between the text of a field and numbers. Locale-independent, so that a
// number always reads and writes the same way whatever the desktop's language is.

#include <QString>
#include <cstdint>

// The shortest text that reads back to the same double ("2", "-0.5", "1e-12", "inf", "nan").
QString Str(double value);
// The decimal digits of an integer.
QString Str(std::int32_t value);

// The number at the start of the text: blanks around it are ignored, the decimal separator may
// be '.' or ',', "inf", "infinity" and "nan" are read in any case; anything else gives 0.
double Val(const QString& text);

// Double to 32-bit integer: truncates toward zero, NaN gives 0, values beyond the range saturate.
std::int32_t ToInt32(double value);
