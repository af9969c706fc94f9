// A long random session through the real main window: whatever is typed, pasted, counted or
// pressed, in whatever order, the program keeps answering, and every compute shows exactly what
// a freshly opened window computes from the same texts: nothing stale, nothing lost.

#include "app/InfoF.h"
#include "framework/EditCommands.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <bit>
#include <memory>
#include <random>
#include <utility>

namespace {

// Every field of the form; sstellen first so that a copy sets n before the rest.
QStringList editFieldNames()
{
    QStringList names{"sstellen"};
    for (int k = 0; k < 10; ++k)
        names << kSupportRows[k].abscissa << kSupportRows[k].ordinate << kArgumentRows[k].argument
              << kArgumentRows[k].value << kCoefficientRows[k].field;
    return names;
}

// What a compute command shows: the value and coefficient texts and which rows are visible.
QStringList shownResults(const HauptFenster& window)
{
    QStringList shown;
    for (int k = 0; k < 10; ++k)
        shown << window.Text(kArgumentRows[k].value) << window.Text(kCoefficientRows[k].field)
              << (window.Control(kCoefficientRows[k].field).isHidden() ? "hidden" : "shown")
              << (window.Control(kCoefficientRows[k].label).isHidden() ? "hidden" : "shown");
    return shown;
}

qsizetype pick(std::mt19937_64& random, qsizetype count)
{
    return qsizetype(random() % std::uint64_t(count));
}

// Texts in every form the number reading meets: signs, commas, exponents out of range,
// infinities, NaNs, letters, random doubles and bit patterns, rarely 10,000 characters.
QString anyText(std::mt19937_64& random)
{
    static const QStringList typed = {
        "",    "0",         "-0",    "1",      "2,5",    "-.5",    "1e3",
        " 7 ", "+3",        "1e308", "-1e308", "1e-308", "4e-324", "1e400",
        "inf", "-Infinity", "nan",   "abc",    "3abc",   "--1",    "1e",
        ",",   "1.5.3",     "1e-9",  "1e200",  "-1e200", "0.1",    "12345678901234567890"};
    const auto pick = [&](qsizetype count) { return ::pick(random, count); };
    switch (pick(40) == 0 ? 4 : pick(4)) { // long texts are rare: a fresh window lays each out
    case 0:
        return typed[pick(typed.size())];
    case 1:
        return Str(std::int32_t(pick(21)) - 10);
    case 2:
        return Str(std::uniform_real_distribution<double>(-100, 100)(random));
    case 3:
        return Str(std::bit_cast<double>(std::uint64_t(random())));
    }
    const QString alphabet = pick(2) ? "0123456789" : "0123456789.,e-abc ";
    QString text(10000, u'0');
    for (QChar& c : text)
        c = alphabet[pick(alphabet.size())];
    return text;
}

// A window of its own, never put on a screen: the reference needs its fields, not its pixels.
std::unique_ptr<HauptFenster> openWindow()
{
    auto window = std::make_unique<HauptFenster>();
    window->setAttribute(Qt::WA_DontShowOnScreen);
    window->Construct();
    return window;
}

void press(const Window& window, const char* button)
{
    static_cast<QPushButton&>(window.Control(button)).click();
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT
private slots:
    void twentyThousandRandomActions();
};

void SoakTest::twentyThousandRandomActions()
{
    constexpr int kActions = 20000;
    const QString refusal = "Die Stuetzstellen muessen paarweise verschieden sein!";
    QStringList messages; // of every modal box, answered as soon as it opens
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->reject();
        }
    });
    answerer.start(0);
    const auto refused = [&] { return std::exchange(messages, {}).contains(refusal); };

    std::mt19937_64 random(20261208);
    const auto pick = [&](qsizetype count) { return ::pick(random, count); };
    const QStringList kinds = {"text",  "text",    "text",    "text", "count",
                               "count", "compute", "compute", "info", "edit"};
    const QStringList unusualCounts = {"100", "1e12", "-1e12", "nan", "", "x", "3.7", "-0"};
    const QStringList fields = editFieldNames();
    auto window = openWindow();
    QMap<QString, int> counts;

    for (int action = 0; action < kActions; ++action) {
        QString kind = kinds[pick(kinds.size())];
        if (kind == "text") { // typed or pasted into any field
            const QString& name = fields[pick(fields.size())];
            auto& field = static_cast<QLineEdit&>(window->Control(name));
            if (pick(4) == 0 && !field.isReadOnly()) {
                field.selectAll();
                QTest::keyClicks(&field, anyText(random).left(12));
            } else {
                window->SetText(name, anyText(random));
            }
        } else if (kind == "count") { // -5..15, now and then far beyond or no number at all
            window->SetText("sstellen", pick(5) ? Str(std::int32_t(pick(21)) - 5)
                                                : unusualCounts[pick(unusualCounts.size())]);
        } else if (kind == "compute") { // checked against a fresh window given the same texts
            const QStringList before = shownResults(*window);
            press(*window, "BevelButton1");
            const bool wasRefused = refused();
            auto fresh = openWindow();
            for (const QString& name : fields)
                fresh->SetText(name, window->Text(name));
            press(*fresh, "BevelButton1");
            QCOMPARE(refused(), wasRefused);
            QCOMPARE(shownResults(*window), wasRefused ? before : shownResults(*fresh));
            if (wasRefused)
                kind += " refused";
        } else if (kind == "info") { // then sometimes "ok"
            press(*window, "BevelButton2");
            if (pick(2))
                press(InfoF::instance(), "okF");
        } else { // an Edit menu command on a focused field
            window->activateWindow();
            window->Control(fields[pick(fields.size())]).setFocus();
            const auto command = EditCommand(pick(6));
            if (CanPerform(command))
                Perform(command);
        }
        ++counts[kind];
        if (action % 500 == 0)
            QCoreApplication::processEvents();
    }

    // Still answering: a plain command after all that computes as on the first day.
    const char* worked[][2] = {{"sstellen", "3"}, {"xF0", "1"}, {"yF0", "2"},  {"xF1", "2"},
                               {"yF1", "5"},      {"xF2", "3"}, {"yF2", "10"}, {"xF11", "4"}};
    for (const auto& [name, text] : worked)
        window->SetText(name, text);
    press(*window, "BevelButton1");
    QCOMPARE(window->Text("yF11"), QString("17"));

    QString summary;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        summary += QStringLiteral(" %1=%2").arg(it.key()).arg(it.value());
    qInfo("%d actions:%s", kActions, qPrintable(summary));
}

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
