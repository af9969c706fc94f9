// Results that are wider than their fields: painted rounded to what fits, while the field's
// text, its copy and its tooltip keep the exact number.

#include "CalcState.h"

#include "framework/FittedNumberField.h"
#include "framework/Menu.h"
#include "framework/NumberFit.h"
#include "framework/NumberText.h"
#include "ui/RowNames.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QtTest>
#include <cstdio>

namespace {

// Every glyph of this font is 6 px wide up to 31 characters, so rooms count in characters.
QFontMetricsF fixedMetrics()
{
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(10);
    return QFontMetricsF(font);
}
constexpr int kChar = 6;

// The correctly rounded number to as many significant digits as `shown` has, by printf.
QString printfRounded(double value, const QString& shown)
{
    QString digits = shown.section(u'e', 0, 0).remove(u'-').remove(u'.');
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", int(digits.size()) - 1, value);
    return QString::fromLatin1(buffer);
}

QStringList resultFields()
{
    QStringList names;
    for (const ArgumentRow& row : kArgumentRows)
        names << row.value;
    for (const CoefficientRow& row : kCoefficientRows)
        names << row.field;
    return names;
}

} // namespace

class ResultFitTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(QFontInfo(QFont("DejaVu Sans Mono")).family(), QString("DejaVu Sans Mono"));
        QCOMPARE(fixedMetrics().horizontalAdvance(QString(31, u'0')), 31 * 6.015625);
    }

    void fitsTheRoom_data()
    {
        QTest::addColumn<QString>("exact");
        QTest::addColumn<int>("room"); // pixels at 6 px a character
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* exact, int chars, const char* shown) {
            QTest::newRow(name) << QString(exact) << chars * kChar << QString(shown);
        };
        row("nines round up to a whole number, no zeros after it", "-983.9999999999998", 8, "-984");
        row("the shortest text's last digit is dropped", "0.30000000000000004", 8, "0.3");
        row("a large exponent stays whole", "2.2503555713898544e+42", 8, "2.25e+42");
        row("all integer digits or the exponent form", "123456789012345683968", 10, "1.2346e+20");
        row("plain form where it shows more digits", "-0.10776289682539679", 10, "-0.1077629");
        row("the greatest double", "-1.7976931348623157e+308", 10, "-1.8e+308");
        row("the exact binary value is rounded, not its text", "2.675", 4, "2.67");
        row("an exact tie rounds to even", "0.125", 4, "0.12");
        row("a carry adds a digit", "99999.99999999999", 5, "1e+05");
        row("a text that fits exactly is shown whole", "5e-324", 6, "5e-324");
        row("a small exponent form that fits", "1e-05", 5, "1e-05");
        row("zero", "0", 1, "0");
        row("infinity as it is", "inf", 2, "inf");
        row("negative infinity as it is", "-inf", 2, "-inf");
        row("not a number as it is", "nan", 2, "nan");
        row("typed text that is not a number as Str writes it: its start", "1,5555555555555", 4,
            "1,\u2026");
        row("three digits with a compact exponent where the full one leaves two",
            "-7776966046122.257", 8, "-7.78e12");
        row("too narrow for a digit and its exponent: marks only", "-1.7976931348623157e+308", 5,
            "#####");
    }
    void fitsTheRoom()
    {
        QFETCH(QString, exact);
        QFETCH(int, room);
        QFETCH(QString, shown);
        QCOMPARE(FitNumber(exact, fixedMetrics(), room), shown);
    }

    // Right to left, a field paints a number as it does left to right: where the number stands
    // in focus too, its sign in front.
    void paintedAsLeftToRight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("result");
        QTest::addColumn<bool>("focused");
        QTest::newRow("a shortened input keeps its sign in front") << "-0.001234" << false << false;
        QTest::newRow("a rounded result stands where it stands in focus")
            << "-15242.4321" << true << false;
        QTest::newRow("a result in focus") << "-15242.4321" << true << true;
    }
    void paintedAsLeftToRight()
    {
        QFETCH(QString, text);
        QFETCH(bool, result);
        QFETCH(bool, focused);
        QWidget window;
        EditLine* field =
            result ? new FittedNumberField(text, &window) : new EditLine(text, &window);
        field->setGeometry(0, 0, 47, 22);
        field->setCursorPosition(0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (focused) {
            QApplication::setCursorFlashTime(0); // a cursor that does not blink between grabs
            window.activateWindow();
            field->setFocus();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        } else {
            field->clearFocus();
            QVERIFY(field->ShownText() != text);
        }
        const QImage leftToRight = field->grab().toImage();
        window.setLayoutDirection(Qt::RightToLeft);
        QCOMPARE(field->grab().toImage(), leftToRight);
    }

    // The ten-point example of a new user: many results are far wider than their fields.
    void tenPointExampleThroughTheForm()
    {
        HauptFenster& window = HauptFenster::instance();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.SetText("sstellen", "10");
        const QStringList ys{"2", "5", "10", "3", "1", "7", "2", "9", "4", "6"};
        const QStringList arguments{"4", "0,5", "1e-3", "2.5", "-1", "11", "0.1", "7.5", "1e5"};
        for (int k = 0; k < 10; ++k) {
            window.SetText(kSupportRows[k].abscissa, QString::number(k + 1));
            window.SetText(kSupportRows[k].ordinate, ys[k]);
        }
        for (int k = 1; k <= 9; ++k)
            window.SetText(kArgumentRows[k].argument, arguments[k - 1]);
        QTest::mouseClick(&window.Control("BevelButton1"), Qt::LeftButton);
        window.grab(); // paints every field, which works out its fit

        int rounded = 0;
        for (const QString& name : resultFields()) {
            auto& field = dynamic_cast<FittedNumberField&>(window.Control(name));
            const double value = name.startsWith("KF") ? window.Koeff[name.mid(2).toInt()]
                                                       : window.Argy[name.mid(2, 1).toInt()];
            QCOMPARE(field.text(), Str(value));
            const QString shown = field.ShownText();
            // Within the frame and the line edit's margins of 2 px on either side.
            QVERIFY2(qRound(QFontMetricsF(field.font()).horizontalAdvance(shown)) <=
                         field.width() - 6,
                     qPrintable(name + " shows " + shown));
            if (shown != field.text()) {
                ++rounded;
                QCOMPARE(Val(shown), Val(printfRounded(value, shown)));
                // At the default font every field has room for three significant digits.
                QString digits = shown.section(u'e', 0, 0).remove(u'-').remove(u'.');
                while (digits.startsWith(u'0'))
                    digits.remove(0, 1);
                QVERIFY2(digits.size() >= 3 || Val(printfRounded(value, digits)) == value,
                         qPrintable(name + " shows " + shown));
            }
            // The whole computed number and the exact one, one hover away.
            QVERIFY2(field.toolTip().startsWith("Berechnet: " + field.text() + "\nExakt: "),
                     qPrintable(field.toolTip()));
        }
        QCOMPARE(rounded, 17);
        QCOMPARE(window.Control("yF01").property("text").toString(), "-983.9999999999998");
        QCOMPARE(dynamic_cast<FittedNumberField&>(window.Control("yF01")).ShownText(), "-984");
        QVERIFY(
            dynamic_cast<FittedNumberField&>(window.Control("yF91")).ShownText().endsWith("e42"));

        // Only the twenty result fields fit their numbers, and only they carry tooltips.
        for (QWidget* control : window.findChildren<QWidget*>()) {
            const bool result = resultFields().contains(control->objectName());
            QCOMPARE(qobject_cast<FittedNumberField*>(control) != nullptr, result);
            if (!result)
                QVERIFY2(control->toolTip().isEmpty(), qPrintable(control->objectName()));
        }

        // In focus the field shows and copies its exact text; out of focus the fit returns.
        auto& coefficient = dynamic_cast<FittedNumberField&>(window.Control("KF1"));
        const QString exact = coefficient.text();
        QTest::mouseClick(&coefficient, Qt::LeftButton);
        QVERIFY(coefficient.hasFocus());
        QCOMPARE(coefficient.ShownText(), exact);
        window.EditSelectAll().Action().trigger();
        window.EditCopy().Action().trigger();
        QCOMPARE(QApplication::clipboard()->text(), exact);
        window.Control("xF11").setFocus();
        QVERIFY(coefficient.ShownText() != exact);

        // A larger font keeps the fit right: fewer digits, still correctly rounded.
        const QString before = coefficient.ShownText();
        QFont larger = coefficient.font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        coefficient.setFont(larger);
        const QString after = coefficient.ShownText();
        QVERIFY2(after.size() < before.size(), qPrintable(before + " / " + after));
        QCOMPARE(Val(after), Val(printfRounded(Val(exact), after)));
        QCOMPARE(coefficient.text(), exact);
    }
};

QTEST_MAIN(ResultFitTest)
#include "test_result_fit.moc"
