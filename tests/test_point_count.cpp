// The point count through the real form: what the count field makes of its text, which
// support-point rows it shows, and the showing and hiding of coefficient rows.

#include "ui/HauptFenster.h"

#include <QLineEdit>
#include <QtTest>

namespace {

QString digit(int k)
{
    return QString::number(k);
}

} // namespace

class PointCountTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void countSetsPointsAndRows_data();
    void countSetsPointsAndRows();
    void typingBeyondTenIsUndoneAtOnce();
    void hiddenRowsKeepTheirText();
    void verbirgHidesOneCoefficientRow_data();
    void verbirgHidesOneCoefficientRow();
    void entbirgShowsEveryCoefficientRowAgain();

private:
    // How many support-point rows are shown, from row 0 on without a gap; -1 when the shown
    // rows have a gap or a row shows only one of its two fields.
    int shownSupportRows() const;
    // Names of the controls whose visibility is `visible`.
    QStringList controlsShown(bool visible) const;

    HauptFenster* window = nullptr;
};

void PointCountTest::initTestCase()
{
    window = new HauptFenster;
    window->Construct();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void PointCountTest::cleanupTestCase()
{
    delete window;
}

int PointCountTest::shownSupportRows() const
{
    int shown = 0;
    bool gap = false;
    for (int k = 0; k <= 9; ++k) {
        const bool x = window->Control("xF" + digit(k)).isVisible();
        const bool y = window->Control("yF" + digit(k)).isVisible();
        if (x != y || (x && gap))
            return -1;
        gap = gap || !x;
        shown += x;
    }
    return shown;
}

QStringList PointCountTest::controlsShown(bool visible) const
{
    QStringList names;
    for (QWidget* control :
         window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisible() == visible)
            names << control->objectName();
    names.sort();
    return names;
}

void PointCountTest::countSetsPointsAndRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("shownText");
    QTest::addColumn<int>("rows");
    QTest::newRow("five points show five rows") << "5" << 5 << "5" << 5;
    QTest::newRow("ten points show every row, text as typed") << "10" << 10 << "10" << 10;
    QTest::newRow("twelve is capped at ten in count and text") << "12" << 10 << "10" << 10;
    QTest::newRow("one point still shows two rows") << "1" << 1 << "1" << 2;
    QTest::newRow("zero points still show two rows") << "0" << 0 << "0" << 2;
    QTest::newRow("a negative count is kept as typed") << "-3" << -3 << "-3" << 2;
    QTest::newRow("an empty field counts zero") << "" << 0 << "" << 2;
    QTest::newRow("a fraction is truncated") << "3.7" << 3 << "3.7" << 3;
    QTest::newRow("a decimal comma is read too") << "4,9" << 4 << "4,9" << 4;
    QTest::newRow("1e12 is capped at ten") << "1e12" << 10 << "10" << 10;
    QTest::newRow("overflow to infinity is capped at ten") << "1e999" << 10 << "10" << 10;
    QTest::newRow("minus infinity counts as no points")
        << "-inf" << std::numeric_limits<std::int32_t>::min() << "-inf" << 2;
    QTest::newRow("nan counts zero") << "nan" << 0 << "nan" << 2;
    QTest::newRow("a word counts zero") << "abc" << 0 << "abc" << 2;
    QTest::newRow("100,000 digits are capped at ten") << QString(100000, u'9') << 10 << "10" << 10;
    QTest::newRow("100,000 letters count zero")
        << QString(100000, u'x') << 0 << QString(100000, u'x') << 2;
}

void PointCountTest::countSetsPointsAndRows()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, shownText);
    QFETCH(int, rows);
    // Start from the opposite visibility, so that every row has to be set by this change.
    window->SetText("sstellen", "start");
    for (int k = 0; k <= 9; ++k) {
        window->SetVisible("xF" + digit(k), k >= rows);
        window->SetVisible("yF" + digit(k), k >= rows);
    }
    window->SetText("sstellen", text);
    QCOMPARE(window->n, n);
    QCOMPARE(window->Text("sstellen"), shownText);
    QCOMPARE(shownSupportRows(), rows);
    // The count touches neither the arguments nor the coefficient rows.
    for (const QString& hidden : controlsShown(false))
        QVERIFY2(hidden.size() == 3 && hidden[1] == u'F' && hidden[0] != u'K', qPrintable(hidden));
}

void PointCountTest::typingBeyondTenIsUndoneAtOnce()
{
    auto& field = static_cast<QLineEdit&>(window->Control("sstellen"));
    field.clear();
    QTest::keyClicks(&field, "10");
    QCOMPARE(window->n, 10);
    QTest::keyClick(&field, Qt::Key_0);
    QCOMPARE(field.text(), QStringLiteral("10"));
    QCOMPARE(window->n, 10);
    QCOMPARE(shownSupportRows(), 10);
}

void PointCountTest::hiddenRowsKeepTheirText()
{
    window->SetText("sstellen", "7");
    for (int k = 3; k <= 6; ++k) {
        window->SetText("xF" + digit(k), "1" + digit(k));
        window->SetText("yF" + digit(k), "-" + digit(k));
    }
    window->SetText("sstellen", "3");
    QCOMPARE(shownSupportRows(), 3);
    window->SetText("sstellen", "7");
    QCOMPARE(shownSupportRows(), 7);
    for (int k = 3; k <= 6; ++k) {
        QCOMPARE(window->Text("xF" + digit(k)), "1" + digit(k));
        QCOMPARE(window->Text("yF" + digit(k)), "-" + digit(k));
    }
}

void PointCountTest::verbirgHidesOneCoefficientRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("hidden");
    QTest::newRow("row 0 cannot be hidden") << 0 << QStringList();
    QTest::newRow("row 10 does not exist") << 10 << QStringList();
    QTest::newRow("a negative row does not exist") << -1 << QStringList();
    QTest::newRow("row 1 hides x^1 only") << 1 << QStringList({"KF1", "xS01"});
    QTest::newRow("row 4 hides x^4 only") << 4 << QStringList({"KF4", "xS04"});
    QTest::newRow("row 9 hides x^9 only") << 9 << QStringList({"KF9", "xS09"});
}

void PointCountTest::verbirgHidesOneCoefficientRow()
{
    QFETCH(int, row);
    QFETCH(QStringList, hidden);
    window->SetText("sstellen", "10");
    window->Entbirg();
    QCOMPARE(controlsShown(false), QStringList());
    window->Verbirg(row);
    QCOMPARE(controlsShown(false), hidden);
}

void PointCountTest::entbirgShowsEveryCoefficientRowAgain()
{
    window->SetText("sstellen", "10");
    for (int row = 9; row >= 3; --row)
        window->Verbirg(row);
    QCOMPARE(controlsShown(false).size(), 14);
    window->Entbirg();
    QCOMPARE(controlsShown(false), QStringList());
}

QTEST_MAIN(PointCountTest)
#include "test_point_count.moc"
