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

// "-7.78": the sign, the first digit, and the others behind the point.
std::string mantissaText(const RoundedDecimal& number)
{
    std::string text = number.negative ? "-" : "";
    text += number.digits.front();
    if (number.digits.size() > 1)
        text += "." + number.digits.substr(1);
    return text;
}

QString exponentForm(const RoundedDecimal& number)
{
    return QString::fromLatin1(mantissaText(number) + number.exponentText);
}

// The exponent without its plus sign and leading zeros ("7.78e12", "1.5e-5"): one or two
// characters that a narrow field gives to a third digit.
QString compactExponentForm(const RoundedDecimal& number)
{
    return QString::fromLatin1(mantissaText(number) + "e" + std::to_string(number.exponent));
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
// is dearer by far, so it decides only where this sum lies within the kerning slack of the
// room.
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

// The digits a field shows at least where the number has them: for these, and only these, the
// exponent sheds its plus sign and leading zeros when that is what it takes.
constexpr int kLeastDigits = 3;

// The integer that `digits` (no sign, most significant first) reach when cut after `kept` of
// them and rounded half to even; digits beyond those given are zeros, unless `moreFollow`.
std::string roundedAt(const std::string& digits, int kept, bool moreFollow)
{
    const auto digitAt = [&](int i) {
        return i < int(digits.size()) ? digits[std::size_t(i)] - '0' : 0;
    };
    std::string integer;
    for (int i = 0; i < kept; ++i)
        integer += char('0' + digitAt(i));
    const int roundDigit = kept >= 0 ? digitAt(kept) : 0;
    bool sticky = moreFollow;
    for (int i = kept + 1; i < int(digits.size()); ++i)
        sticky = sticky || digits[std::size_t(i)] != '0';
    const bool lastOdd = kept > 0 && digitAt(kept - 1) % 2 == 1;
    const bool up = roundDigit > 5 || (roundDigit == 5 && (sticky || lastOdd));
    if (integer.empty())
        integer = "0";
    if (up) {
        int i = int(integer.size()) - 1;
        while (i >= 0 && integer[std::size_t(i)] == '9')
            integer[std::size_t(i--)] = '0';
        if (i < 0)
            integer.insert(integer.begin(), '1');
        else
            ++integer[std::size_t(i)];
    }
    const std::size_t first = integer.find_first_not_of('0');
    return first == std::string::npos ? "0" : integer.substr(first);
}

// The significant digits of a number as Str writes it: "0.0250" has three, "-1.5e+42" two.
int significantDigits(const QString& number)
{
    const QString mantissa = number.section(u'e', 0, 0);
    int digits = 0;
    bool leading = true;
    for (QChar c : mantissa) {
        if (!c.isDigit() || (leading && c == u'0'))
            continue;
        leading = false;
        ++digits;
    }
    return std::max(digits, 1);
}

WrongDigits whatIsWrong(double value, const DigitReference& reference)
{
    const ExactDecimal& exact = reference.exact;
    if (exact.digits.empty())
        return WrongDigits::NotZero;
    if (value == 0.0)
        return WrongDigits::Zero;
    if ((value < 0.0) != exact.negative)
        return WrongDigits::Sign;
    return roundTo(value, 17).exponent != exact.exponent ? WrongDigits::Magnitude
                                                         : WrongDigits::Digits;
}

} // namespace

bool DigitsAreRight(double value, int significantDigits, const DigitReference& reference)
{
    const ExactDecimal& exact = reference.exact;
    if (value == 0.0)
        return exact.digits.empty() || reference.zeroIsRight;
    if (exact.digits.empty() || (value < 0.0) != exact.negative)
        return false;
    const RoundedDecimal rounded = roundTo(value, significantDigits);
    // The exact value can round to the same integer at this place only from the same decimal
    // exponent, or from one below when the double's rounding carried into a new digit.
    if (exact.exponent != rounded.exponent && exact.exponent != rounded.exponent - 1)
        return false;
    const int place = rounded.exponent - significantDigits + 1;
    const std::string shown =
        rounded.digits + std::string(std::size_t(significantDigits) - rounded.digits.size(), '0');
    return roundedAt(exact.digits, exact.exponent - place + 1, exact.moreFollow) ==
           shown.substr(shown.find_first_not_of('0'));
}

FittedNumber FitNumber(const QString& exact, const QFontMetricsF& metrics, int room,
                       const DigitReference* reference)
{
    GlyphSum estimate(metrics);
    // Only a text within the kerning slack of the room is shaped to decide.
    const auto fits = [&](const QString& text) {
        const qreal sum = estimate(text);
        if (sum > room + kKerningSlack)
            return false;
        return sum + kKerningSlack < room || qRound(metrics.horizontalAdvance(text)) <= room;
    };
    if (!reference && fits(exact))
        return {exact};
    const double value = Val(exact);
    if (!std::isfinite(value))
        return {exact};
    // Only a number as Str wrote it is rounded; anything else is what someone typed, shown
    // from its start.
    if (Str(value) != exact)
        return {fits(exact) ? exact : metrics.elidedText(exact, Qt::ElideRight, room)};

    // The common case, and the cheap one: the whole text fits and all its digits are right.
    if (reference && fits(exact) && DigitsAreRight(value, significantDigits(exact), *reference))
        return {exact};

    // A double has at most 17 significant digits that mean anything, and no more digits fit
    // than the room holds of its narrowest digit.
    qreal narrowestDigit = estimate(QStringLiteral("0"));
    for (char digit = '1'; digit <= '9'; ++digit)
        narrowestDigit = std::min(narrowestDigit, estimate(QString(QChar(digit))));
    const int most = std::min(17, int((room + kKerningSlack) / std::max(narrowestDigit, 1.0)));
    QString firstFit;
    for (int digits = most; digits >= 1; --digits) {
        const RoundedDecimal rounded = roundTo(value, digits);
        QString candidate;
        if (hasPlainForm(rounded, digits) && fits(plainForm(rounded)))
            candidate = plainForm(rounded);
        else if (fits(exponentForm(rounded)))
            candidate = exponentForm(rounded);
        else if (digits <= kLeastDigits && fits(compactExponentForm(rounded)))
            candidate = compactExponentForm(rounded);
        if (candidate.isEmpty())
            continue;
        if (firstFit.isEmpty())
            firstFit = candidate;
        if (!reference)
            return {candidate};
        // Agreement is not monotone in the digits (0.14999999 against 0.15 is wrong at one
        // digit, right at two), so every count is tried from the most down.
        if (DigitsAreRight(value, digits, *reference)) {
            // Where those digits are the double itself, the field shows its text as written,
            // unless the text claims more: the padding zeros of "6910" would pass for a
            // checked units digit where only "6.91e3" is right.
            const bool whole =
                Val(candidate) == value && fits(exact) && significantDigits(exact) <= digits;
            return {whole ? exact : candidate};
        }
    }
    if (!firstFit.isEmpty())
        return {firstFit, whatIsWrong(value, *reference)};

    // Too narrow for any number: marks that no one reads as one; the tooltip has it whole.
    QString marks;
    while (fits(marks + u'#'))
        marks += u'#';
    return {marks};
}

QString FitNumber(const QString& exact, const QFontMetricsF& metrics, int room)
{
    return FitNumber(exact, metrics, room, nullptr).text;
}
