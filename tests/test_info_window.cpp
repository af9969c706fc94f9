// The program info window as the user meets it through the main window's "Info" button: its
// text, its form, and the one shared instance behind every press of the button.

#include "app/InfoF.h"
#include "ui/HauptFenster.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

InfoF& pressInfo()
{
    QTest::mouseClick(&HauptFenster::instance().Control("BevelButton2"), Qt::LeftButton);
    return InfoF::instance();
}

int visibleInfoWindows()
{
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += qobject_cast<InfoF*>(window) && window->isVisible();
    return count;
}

QStringList infoLines()
{
    return pressInfo().Text("EditField1").split(u'\r');
}

QPlainTextEdit& textArea(InfoF& info)
{
    return *qobject_cast<QPlainTextEdit*>(&info.Control("EditField1"));
}

// Closes the info window as its close button does and lets the toolkit destroy it.
void closeInfoWindow()
{
    InfoF::instance().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class InfoWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { HauptFenster::instance(); }

    void showsTenLinesSeparatedByCarriageReturns()
    {
        InfoF& info = pressInfo();
        const QString text = info.Text("EditField1");
        QCOMPARE(text.count(u'\r'), 9);
        QVERIFY(!text.contains(u'\n'));
        // Each line is a paragraph of its own on screen, not one run of text.
        QCOMPARE(textArea(info).blockCount(), 10);
    }

    void infoLine_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("line 1 names program and version") << 1 << "Kurvalo V0.1";
        QTest::newRow("line 2 is empty") << 2 << "";
        QTest::newRow("line 4 is empty") << 4 << "";
        QTest::newRow("line 5 keeps its blank after the colon") << 5 << "Funktion: ";
        QTest::newRow("line 6 describes the function word for word")
            << 6
            << "Das Programm Kurvalo berechnet zu 2 bis 10 eingegebenen Stuetzpunkten das "
               "zugehoerige Interpolationspolynom in Normalform und gibt fuer bis zu 10 "
               "eingegebenen weiteren Stellen die zugehoerigen Funktionswerte an.";
        QTest::newRow("line 7 is empty") << 7 << "";
        QTest::newRow("line 9 is empty") << 9 << "";
    }
    void infoLine()
    {
        QFETCH(int, line);
        QFETCH(QString, expected);
        QCOMPARE(infoLines().value(line - 1), expected);
    }

    void ownLinesSayWhatTheyAreFor()
    {
        const QStringList lines = infoLines();
        QVERIFY(lines[2].contains("C++") && lines[2].contains("Qt 6"));
        QVERIFY(lines[7].startsWith("Kritik und Aenderungswuensche"));
        QVERIFY(lines[7].endsWith("@example.org"));
        QVERIFY(!lines[9].isEmpty());
        // Like the rest of the program's German, the text spells umlauts out.
        for (const QString& line : lines)
            for (QChar c : line)
                QVERIFY2(c.unicode() < 128, qPrintable(line));
    }

    void typingChangesNothing()
    {
        InfoF& info = pressInfo();
        QWidget& field = info.Control("EditField1");
        const QString before = info.Text("EditField1");
        field.setFocus();
        QTest::keyClicks(&field, "abc");
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClick(&field, Qt::Key_Delete);
        QTest::keyClick(&field, Qt::Key_Return);
        QCOMPARE(info.Text("EditField1"), before);
    }

    void windowIsAFixedNoteWithoutMenuBar()
    {
        InfoF& info = pressInfo();
        QCOMPARE(info.windowTitle(), QString("Programminfo"));
        QCOMPARE(info.centralWidget()->size(), QSize(318, 348));
        QCOMPARE(info.menuWidget(), nullptr);
        QCOMPARE(info.minimumSize(), info.maximumSize());
        QVERIFY(!(info.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(info.windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void okLiesOverTheLowerPartOfTheText()
    {
        InfoF& info = pressInfo();
        QWidget& field = info.Control("EditField1");
        QWidget& ok = info.Control("okF");
        QCOMPARE(ok.parentWidget(), &field);
        QCOMPARE(field.geometry(), QRect(10, 8, 298, 320));
        const QRect okInContent(ok.mapTo(info.centralWidget(), QPoint(0, 0)), ok.size());
        QCOMPARE(okInContent, QRect(23, 285, 272, 32));
        QVERIFY(field.geometry().contains(okInContent));
        QCOMPARE(info.Text("okF"), QString("ok"));
        QVERIFY(textArea(info).verticalScrollBar()->isVisible());
        QVERIFY(!textArea(info).horizontalScrollBar()->isVisible());
    }

    void lastLineScrollsClearOfOk_data()
    {
        QTest::addColumn<int>("extraPoints");
        QTest::newRow("default font") << 0;
        QTest::newRow("font too large for the text to fit") << 6;
    }
    void lastLineScrollsClearOfOk()
    {
        QFETCH(int, extraPoints);
        const QFont defaultFont = QApplication::font();
        QFont font = defaultFont;
        font.setPointSize(font.pointSize() + extraPoints);
        closeInfoWindow();
        QApplication::setFont(font);
        const auto restore = qScopeGuard([&] {
            QApplication::setFont(defaultFont);
            closeInfoWindow();
        });
        InfoF& info = pressInfo();
        QVERIFY(QTest::qWaitForWindowExposed(&info));

        QPlainTextEdit& field = textArea(info);
        if (extraPoints > 0)
            QVERIFY2(field.verticalScrollBar()->maximum() > 0, "the text fits: nothing to check");
        field.verticalScrollBar()->setValue(field.verticalScrollBar()->maximum());
        QTextCursor end(field.document());
        end.movePosition(QTextCursor::End);
        const QRect lastLine = field.cursorRect(end).translated(field.viewport()->pos());
        QVERIFY(lastLine.top() >= 0);
        QCOMPARE_LE(lastLine.bottom(), info.Control("okF").y());
    }

    void okHidesAndInfoShowsTheSameWindowAgain()
    {
        QPointer<InfoF> first = &pressInfo();
        QCOMPARE(&pressInfo(), first.data());
        QCOMPARE(visibleInfoWindows(), 1);

        QTest::mouseClick(&first->Control("okF"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!first.isNull(), "ok must hide the window, not close it");
        QVERIFY(!first->isVisible());
        QCOMPARE(visibleInfoWindows(), 0);

        QCOMPARE(&pressInfo(), first.data());
        QVERIFY(first->isVisible());
        QCOMPARE(visibleInfoWindows(), 1);
    }

    void closingBuildsANewWindowWithTheSameText()
    {
        QPointer<InfoF> closed = &pressInfo();
        const QString text = closed->Text("EditField1");

        // Closing the note must leave the main window, and with it the program, running.
        QTimer stillRunning;
        connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        QTimer::singleShot(0, [&] {
            closed->close();
            stillRunning.start(200);
        });
        QCOMPARE(QCoreApplication::exec(), 1);
        QVERIFY(HauptFenster::instance().isVisible());

        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        InfoF& rebuilt = pressInfo();
        QVERIFY(rebuilt.isVisible());
        QCOMPARE(rebuilt.Text("EditField1"), text);
        QCOMPARE(visibleInfoWindows(), 1);
    }
};

QTEST_MAIN(InfoWindowTest)
#include "test_info_window.moc"
