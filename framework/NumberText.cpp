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

qsizetype skipBlanks(const QString& text, qsizetype pos)
{
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

// The mantissa and exponent of a decimal number at text[pos..]; kind stays None when there is
// no mantissa digit.
void scanDecimal(const QString& text, qsizetype pos, NumberPrefix& prefix)
{
    qsizetype i = pos;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::string digits;
    while (i < text.size() && isDigit(text[i]))
        digits += char(text[i++].unicode());
    qsizetype fractionDigits = 0;
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            digits += char(text[i++].unicode());
            ++fractionDigits;
        }
    }
    if (digits.empty())
        return;
    prefix.kind = NumberPrefix::Kind::Decimal;
    prefix.negative = negative;
    prefix.digits = std::move(digits);
    prefix.fractionDigits = fractionDigits;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                exponent += char(text[j++].unicode());
            prefix.exponent = std::move(exponent);
            i = j;
        }
    }
    prefix.end = i;
}

// The decimal number of a prefix in C syntax with '.' as separator.
std::string cSyntax(const NumberPrefix& prefix)
{
    std::string number;
    if (prefix.negative)
        number += '-';
    const auto integerDigits = qsizetype(prefix.digits.size()) - prefix.fractionDigits;
    number.append(prefix.digits, 0, size_t(integerDigits));
    if (prefix.fractionDigits > 0) {
        number += '.';
        number.append(prefix.digits, size_t(integerDigits));
    }
    if (!prefix.exponent.empty())
        number += 'e' + prefix.exponent;
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

NumberPrefix ScanNumber(const QString& text)
{
    NumberPrefix prefix;
    const qsizetype pos = skipBlanks(text, 0);
    scanDecimal(text, pos, prefix);
    if (prefix.kind != NumberPrefix::Kind::None)
        return prefix;

    qsizetype word = pos;
    bool negative = false;
    if (word < text.size() && (text[word] == u'+' || text[word] == u'-'))
        negative = text[word++] == u'-';
    if (startsWithWord(text, word, QLatin1StringView("infinity"))) {
        prefix = {NumberPrefix::Kind::Infinity, negative, {}, 0, {}, word + 8};
    } else if (startsWithWord(text, word, QLatin1StringView("inf"))) {
        prefix = {NumberPrefix::Kind::Infinity, negative, {}, 0, {}, word + 3};
    } else if (startsWithWord(text, word, QLatin1StringView("nan"))) {
        prefix = {NumberPrefix::Kind::NaN, negative, {}, 0, {}, word + 3};
    }
    return prefix;
}

bool ReadsEntirely(const QString& text)
{
    const NumberPrefix prefix = ScanNumber(text);
    return prefix.kind != NumberPrefix::Kind::None && skipBlanks(text, prefix.end) == text.size();
}

double Val(const QString& text)
{
    const NumberPrefix prefix = ScanNumber(text);
    switch (prefix.kind) {
    case NumberPrefix::Kind::Decimal:
        return parseDecimal(cSyntax(prefix));
    case NumberPrefix::Kind::Infinity:
        return prefix.negative ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
    case NumberPrefix::Kind::NaN:
        return std::numeric_limits<double>::quiet_NaN();
    case NumberPrefix::Kind::None:
        break;
    }
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
