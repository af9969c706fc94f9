// The program info window as the user meets it through the main window's "Info" button: its
// text, its form, and the one shared instance behind every press of the button.

#include "app/InfoF.h"
#include "ui/HauptFenster.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QtTest>
#include <algorithm>

namespace {

InfoF& pressInfo()
{
    QTest::mouseClick(&HauptFenster::instance().Control("BevelButton2"), Qt::LeftButton);
    return InfoF::instance();
}

qsizetype visibleInfoWindows()
{
    return std::ranges::count_if(QApplication::topLevelWidgets(), [](QWidget* window) {
        return qobject_cast<InfoF*>(window) && window->isVisible();
    });
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

    void showsTenLinesThatTypingCannotChange()
    {
        InfoF& info = pressInfo();
        QPlainTextEdit& field = textArea(info);
        const QString text = info.Text("EditField1");
        QCOMPARE(text.split(u'\r').size(), 10);
        QVERIFY(!text.contains(u'\n'));
        // Each line is a paragraph of its own on screen, not one run of text.
        QCOMPARE(field.blockCount(), 10);

        field.setFocus();
        QTest::keyClicks(&field, "abc");
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return})
            QTest::keyClick(&field, key);
        QCOMPARE(info.Text("EditField1"), text);

        // Yet the arrow keys move a cursor through it, so that it can be read line by line.
        field.moveCursor(QTextCursor::Start);
        QTest::keyClick(&field, Qt::Key_Down);
        QTest::keyClick(&field, Qt::Key_Down);
        QCOMPARE(field.textCursor().blockNumber(), 2);
    }

    void infoLine_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("line 1 names program and version") << 1 << "Kurvalo V0.1";
        QTest::newRow("line 5 keeps its blank after the colon") << 5 << "Funktion: ";
        QTest::newRow("line 6 describes the function word for word")
            << 6
            << "Das Programm Kurvalo berechnet zu 2 bis 10 eingegebenen Stuetzpunkten das "
               "zugehoerige Interpolationspolynom in Normalform und gibt fuer bis zu 10 "
               "eingegebenen weiteren Stellen die zugehoerigen Funktionswerte an.";
    }
    void infoLine()
    {
        QFETCH(int, line);
        QFETCH(QString, expected);
        QCOMPARE(pressInfo().Text("EditField1").split(u'\r').value(line - 1), expected);
    }

    void heardWithItsUmlautsAtTheSameOffsets()
    {
        // On screen the text spells its umlauts out; a German voice would read "Stu-etz".
        QPlainTextEdit& field = textArea(pressInfo());
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&field);
        QVERIFY(face && face->textInterface());
        QAccessibleTextInterface& heard = *face->textInterface();
        const QString shown = field.toPlainText();
        QCOMPARE(heard.characterCount(), shown.size());
        const QString all =
            heard.text(0, heard.characterCount()).normalized(QString::NormalizationForm_C);
        for (const char* word : {"Stützpunkten", "zugehörige", "für", "Änderungswünsche"})
            QVERIFY2(all.contains(QString::fromUtf8(word)), word);
        QVERIFY(shown.contains("Aenderungswuensche"));
        // Offsets are those of the text on screen: the line under the cursor is the line read.
        field.moveCursor(QTextCursor::Start);
        field.moveCursor(QTextCursor::Down);
        field.moveCursor(QTextCursor::Down);
        int start = 0;
        int end = 0;
        const QString line =
            heard.textAtOffset(heard.cursorPosition(), QAccessible::LineBoundary, &start, &end);
        QCOMPARE(line.trimmed(), shown.mid(start, end - start).trimmed());
        QCOMPARE(line.trimmed(), QStringLiteral("Implementiert in C++ mit Qt 6"));
    }

    void lastLineScrollsClearOfOkInALargeFont()
    {
        const QFont defaultFont = QApplication::font();
        QFont font = defaultFont;
        font.setPointSize(font.pointSize() + 6);
        closeInfoWindow();
        QApplication::setFont(font);
        const auto restore = qScopeGuard([&] {
            QApplication::setFont(defaultFont);
            closeInfoWindow();
        });
        InfoF& info = pressInfo();
        QVERIFY(QTest::qWaitForWindowExposed(&info));

        // "ok" lies over the lower part of the text, inside the field.
        QCOMPARE(info.Control("okF").parentWidget(), &info.Control("EditField1"));
        QPlainTextEdit& field = textArea(info);
        // The window grows with the font, so the text may fit; scrolled or not, it ends above
        // "ok".
        QScrollBar& scroll = *field.verticalScrollBar();
        scroll.setValue(scroll.maximum());
        QTextCursor end(field.document());
        end.movePosition(QTextCursor::End);
        const QRect lastLine = field.cursorRect(end).translated(field.viewport()->pos());
        QVERIFY(lastLine.top() >= 0);
        QCOMPARE_LE(lastLine.bottom(), info.Control("okF").y());
    }

    void oneWindowUntilClosedThenANewOneWithTheSameText()
    {
        QPointer<InfoF> first = &pressInfo();
        const QString text = first->Text("EditField1");
        QCOMPARE(&pressInfo(), first.data());
        QCOMPARE(visibleInfoWindows(), 1);

        QTest::mouseClick(&first->Control("okF"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!first.isNull(), "ok must hide the window, not close it");
        QCOMPARE(visibleInfoWindows(), 0);
        QCOMPARE(&pressInfo(), first.data());
        QCOMPARE(visibleInfoWindows(), 1);

        // Closing the note must leave the main window, and with it the program, running.
        QTimer stillRunning;
        connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        QTimer::singleShot(0, [&] {
            first->close();
            stillRunning.start(200);
        });
        QCOMPARE(QCoreApplication::exec(), 1);
        QVERIFY(HauptFenster::instance().isVisible());

        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(pressInfo().Text("EditField1"), text);
        QCOMPARE(visibleInfoWindows(), 1);
    }
};

QTEST_MAIN(InfoWindowTest)
#include "test_info_window.moc"
