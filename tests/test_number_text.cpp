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
    return QString::number(x, 'g', 17) + " (bits " +
           QString::number(std::bit_cast<std::uint64_t>(x), 16) + ')';
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
        row("sign and point without leading digit", "-.5", -0.5, "read");
        row("exponent without sign or point", "1e3", 1000.0, "read");
        row("overflow gives infinity", "1e400", kInf, "read");
        row("a double sign is zero", "--1", 0.0, "read");
        row("empty text is zero", "", 0.0, "read");
        row("a word is zero", "x", 0.0, "read");
        row("the number before trailing letters", "3abc", 3.0, "read");
        row("an exponent without digits is dropped", "1e", 1.0, "read");
        row("infinity in capitals", "INF", kInf, "read");
        row("NaN in mixed case", "NaN", kNaN, "read");
        row("largest subnormal, a classic hard case", "2.2250738585072011e-308",
            fromBits(0x000FFFFFFFFFFFFF), "read");
        // 1 + 2^-53 lies exactly between 1 and the next double; the 400th digit tips it up.
        row("400 digits just above a tie round up",
            QString("1.00000000000000011102230246251565404236316680908203125")
                    .leftJustified(399, u'0') +
                '1',
            fromBits(0x3FF0000000000001), "read");
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
        std::vector<double> sample = {0.0, -0.0, kInf, -kInf, kNaN, 0.1, 1.0 / 3.0};
        for (double limit : {Limits::min(), Limits::max(), Limits::denorm_min()})
            sample.insert(sample.end(), {limit, -limit});
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
        QTest::newRow("a fraction is truncated toward zero") << 3.7 << 3;
        QTest::newRow("a negative fraction too") << -3.7 << -3;
        QTest::newRow("NaN is zero") << kNaN << 0;
        QTest::newRow("one past the largest integer saturates") << 2147483648.0 << kMax;
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
