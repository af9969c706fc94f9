// The point count through the real form: what the count field makes of its text, which
// support-point rows it shows, and the showing and hiding of coefficient rows.

#include "ui/HauptFenster.h"

#include <QLineEdit>
#include <QtTest>

class PointCountTest : public QObject
{
    Q_OBJECT
    HauptFenster* window = nullptr;

    // How many support-point rows are shown, from row 0 on without a gap; -1 when the shown
    // rows have a gap or a row shows only one of its two fields.
    int shownSupportRows() const
    {
        int shown = 0;
        for (int k = 0; k <= 9; ++k) {
            const bool x = window->Control(QString("xF%1").arg(k)).isVisible();
            if (x != window->Control(QString("yF%1").arg(k)).isVisible() || (x && shown < k))
                return -1;
            shown += x;
        }
        return shown;
    }
    QStringList hiddenControls() const
    {
        QStringList names;
        for (QWidget* control :
             window->ContentArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!control->isVisible())
                names << control->objectName();
        names.sort();
        return names;
    }

private slots:
    void initTestCase()
    {
        window = new HauptFenster;
        window->Construct();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanupTestCase() { delete window; }

    void countSetsPointsAndRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed"); // key by key into the emptied field, else set at once
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<int>("rows");
        const auto row = [](const char* name, const QString& text, bool typed, int n,
                            const QString& shownText, int rows) {
            QTest::newRow(name) << text << typed << n << shownText << rows;
        };
        row("five points show five rows", "5", false, 5, "5", 5);
        row("ten points show every row, text as typed", "10", false, 10, "10", 10);
        row("twelve is capped at ten in count and text", "12", false, 10, "10", 10);
        row("a third digit typed after 10 is undone at once", "100", true, 10, "10", 10);
        row("one point still shows two rows", "1", false, 1, "1", 2);
        row("a negative count is kept as typed", "-3", false, -3, "-3", 2);
        row("an empty field counts zero", "", false, 0, "", 2);
        row("a fraction is truncated", "3.7", false, 3, "3.7", 3);
        row("1e12 is capped at ten", "1e12", false, 10, "10", 10);
        row("nan counts zero", "nan", false, 0, "nan", 2);
        row("100,000 digits are capped at ten", QString(100000, u'9'), false, 10, "10", 10);
    }
    void countSetsPointsAndRows()
    {
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(int, n);
        QFETCH(QString, shownText);
        QFETCH(int, rows);
        // Start from the opposite visibility, so that every row has to be set by this change.
        window->SetText("sstellen", "start");
        for (int k = 0; k <= 9; ++k) {
            window->SetVisible(QString("xF%1").arg(k), k >= rows);
            window->SetVisible(QString("yF%1").arg(k), k >= rows);
        }
        if (typed) {
            window->SetText("sstellen", "");
            QTest::keyClicks(&window->Control("sstellen"), text);
        } else {
            window->SetText("sstellen", text);
        }
        QCOMPARE(window->n, n);
        QCOMPARE(window->Text("sstellen"), shownText);
        QCOMPARE(shownSupportRows(), rows);
        // The count touches neither the arguments nor the coefficient rows.
        for (const QString& hidden : hiddenControls())
            QVERIFY2(hidden.size() == 3 && hidden[1] == u'F' && hidden[0] != u'K',
                     qPrintable(hidden));
    }

    void hiddenRowsKeepTheirText()
    {
        window->SetText("sstellen", "7");
        for (int k = 3; k <= 6; ++k) {
            window->SetText(QString("xF%1").arg(k), QString("1%1").arg(k));
            window->SetText(QString("yF%1").arg(k), QString("-%1").arg(k));
        }
        window->SetText("sstellen", "3");
        QCOMPARE(shownSupportRows(), 3);
        window->SetText("sstellen", "7");
        QCOMPARE(shownSupportRows(), 7);
        for (int k = 3; k <= 6; ++k) {
            QCOMPARE(window->Text(QString("xF%1").arg(k)), QString("1%1").arg(k));
            QCOMPARE(window->Text(QString("yF%1").arg(k)), QString("-%1").arg(k));
        }
    }

    void verbirgHidesCoefficientRowsAndEntbirgShowsThemAgain_data()
    {
        QTest::addColumn<QList<int>>("hide");   // rows passed to Verbirg in turn
        QTest::addColumn<QList<int>>("hidden"); // powers whose field and label are hidden then
        QTest::newRow("row 0 cannot be hidden") << QList<int>{0} << QList<int>{};
        QTest::newRow("rows 10 and -1 do not exist") << QList<int>{10, -1} << QList<int>{};
        QTest::newRow("row 1 hides x^1 only") << QList<int>{1} << QList<int>{1};
        QTest::newRow("row 9 hides x^9 only") << QList<int>{9} << QList<int>{9};
        QTest::newRow("rows 9 down to 3 hide seven powers")
            << QList<int>{9, 8, 7, 6, 5, 4, 3} << QList<int>{3, 4, 5, 6, 7, 8, 9};
    }
    void verbirgHidesCoefficientRowsAndEntbirgShowsThemAgain()
    {
        QFETCH(QList<int>, hide);
        QFETCH(QList<int>, hidden);
        window->SetText("sstellen", "10");
        QCOMPARE(hiddenControls(), QStringList());
        for (int row : hide)
            window->Verbirg(row);
        QStringList expected;
        for (int k : hidden)
            expected << QString("KF%1").arg(k) << QString("xS0%1").arg(k);
        expected.sort();
        QCOMPARE(hiddenControls(), expected);
        window->Entbirg();
        QCOMPARE(hiddenControls(), QStringList());
    }
};

QTEST_MAIN(PointCountTest)
#include "test_point_count.moc"
