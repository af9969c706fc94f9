// A long random session through the real main window: whatever is typed, pasted, counted or
// pressed, in whatever order, the program keeps answering, and every compute shows exactly what
// a freshly opened window computes from the same texts: nothing stale, nothing lost.

#include "app/InfoF.h"
#include "app/MenuBar1.h"
#include "framework/EditCommands.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <random>

namespace {

const QString kRefusal = QStringLiteral("Die Stuetzstellen muessen paarweise verschieden sein!");

// Every field of the form, in build order; sstellen first so that a copy sets n before the rest.
QStringList editFieldNames()
{
    QStringList names{"sstellen"};
    for (const SupportRow& row : kSupportRows)
        names << row.abscissa << row.ordinate;
    for (const ArgumentRow& row : kArgumentRows)
        names << row.argument << row.value;
    for (const CoefficientRow& row : kCoefficientRows)
        names << row.field;
    return names;
}

// What a compute command shows: the value and coefficient texts and which rows are visible.
QStringList shownResults(const HauptFenster& window)
{
    QStringList shown;
    for (const ArgumentRow& row : kArgumentRows)
        shown << window.Text(row.value);
    for (const CoefficientRow& row : kCoefficientRows) {
        shown << window.Text(row.field);
        shown << (window.Control(row.field).isHidden() ? "hidden" : "shown");
        shown << (window.Control(row.label).isHidden() ? "hidden" : "shown");
    }
    return shown;
}

// Answers every modal box that opens while the session runs, and remembers what it said.
class ModalAnswerer : public QObject
{
public:
    ModalAnswerer()
    {
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->reject();
            }
        });
        timer.start();
    }
    QStringList take() { return std::exchange(texts, {}); }

private:
    QTimer timer;
    QStringList texts;
};

class Session
{
public:
    explicit Session(std::uint64_t seed)
        : random(seed)
        , names(editFieldNames())
    {
    }

    QString anyText()
    {
        static const QStringList typed = {
            "",    "0",         "-0",    "1",      "2,5",    "-.5",    "1e3",
            " 7 ", "+3",        "1e308", "-1e308", "1e-308", "4e-324", "1e400",
            "inf", "-Infinity", "nan",   "abc",    "3abc",   "--1",    "1e",
            ",",   "1.5.3",     "1e-9",  "1e200",  "-1e200", "0.1",    "12345678901234567890"};
        // Long texts are rare: each is laid out again whenever a fresh window copies it.
        if (pick(40) == 0)
            return longText();
        switch (pick(5)) {
        case 0:
            return typed[pick(typed.size())];
        case 1:
            return Str(std::int32_t(pick(21)) - 10);
        case 2:
            return Str(std::uniform_real_distribution<double>(-100, 100)(random));
        case 3:
            return Str(std::bit_cast<double>(std::uint64_t(random())));
        default:
            return Str(std::int32_t(pick(6)));
        }
    }

    QString anyCount()
    {
        static const QStringList unusual = {"100", "1e12", "-1e12", "nan", "", "x", "3.7", "-0"};
        return pick(5) == 0 ? unusual[pick(unusual.size())] : Str(std::int32_t(pick(21)) - 5);
    }

    QString longText()
    {
        QString text(10000, u'0');
        const QString alphabet = pick(2) ? "0123456789" : "0123456789.,e-abc ";
        for (QChar& c : text)
            c = alphabet[pick(alphabet.size())];
        return text;
    }

    const QString& anyField() { return names[pick(names.size())]; }
    std::size_t pick(qsizetype count) { return std::size_t(random() % std::uint64_t(count)); }

private:
    std::mt19937_64 random;
    QStringList names;
};

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
    ModalAnswerer answerer;
    Session session(20261208);
    auto window = openWindow();
    const QStringList fields = editFieldNames();
    QMap<QString, int> counts;

    for (int action = 0; action < kActions; ++action) {
        switch (session.pick(10)) {
        case 0:
        case 1:
        case 2:
        case 3: { // type or paste a text into any field
            const QString& name = session.anyField();
            auto& field = static_cast<QLineEdit&>(window->Control(name));
            if (session.pick(4) == 0 && !field.isReadOnly()) {
                field.selectAll();
                QTest::keyClicks(&field, session.anyText().left(12));
            } else {
                window->SetText(name, session.anyText());
            }
            ++counts["text"];
            break;
        }
        case 4:
        case 5: // a point count
            window->SetText("sstellen", session.anyCount());
            ++counts["count"];
            break;
        case 6:
        case 7: { // "Berechnen", checked against a fresh window given the same texts
            const QStringList before = shownResults(*window);
            press(*window, "BevelButton1");
            const bool refused = answerer.take().contains(kRefusal);

            auto fresh = openWindow();
            for (const QString& name : fields)
                fresh->SetText(name, window->Text(name));
            press(*fresh, "BevelButton1");
            QCOMPARE(answerer.take().contains(kRefusal), refused);
            if (refused)
                QCOMPARE(shownResults(*window), before);
            else
                QCOMPARE(shownResults(*window), shownResults(*fresh));
            ++counts[refused ? "compute refused" : "compute"];
            break;
        }
        case 8: // "Info", then sometimes "ok"
            press(*window, "BevelButton2");
            if (session.pick(2))
                press(InfoF::instance(), "okF");
            ++counts["info"];
            break;
        default: { // an Edit menu command on a focused field
            QWidget& field = window->Control(session.anyField());
            window->activateWindow();
            field.setFocus();
            const auto command = EditCommand(session.pick(6));
            if (CanPerform(command))
                Perform(command);
            ++counts["edit"];
            break;
        }
        }
        if (action % 500 == 0)
            QCoreApplication::processEvents();
    }

    // Still answering: a plain command after all that computes as on the first day.
    window->SetText("sstellen", "3");
    const QStringList points = {"1", "2", "2", "5", "3", "10"};
    for (int k = 0; k < 3; ++k) {
        window->SetText(kSupportRows[k].abscissa, points[2 * k]);
        window->SetText(kSupportRows[k].ordinate, points[2 * k + 1]);
    }
    window->SetText("xF11", "4");
    press(*window, "BevelButton1");
    QCOMPARE(window->Text("yF11"), QString("17"));

    QString summary;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        summary += QStringLiteral(" %1=%2").arg(it.key()).arg(it.value());
    qInfo("%d actions:%s", kActions, qPrintable(summary));
}

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
