// Ending the program: the "Beenden" button asks first and quits only on Yes; the File menu's
// quit item quits at once. Each case runs in the application's real event loop and answers
// the message box as a user would.

#include "framework/Menu.h"
#include "ui/HauptFenster.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

// exec() returns this when the program was still running after the command.
constexpr int kStillRunning = 77;

enum class Answer
{
    Yes,
    No,
    Escape,
    CloseBox
};

struct SeenBox
{
    bool shown = false;
    QString text;
    QString title;
    QMessageBox::StandardButtons buttons;
};

// Runs the main event loop with `command` as its first event; a modal box that the command
// opens is noted and given `answer`.
int runCommand(const std::function<void()>& command, Answer answer, SeenBox& seen)
{
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {true, box->text(), box->windowTitle(), box->standardButtons()};
        switch (answer) {
        case Answer::Yes:
            box->button(QMessageBox::Yes)->click();
            break;
        case Answer::No:
            box->button(QMessageBox::No)->click();
            break;
        case Answer::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case Answer::CloseBox:
            box->close();
            break;
        }
    });
    answering.start(10);

    QTimer stillRunning;
    stillRunning.setSingleShot(true);
    QObject::connect(&stillRunning, &QTimer::timeout,
                     [] { QCoreApplication::exit(kStillRunning); });
    QTimer::singleShot(0, [&] {
        command();
        stillRunning.start(200);
    });
    return QCoreApplication::exec();
}

void pressBeenden()
{
    QTest::mouseClick(&HauptFenster::instance().Control("BevelButton3"), Qt::LeftButton);
}

} // namespace

Q_DECLARE_METATYPE(Answer)

class QuitButtonTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { HauptFenster::instance(); }

    void beendenAsksFirst_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("Yes ends the program with 0") << Answer::Yes << 0;
        QTest::newRow("No keeps the program and its data") << Answer::No << kStillRunning;
        QTest::newRow("Escape keeps the program and its data") << Answer::Escape << kStillRunning;
        QTest::newRow("closing the box keeps the program and its data")
            << Answer::CloseBox << kStillRunning;
    }
    void beendenAsksFirst()
    {
        QFETCH(Answer, answer);
        QFETCH(int, exitCode);
        HauptFenster& window = HauptFenster::instance();
        window.SetText("sstellen", "3");
        window.SetText("yF2", "12.5");
        const std::int32_t count = window.n;

        SeenBox seen;
        QCOMPARE(runCommand(pressBeenden, answer, seen), exitCode);

        QVERIFY(seen.shown);
        QCOMPARE(seen.text, QString("Wirklich beenden?  Alle Daten gehen dann verloren!"));
        QCOMPARE(seen.title, QString());
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(window.isVisible());
        QCOMPARE(window.Text("sstellen"), QString("3"));
        QCOMPARE(window.Text("yF2"), QString("12.5"));
        QCOMPARE(window.n, count);
    }

    void menuQuitAsksNothing()
    {
        SeenBox seen;
        const auto chooseQuit = [] { HauptFenster::instance().FileQuit().Action().trigger(); };
        QCOMPARE(runCommand(chooseQuit, Answer::No, seen), 0);
        QVERIFY(!seen.shown);
    }
};

QTEST_MAIN(QuitButtonTest)
#include "test_quit_button.moc"
