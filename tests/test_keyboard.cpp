// Every command from the keyboard: Return or Enter in a field computes as "Berechnen" does,
// F1 shows the program info and Escape hides it again. The buttons themselves take no focus.

#include "app/InfoF.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QMessageBox>
#include <QtTest>

namespace {

// Three points on x^2 + 1 and the argument 4: the value there is 17.
void typeWorkedExample(HauptFenster& window)
{
    window.SetText("sstellen", "3");
    const char* xs[] = {"1", "2", "3"};
    const char* ys[] = {"2", "5", "10"};
    for (int k = 0; k < 3; ++k) {
        window.SetText(kSupportRows[k].abscissa, xs[k]);
        window.SetText(kSupportRows[k].ordinate, ys[k]);
    }
    window.SetText("xF11", "4");
    window.SetText("yF11", "");
}

// What a command may change: the result texts and which coefficient rows show.
QStringList results(HauptFenster& window)
{
    QStringList shown;
    for (const ArgumentRow& row : kArgumentRows)
        shown << window.Text(row.value);
    for (const CoefficientRow& row : kCoefficientRows)
        shown << window.Text(row.field) + (window.Control(row.field).isVisible() ? "" : " hidden");
    return shown;
}

void pressKey(QWidget& target, int key)
{
    target.setFocus();
    const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(&target, Qt::Key(key), modifiers);
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT
    HauptFenster& window = HauptFenster::instance();

private slots:
    void initTestCase()
    {
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void returnInAnyFieldComputes_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("count"); // typed into the count field first, if any
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("value"); // then in yF11
        QTest::newRow("Return in an argument field") << "xF11"
                                                     << "" << int(Qt::Key_Return) << "17";
        QTest::newRow("keypad Enter in an ordinate field") << "yF2"
                                                           << "" << int(Qt::Key_Enter) << "17";
        QTest::newRow("Return in a read-only coefficient field")
            << "KF0"
            << "" << int(Qt::Key_Return) << "17";
        QTest::newRow("Return right after typing the count computes with it")
            << "sstellen"
            << "2" << int(Qt::Key_Return) << "11";
    }
    void returnInAnyFieldComputes()
    {
        QFETCH(QString, field);
        QFETCH(QString, count);
        QFETCH(int, key);
        QFETCH(QString, value);
        typeWorkedExample(window);
        if (!count.isEmpty()) {
            window.SetText("sstellen", "");
            QTest::keyClicks(&window.Control("sstellen"), count);
        }
        pressKey(window.Control(field), key);
        QCOMPARE(window.Text("yF11"), value);
    }

    void repeatedAbscissaeAreRefusedFromTheKeyboard_data()
    {
        QTest::addColumn<int>("dismiss");
        QTest::newRow("message dismissed with Return") << int(Qt::Key_Return);
        QTest::newRow("message dismissed with Escape") << int(Qt::Key_Escape);
    }
    void repeatedAbscissaeAreRefusedFromTheKeyboard()
    {
        QFETCH(int, dismiss);
        typeWorkedExample(window);
        pressKey(window.Control("xF11"), Qt::Key_Return);
        const QStringList before = results(window);
        window.SetText("xF2", "2");

        QString message;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                QTest::keyClick(box, Qt::Key(dismiss));
            }
        });
        answer.start(10);
        pressKey(window.Control("xF2"), Qt::Key_Enter);
        QCOMPARE(message, QString("Die Stuetzstellen muessen paarweise verschieden sein!"));
        QCOMPARE(results(window), before);
    }

    void f1ShowsTheInfoAndEscapeHidesIt()
    {
        pressKey(window.Control("xF0"), Qt::Key_F1);
        InfoF& info = InfoF::instance();
        QVERIFY(info.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&info));

        pressKey(info.Control("EditField1"), Qt::Key_Escape);
        QVERIFY(!info.isVisible());

        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        pressKey(window.Control("KF3"), Qt::Key_F1);
        QCOMPARE(&InfoF::instance(), &info); // hidden, not closed: the same window again
        QVERIFY(info.isVisible());
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
