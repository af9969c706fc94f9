// Ending the program: the "Beenden" button asks first and quits only on Yes; the File menu's
// quit item quits at once. Each case runs in the application's real event loop and answers
// the message box as a user would. The application is the program's own, so that the box
// bears the title it gets in the program.

#include "app/Kurvalo.h"
#include "framework/Menu.h"
#include "ui/HauptFenster.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

// exec() returns this when the program was still running after the command.
constexpr int kStillRunning = 77;

// Runs the main event loop with `command` as its first event; a modal box that the command
// opens is given `answer`, and its text, title and buttons are returned in `seen`.
int runCommand(const std::function<void()>& command, const QString& answer, QStringList& seen)
{
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->text(), box->windowTitle(), QString::number(int(box->standardButtons()), 16)};
        if (answer == "Escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else if (answer == "close")
            box->close();
        else
            box->button(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    answering.start(10);

    // A timer of this call alone: a stray one would end a later call's loop.
    QTimer stillRunning;
    stillRunning.setSingleShot(true);
    stillRunning.callOnTimeout([] { QCoreApplication::exit(kStillRunning); });
    QTimer::singleShot(0, [&] {
        command();
        stillRunning.start(200);
    });
    return QCoreApplication::exec();
}

} // namespace

class QuitButtonTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { HauptFenster::instance(); }

    void beendenAsksFirst_data()
    {
        QTest::addColumn<QString>("answer"); // Yes, No, Escape or close
        QTest::addColumn<int>("exitCode");
        QTest::newRow("Yes ends the program with 0") << "Yes" << 0;
        QTest::newRow("No keeps the program and its data") << "No" << kStillRunning;
        QTest::newRow("Escape keeps the program and its data") << "Escape" << kStillRunning;
        QTest::newRow("closing the box keeps the program and its data") << "close" << kStillRunning;
    }
    void beendenAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        HauptFenster& window = HauptFenster::instance();
        window.SetText("sstellen", "3");
        window.SetText("yF2", "12.5");
        const std::int32_t count = window.n;

        QStringList seen;
        const auto pressBeenden = [&] {
            QTest::mouseClick(&window.Control("BevelButton3"), Qt::LeftButton);
        };
        QCOMPARE(runCommand(pressBeenden, answer, seen), exitCode);

        const QString yesNo = QString::number(int(QMessageBox::Yes | QMessageBox::No), 16);
        QCOMPARE(seen, (QStringList{"Wirklich beenden?  Alle Daten gehen dann verloren!", "Kurvalo",
                                    yesNo}));
        QVERIFY(window.isVisible());
        QCOMPARE(window.Text("sstellen"), QString("3"));
        QCOMPARE(window.Text("yF2"), QString("12.5"));
        QCOMPARE(window.n, count);
    }

    void menuQuitAsksNothing()
    {
        QStringList seen;
        const auto chooseQuit = [] { HauptFenster::instance().FileQuit().Action().trigger(); };
        QCOMPARE(runCommand(chooseQuit, "No", seen), 0);
        QVERIFY(seen.isEmpty());
    }
};

int main(int argc, char** argv)
{
    Kurvalo app(argc, argv);
    QuitButtonTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_quit_button.moc"
