#include "framework/PlotNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr char16_t kMinus = u'\u2212';
constexpr char16_t kTimes = u'\u00B7'; // middle dot

QString superscript(int exponent)
{
    static const char16_t digits[] = {u'\u2070', u'\u00B9', u'\u00B2', u'\u00B3', u'\u2074',
                                      u'\u2075', u'\u2076', u'\u2077', u'\u2078', u'\u2079'};
    QString text;
    for (char digit : std::to_string(std::abs(exponent)))
        text += QChar(digits[digit - '0']);
    return exponent < 0 ? QChar(u'\u207B') + text : text;
}

// The double nearest to 10^exponent.
double powerOfTen(int exponent)
{
    char text[16];
    const int length = std::snprintf(text, sizeof text, "1e%d", exponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text, text + length, value);
    if (error == std::errc::result_out_of_range)
        return exponent > 0 ? HUGE_VAL : 0.0;
    return value;
}

// The significant digits and the exponent of the leading one, from to_chars' scientific form.
// A precision below 0 asks for the shortest form that reads back to the same double.
void scientific(double magnitude, int precision, std::string& digits, int& leading)
{
    char text[64];
    const auto result = precision < 0 ? std::to_chars(text, text + sizeof text, magnitude,
                                                      std::chars_format::scientific)
                                      : std::to_chars(text, text + sizeof text, magnitude,
                                                      std::chars_format::scientific, precision);
    const std::string written(text, result.ptr);
    const size_t e = written.find('e');
    digits.clear();
    for (size_t i = 0; i < e; ++i)
        if (written[i] != '.')
            digits += written[i];
    leading = std::atoi(written.c_str() + e + 1);
}

} // namespace

DecimalNumber DecimalNumber::Trimmed() const
{
    DecimalNumber trimmed = *this;
    if (trimmed.IsZero())
        return trimmed;
    while (trimmed.digits.size() > 1 && trimmed.digits.back() == '0') {
        trimmed.digits.pop_back();
        ++trimmed.exponent;
    }
    return trimmed;
}

Notation NotationFor(int leading, int place)
{
    if (leading >= -4 && leading < 6)
        return Notation::Plain;
    return leading >= 6 && leading < 16 && place <= 2 ? Notation::Plain : Notation::Scientific;
}

QString PlotNumber(const DecimalNumber& number, Notation notation)
{
    QString text;
    if (number.negative && !number.IsZero())
        text += QChar(kMinus);
    const QString digits = QString::fromStdString(number.digits);
    if (notation == Notation::Scientific && !number.IsZero()) {
        text += digits.front();
        if (digits.size() > 1)
            text += u'.' + digits.mid(1);
        return text + QChar(kTimes) + QStringLiteral("10") + superscript(number.Leading());
    }
    if (number.exponent >= 0)
        return text + digits + QString(number.IsZero() ? 0 : number.exponent, u'0');
    const int fraction = -number.exponent;
    const QString padded = QString(std::max(0, fraction + 1 - int(digits.size())), u'0') + digits;
    return text + padded.left(padded.size() - fraction) + u'.' + padded.right(fraction);
}

QString PlotNumber(const DecimalNumber& number)
{
    return PlotNumber(number, NotationFor(number.Leading(), number.exponent));
}

int PlaceOf(double size)
{
    // log10 may land one off near a power of ten; the comparisons settle it.
    int place = int(std::clamp(std::floor(std::log10(size)), -330.0, 330.0));
    while (place < 330 && powerOfTen(place + 1) <= size)
        ++place;
    while (place > -330 && powerOfTen(place) > size)
        --place;
    return place;
}

DecimalNumber RoundedToPlace(double x, int place)
{
    DecimalNumber number;
    number.negative = std::signbit(x);
    number.exponent = place;
    const double magnitude = std::fabs(x);
    if (magnitude == 0.0)
        return number;
    // The shortest form that reads back to x has the leading exponent of x's exact value.
    std::string digits;
    int leading = 0;
    scientific(magnitude, -1, digits, leading);
    place = std::max(place, leading - 16);
    number.exponent = place;
    const int significant = leading - place + 1;
    if (significant < 1) {
        // Below the place: 0, or one unit of it where x is more than half of it away from 0.
        const double unit = powerOfTen(place);
        if (significant == 0 && magnitude > unit / 2)
            number.digits = "1";
        return number;
    }
    scientific(magnitude, significant - 1, digits, leading);
    // Rounding may carry into a new leading digit: the place stays, one digit more.
    number.digits =
        digits + std::string(size_t(std::max(0, leading - place + 1 - int(digits.size()))), '0');
    return number;
}
