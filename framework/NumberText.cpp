#include "framework/NumberText.h"

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

QString Str(double value)
{
    // to_chars writes "-nan" for a NaN with its sign bit set, which x86 produces for 0 * inf;
    // the sign of a NaN carries no meaning, so every NaN is written alike.
    if (std::isnan(value))
        return QStringLiteral("nan");
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString Str(std::int32_t value)
{
    return QString::number(value);
}

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v' ||
           c == QChar::Nbsp;
}

// Matches a word such as "inf" case-insensitively at position pos.
bool startsWithWord(const QString& text, qsizetype pos, QLatin1StringView word)
{
    return QStringView(text).mid(pos).startsWith(word, Qt::CaseInsensitive);
}

// The decimal number at the start of text[pos..], in C syntax with '.' as separator; empty when
// the text does not start with one. The exponent belongs to the number only when it has digits.
std::string leadingDecimal(const QString& text, qsizetype pos)
{
    std::string number;
    qsizetype i = pos;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        number += char(text[i++].unicode());
    qsizetype mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        number += char(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        number += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            number += char(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return {};
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                exponent += char(text[j++].unicode());
            number += exponent;
        }
    }
    return number;
}

// strtod rounds correctly and saturates to inf or 0 on overflow and underflow; the C locale
// keeps its decimal separator '.' whatever the process locale says.
double parseDecimal(const std::string& number)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

} // namespace

double Val(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;

    const std::string number = leadingDecimal(text, pos);
    if (!number.empty())
        return parseDecimal(number);

    double sign = 1.0;
    qsizetype word = pos;
    if (word < text.size() && (text[word] == u'+' || text[word] == u'-'))
        sign = text[word++] == u'-' ? -1.0 : 1.0;
    if (startsWithWord(text, word, QLatin1StringView("inf")))
        return sign * std::numeric_limits<double>::infinity();
    if (startsWithWord(text, word, QLatin1StringView("nan")))
        return std::numeric_limits<double>::quiet_NaN();
    return 0.0;
}

std::int32_t ToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
