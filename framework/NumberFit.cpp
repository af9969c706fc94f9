#include "framework/NumberFit.h"

#include "framework/NumberText.h"

#include <QFontMetricsF>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// A double rounded to a number of significant digits: sign, digits without trailing zeros,
// and the decimal exponent of the first digit, as written by to_chars in exponent form.
struct RoundedDecimal
{
    bool negative = false;
    std::string digits;
    std::string exponentText; // "e+42", "e-05": to_chars' own, as Str writes exponents
    int exponent = 0;
};

RoundedDecimal roundTo(double value, int significantDigits)
{
    // to_chars with a precision rounds the exact binary value half to even, as printf does.
    std::array<char, 64> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific, significantDigits - 1)
                         .ptr;
    const std::string text(buffer.data(), end);
    const std::size_t e = text.find('e');

    RoundedDecimal rounded;
    rounded.negative = text.front() == '-';
    for (char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9')
            rounded.digits += c;
    }
    while (rounded.digits.size() > 1 && rounded.digits.back() == '0')
        rounded.digits.pop_back();
    rounded.exponentText = text.substr(e);
    rounded.exponent = std::stoi(text.substr(e + 1));
    return rounded;
}

QString exponentForm(const RoundedDecimal& number)
{
    std::string text = number.negative ? "-" : "";
    text += number.digits.front();
    if (number.digits.size() > 1)
        text += "." + number.digits.substr(1);
    return QString::fromLatin1(text + number.exponentText);
}

// Plain form only where every digit left of the point is one of the rounded digits: "980"
// for 983.99 at two digits would pass its padding zero off as a third.
bool hasPlainForm(const RoundedDecimal& number, int significantDigits)
{
    // With two dozen zeros behind the point a plain form is wider than any field could be.
    return number.exponent < significantDigits && number.exponent > -24;
}

QString plainForm(const RoundedDecimal& number)
{
    std::string text = number.negative ? "-" : "";
    const std::string& digits = number.digits;
    if (number.exponent < 0) {
        text += "0." + std::string(std::size_t(-number.exponent - 1), '0') + digits;
    } else {
        const std::size_t integerDigits = std::size_t(number.exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += digits + std::string(integerDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
        }
    }
    return QString::fromLatin1(text);
}

// The width of a number's text, cheap: the sum of its glyphs' advances. Shaping a whole text
// is dearer by far, so it only confirms a candidate that this says may fit.
class GlyphSum
{
public:
    explicit GlyphSum(const QFontMetricsF& metrics)
        : metrics(metrics)
    {
        advances.fill(-1.0);
    }
    qreal operator()(const QString& text)
    {
        qreal width = 0.0;
        for (QChar c : text) {
            qreal& advance = advances[c.unicode() & 0x7F];
            if (advance < 0.0)
                advance = metrics.horizontalAdvance(c);
            width += advance;
        }
        return width;
    }

private:
    const QFontMetricsF& metrics;
    std::array<qreal, 128> advances;
};

// Kerning between digits, signs and the exponent moves a text by a pixel or two at most.
constexpr qreal kKerningSlack = 2.0;

} // namespace

QString FitNumber(const QString& exact, const QFontMetricsF& metrics, int room)
{
    GlyphSum estimate(metrics);
    const auto fits = [&](const QString& text) {
        return estimate(text) <= room + kKerningSlack &&
               qRound(metrics.horizontalAdvance(text)) <= room;
    };
    if (fits(exact))
        return exact;
    const double value = Val(exact);
    // Only a number as Str wrote it is rounded; anything else is what someone typed.
    if (!std::isfinite(value) || Str(value) != exact)
        return exact;

    // A double has at most 17 significant digits that mean anything, and no more digits fit
    // than the room holds of its narrowest digit.
    qreal narrowestDigit = estimate(QStringLiteral("0"));
    for (char digit = '1'; digit <= '9'; ++digit)
        narrowestDigit = std::min(narrowestDigit, estimate(QString(QChar(digit))));
    const int most = std::min(17, int((room + kKerningSlack) / std::max(narrowestDigit, 1.0)));
    for (int digits = most; digits >= 1; --digits) {
        const RoundedDecimal rounded = roundTo(value, digits);
        if (hasPlainForm(rounded, digits)) {
            const QString plain = plainForm(rounded);
            if (fits(plain))
                return plain;
        }
        const QString withExponent = exponentForm(rounded);
        if (fits(withExponent))
            return withExponent;
    }

    // Too narrow for any number: marks that no one reads as one; the tooltip has it whole.
    QString marks;
    while (fits(marks + u'#'))
        marks += u'#';
    return marks;
}
