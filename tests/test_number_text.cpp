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

using Limits = std::numeric_limits<double>;
constexpr double kInf = Limits::infinity();
constexpr double kNaN = Limits::quiet_NaN();
constexpr int kMax = std::numeric_limits<std::int32_t>::max();
constexpr int kMin = std::numeric_limits<std::int32_t>::min();

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

// 1 + 2^-53, the exact midpoint between 1 and the next double above it, written out to 400
// digits and nudged by 1e-399: up (nudge 1), not at all (0) or down (-1).
QString nearTieAboveOne(int nudge)
{
    QString digits = nudge < 0 ? "1.00000000000000011102230246251565404236316680908203124"
                               : "1.00000000000000011102230246251565404236316680908203125";
    digits = digits.leftJustified(400, nudge < 0 ? u'9' : u'0');
    if (nudge > 0)
        digits[399] = u'1';
    return digits;
}

} // namespace

class NumberTextTest : public QObject
{
    Q_OBJECT
private slots:
    void textAndNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("way"); // "both", "written" by Str, "read" by Val, or a "count"
        const auto row = [](const char* name, const QString& text, double value, const char* way) {
            QTest::newRow(name) << text << value << QString(way);
        };
        row("an integral value has no point", "2", 2.0, "both");
        row("a negative fraction", "-0.5", -0.5, "both");
        row("thirteen thirds in 16 digits", "4.333333333333333", 13.0 / 3.0, "both");
        row("a tiny value in exponent form", "1e-12", 1e-12, "both");
        row("a huge value with signed exponent", "1.5e+20", 1.5e20, "both");
        row("negative zero keeps its sign", "-0", -0.0, "both");
        row("infinity", "inf", kInf, "both");
        row("minus infinity", "-inf", -kInf, "both");
        row("a NaN", "nan", kNaN, "both");
        row("a NaN with the sign bit set", "nan", -kNaN, "written");
        row("a signalling NaN with payload", "nan", fromBits(0xFFF0000000000001), "written");
        row("a negative count", "-3", -3.0, "count");
        row("largest count, no grouping", "2147483647", kMax, "count");
        row("smallest count", "-2147483648", kMin, "count");
        row("blanks around, comma as separator", " 2,5 ", 2.5, "read");
        row("comma without leading digit", ",5", 0.5, "read");
        row("sign and point without leading digit", "-.5", -0.5, "read");
        row("explicit plus sign", "+7", 7.0, "read");
        row("exponent without sign or point", "1e3", 1000.0, "read");
        row("overflow gives infinity", "1e400", kInf, "read");
        row("negative overflow gives minus infinity", "-1e400", -kInf, "read");
        row("underflow gives zero", "1e-400", 0.0, "read");
        row("exponent beyond any integer still overflows", "1e99999999999999999999", kInf, "read");
        row("empty text is zero", "", 0.0, "read");
        row("blanks only are zero", "   ", 0.0, "read");
        row("a word is zero", "abc", 0.0, "read");
        row("a double sign is zero", "--1", 0.0, "read");
        row("a lone point is zero", ".", 0.0, "read");
        row("no hexadecimal: 0x10 is the 0 before the x", "0x10", 0.0, "read");
        row("the number before trailing letters", "3abc", 3.0, "read");
        row("an exponent without digits is dropped", "1e", 1.0, "read");
        row("an exponent with only a sign is dropped", "1e+", 1.0, "read");
        row("a second point ends the number", "1.5.3", 1.5, "read");
        row("infinity in capitals", "INF", kInf, "read");
        row("minus infinity spelt out", "-Infinity", -kInf, "read");
        row("NaN in mixed case", "NaN", kNaN, "read");
        row("0.1 rounds to the nearest double", "0.1", fromBits(0x3FB999999999999A), "read");
        row("largest subnormal, a classic hard case", "2.2250738585072011e-308",
            fromBits(0x000FFFFFFFFFFFFF), "read");
        row("smallest normal", "2.2250738585072014e-308", fromBits(0x0010000000000000), "read");
        row("400 digits just above a tie round up", nearTieAboveOne(1),
            fromBits(0x3FF0000000000001), "read");
        row("400 digits exactly on a tie round to even", nearTieAboveOne(0), 1.0, "read");
        row("400 digits just below a tie round down", nearTieAboveOne(-1), 1.0, "read");
    }
    void textAndNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, way);
        if (way != "read")
            QCOMPARE(way == "count" ? Str(std::int32_t(value)) : Str(value), text);
        if (way == "both" || way == "read")
            QVERIFY2(sameDouble(Val(text), value), qPrintable(describe(Val(text))));
    }

    void everyDoubleSurvivesStrAndVal()
    {
        // Random bit patterns rather than random values, so that subnormals, huge and tiny
        // exponents and NaN payloads all turn up.
        std::vector<double> sample = {0.0,
                                      -0.0,
                                      kInf,
                                      -kInf,
                                      kNaN,
                                      Limits::min(),
                                      Limits::max(),
                                      Limits::lowest(),
                                      0.1,
                                      1.0 / 3.0,
                                      Limits::denorm_min(),
                                      -Limits::denorm_min()};
        std::mt19937_64 bits(20240611);
        for (int i = 0; i < 200000; ++i)
            sample.push_back(fromBits(bits()));
        char shortest[64];
        for (double x : sample) {
            const QString text = Str(x);
            const char* end = std::to_chars(shortest, shortest + sizeof shortest, x).ptr;
            if (!std::isnan(x) && text != QLatin1String(shortest, end - shortest))
                QFAIL(qPrintable(describe(x) + " written as " + text));
            if (const double back = Val(text); !sameDouble(back, x))
                QFAIL(qPrintable(describe(x) + " written as " + text + " reads back as " +
                                 describe(back)));
        }
    }

    void conversionIgnoresTheDesktopLanguage()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale::German);
        const std::string previousC = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
            qInfo("no German C locale installed; only Qt's default locale is German");
        const QStringList written = {Str(2.5), Str(1234567.0), Str(std::int32_t{1234567})};
        const QList<double> read = {Val("2.5"), Val("2,5"), Val("1.5e3")};
        std::setlocale(LC_ALL, previousC.c_str());
        QLocale::setDefault(previous);
        QCOMPARE(written, QStringList({"2.5", "1234567", "1234567"}));
        QCOMPARE(read, QList<double>({2.5, 2.5, 1500.0}));
    }

    void toInt32TruncatesAndSaturates_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("integer");
        QTest::newRow("positive fraction truncated") << 3.7 << 3;
        QTest::newRow("negative fraction truncated toward zero") << -3.7 << -3;
        QTest::newRow("NaN is zero") << kNaN << 0;
        QTest::newRow("largest integer exact") << 2147483647.0 << kMax;
        QTest::newRow("smallest integer exact") << -2147483648.0 << kMin;
        QTest::newRow("fraction above the largest integer") << 2147483647.5 << kMax;
        QTest::newRow("fraction below the smallest truncates into range") << -2147483648.9 << kMin;
        QTest::newRow("one past the largest integer saturates") << 2147483648.0 << kMax;
        QTest::newRow("one past the smallest integer saturates") << -2147483649.0 << kMin;
        QTest::newRow("1e12 saturates high") << 1e12 << kMax;
        QTest::newRow("infinity saturates high") << kInf << kMax;
        QTest::newRow("minus infinity saturates low") << -kInf << kMin;
    }
    void toInt32TruncatesAndSaturates()
    {
        QFETCH(double, value);
        QFETCH(int, integer);
        QCOMPARE(ToInt32(value), std::int32_t{integer});
    }
};

QTEST_MAIN(NumberTextTest)
#include "test_number_text.moc"
