// Text and numbers: what Str writes, what Val reads back, and how a double becomes a count.

#include "framework/NumberText.h"

#include <QLocale>
#include <QtTest>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double fromBits(std::uint64_t bits)
{
    return std::bit_cast<double>(bits);
}

// Equal to the last bit, sign of zero included; any NaN matches any NaN.
bool sameDouble(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

QString describe(double x)
{
    return QStringLiteral("%1 (bits %2)")
        .arg(x, 0, 'g', 17)
        .arg(std::bit_cast<std::uint64_t>(x), 16, 16, QLatin1Char('0'));
}

QString toCharsText(double x)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// The exact midpoint between 1 and the next double above it, 1 + 2^-53, written out to 400
// digits: with `tail` "0" it is the tie itself, "1" lies just above it, and the midpoint less
// 1e-399 lies just below it.
QString nearMidpointAboveOne(char tail)
{
    QString digits = QStringLiteral("1.00000000000000011102230246251565404236316680908203125");
    digits = digits.leftJustified(400, u'0');
    digits[399] = QLatin1Char(tail);
    return digits;
}

QString justBelowMidpointAboveOne()
{
    QString digits = QStringLiteral("1.00000000000000011102230246251565404236316680908203124");
    return digits.leftJustified(400, u'9');
}

} // namespace

class NumberTextTest : public QObject
{
    Q_OBJECT
private slots:
    void strWritesShortestText_data();
    void strWritesShortestText();
    void strWritesIntegerDigits_data();
    void strWritesIntegerDigits();
    void everyDoubleSurvivesStrAndVal();
    void valReadsWhatPeopleType_data();
    void valReadsWhatPeopleType();
    void conversionIgnoresTheDesktopLanguage();
    void toInt32TruncatesAndSaturates_data();
    void toInt32TruncatesAndSaturates();
};

void NumberTextTest::strWritesShortestText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("an integral value has no point") << 2.0 << "2";
    QTest::newRow("a negative fraction") << -0.5 << "-0.5";
    QTest::newRow("thirteen thirds in 16 digits") << 13.0 / 3.0 << "4.333333333333333";
    QTest::newRow("a tiny value in exponent form") << 1e-12 << "1e-12";
    QTest::newRow("a huge value with signed exponent") << 1.5e20 << "1.5e+20";
    QTest::newRow("negative zero keeps its sign") << -0.0 << "-0";
    QTest::newRow("infinity") << kInf << "inf";
    QTest::newRow("minus infinity") << -kInf << "-inf";
    QTest::newRow("a NaN") << kNaN << "nan";
    QTest::newRow("a NaN with the sign bit set") << -kNaN << "nan";
    QTest::newRow("a signalling NaN with payload") << fromBits(0xFFF0000000000001) << "nan";
}

void NumberTextTest::strWritesShortestText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(Str(value), text);
}

void NumberTextTest::strWritesIntegerDigits_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("ten") << 10 << "10";
    QTest::newRow("a negative count") << -3 << "-3";
    QTest::newRow("largest integer, no grouping")
        << std::numeric_limits<std::int32_t>::max() << "2147483647";
    QTest::newRow("smallest integer") << std::numeric_limits<std::int32_t>::min() << "-2147483648";
}

void NumberTextTest::strWritesIntegerDigits()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(Str(std::int32_t{value}), text);
}

void NumberTextTest::everyDoubleSurvivesStrAndVal()
{
    // Random bit patterns rather than random values, so that subnormals, huge and tiny
    // exponents and NaN payloads all turn up.
    std::mt19937_64 bits(20240611);
    std::vector<double> sample = {0.0,
                                  -0.0,
                                  kInf,
                                  -kInf,
                                  kNaN,
                                  std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::lowest(),
                                  0.1,
                                  1.0 / 3.0};
    for (int i = 0; i < 200000; ++i)
        sample.push_back(fromBits(bits()));

    for (double x : sample) {
        const QString text = Str(x);
        if (!std::isnan(x) && text != toCharsText(x))
            QFAIL(qPrintable(describe(x) + " written as " + text));
        const double back = Val(text);
        if (!sameDouble(back, x))
            QFAIL(qPrintable(describe(x) + " written as " + text + " reads back as " +
                             describe(back)));
    }
}

void NumberTextTest::valReadsWhatPeopleType_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks around, comma as separator") << " 2,5 " << 2.5;
    QTest::newRow("comma without leading digit") << ",5" << 0.5;
    QTest::newRow("sign and point without leading digit") << "-.5" << -0.5;
    QTest::newRow("explicit plus sign") << "+7" << 7.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("negative zero keeps its sign") << "-0" << -0.0;
    QTest::newRow("overflow gives infinity") << "1e400" << kInf;
    QTest::newRow("negative overflow gives minus infinity") << "-1e400" << -kInf;
    QTest::newRow("underflow gives zero") << "1e-400" << 0.0;
    QTest::newRow("exponent beyond any integer still overflows")
        << "1e99999999999999999999" << kInf;
    QTest::newRow("empty text is zero") << "" << 0.0;
    QTest::newRow("blanks only are zero") << "   " << 0.0;
    QTest::newRow("a letter is zero") << "x" << 0.0;
    QTest::newRow("a word is zero") << "abc" << 0.0;
    QTest::newRow("a double sign is zero") << "--1" << 0.0;
    QTest::newRow("a lone point is zero") << "." << 0.0;
    QTest::newRow("no hexadecimal: 0x10 is the 0 before the x") << "0x10" << 0.0;
    QTest::newRow("the number before trailing letters") << "3abc" << 3.0;
    QTest::newRow("an exponent without digits is dropped") << "1e" << 1.0;
    QTest::newRow("an exponent with only a sign is dropped") << "1e+" << 1.0;
    QTest::newRow("a second point ends the number") << "1.5.3" << 1.5;
    QTest::newRow("infinity in capitals") << "INF" << kInf;
    QTest::newRow("minus infinity spelt out") << "-Infinity" << -kInf;
    QTest::newRow("nan") << "nan" << kNaN;
    QTest::newRow("NaN in mixed case") << "NaN" << kNaN;
    QTest::newRow("0.1 rounds to the nearest double") << "0.1" << fromBits(0x3FB999999999999A);
    QTest::newRow("largest subnormal, a classic hard case")
        << "2.2250738585072011e-308" << fromBits(0x000FFFFFFFFFFFFF);
    QTest::newRow("smallest normal") << "2.2250738585072014e-308" << fromBits(0x0010000000000000);
    QTest::newRow("400 digits just above a tie round up")
        << nearMidpointAboveOne('1') << fromBits(0x3FF0000000000001);
    QTest::newRow("400 digits exactly on a tie round to even") << nearMidpointAboveOne('0') << 1.0;
    QTest::newRow("400 digits just below a tie round down") << justBelowMidpointAboveOne() << 1.0;
}

void NumberTextTest::valReadsWhatPeopleType()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const double read = Val(text);
    QVERIFY2(sameDouble(read, value), qPrintable(describe(read)));
}

void NumberTextTest::conversionIgnoresTheDesktopLanguage()
{
    const QLocale previous;
    QLocale::setDefault(QLocale::German);
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    const bool cLocaleSet = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr ||
                            std::setlocale(LC_ALL, "de_DE.utf8") != nullptr;
    if (!cLocaleSet)
        qInfo("no German C locale installed; only Qt's default locale is German");

    const QString writtenFraction = Str(2.5);
    const QString writtenLarge = Str(1234567.0);
    const QString writtenInteger = Str(std::int32_t{1234567});
    const double readPoint = Val("2.5");
    const double readComma = Val("2,5");
    const double readExponent = Val("1.5e3");

    std::setlocale(LC_ALL, previousC.c_str());
    QLocale::setDefault(previous);

    QCOMPARE(writtenFraction, QStringLiteral("2.5"));
    QCOMPARE(writtenLarge, QStringLiteral("1234567"));
    QCOMPARE(writtenInteger, QStringLiteral("1234567"));
    QCOMPARE(readPoint, 2.5);
    QCOMPARE(readComma, 2.5);
    QCOMPARE(readExponent, 1500.0);
}

void NumberTextTest::toInt32TruncatesAndSaturates_data()
{
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    constexpr int kMin = std::numeric_limits<std::int32_t>::min();
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("integer");
    QTest::newRow("positive fraction truncated") << 3.7 << 3;
    QTest::newRow("negative fraction truncated toward zero") << -3.7 << -3;
    QTest::newRow("just below one is zero") << 0.999 << 0;
    QTest::newRow("negative zero is zero") << -0.0 << 0;
    QTest::newRow("NaN is zero") << kNaN << 0;
    QTest::newRow("largest integer exact") << 2147483647.0 << kMax;
    QTest::newRow("smallest integer exact") << -2147483648.0 << kMin;
    QTest::newRow("fraction above the largest integer") << 2147483647.5 << kMax;
    QTest::newRow("fraction below the smallest truncates into range") << -2147483648.9 << kMin;
    QTest::newRow("one past the largest integer saturates") << 2147483648.0 << kMax;
    QTest::newRow("one past the smallest integer saturates") << -2147483649.0 << kMin;
    QTest::newRow("1e12 saturates high") << 1e12 << kMax;
    QTest::newRow("-1e12 saturates low") << -1e12 << kMin;
    QTest::newRow("infinity saturates high") << kInf << kMax;
    QTest::newRow("minus infinity saturates low") << -kInf << kMin;
}

void NumberTextTest::toInt32TruncatesAndSaturates()
{
    QFETCH(double, value);
    QFETCH(int, integer);
    QCOMPARE(ToInt32(value), std::int32_t{integer});
}

QTEST_MAIN(NumberTextTest)
#include "test_number_text.moc"
