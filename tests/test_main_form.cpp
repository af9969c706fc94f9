// The main window as built: its controls checked against the form's rules (naming scheme,
// column formulas, colours, fonts), its window settings, and how it reports failures.

#include "framework/Dispatch.h"
#include "framework/NilObjectException.h"
#include "ui/HauptFenster.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

enum class Kind
{
    Edit,
    Label,
    Button,
    Separator
};

Kind kindOf(const QWidget& control)
{
    if (qobject_cast<const QLineEdit*>(&control))
        return Kind::Edit;
    if (qobject_cast<const QLabel*>(&control))
        return Kind::Label;
    if (qobject_cast<const QPushButton*>(&control))
        return Kind::Button;
    return Kind::Separator;
}

QString digit(int k)
{
    return QString::number(k);
}

// Every name the form's naming scheme gives, with its kind.
QHash<QString, Kind> namingScheme()
{
    QHash<QString, Kind> names{{"sstellen", Kind::Edit},        {"BevelButton1", Kind::Button},
                               {"BevelButton2", Kind::Button},  {"BevelButton3", Kind::Button},
                               {"Separator1", Kind::Separator}, {"Separator2", Kind::Separator}};
    for (const char* label :
         {"StaticText1", "StaticText2", "StaticText3", "StaticTextx", "StaticTexty", "StaticTextx1",
          "StaticTexty1", "StaticTextx11", "StaticTexty11"})
        names.insert(label, Kind::Label);
    for (int k = 0; k <= 9; ++k) {
        for (const QString& edit : {"xF" + digit(k), "yF" + digit(k), "xF" + digit(k) + "1",
                                    "yF" + digit(k) + "1", "KF" + digit(k)})
            names.insert(edit, Kind::Edit);
        names.insert("xS0" + digit(k), Kind::Label);
    }
    return names;
}

bool isSupportRow(const QString& name)
{
    return (name.startsWith("xF") || name.startsWith("yF")) && name.size() == 3;
}

// Background of an edit field by the colour rules of the form.
QRgb expectedBackground(const QString& name)
{
    if (name == "sstellen")
        return 0xDCFFD8;
    if (isSupportRow(name))
        return 0xE5FFD8;
    if (name.startsWith("xF") && name.size() == 4 && name[2] != u'0')
        return name[2] <= u'4' ? 0xDBFFD6 : 0xEAFFE1;
    return 0xFFFFFF;
}

// Answers the next message box with its default button, keeping its text.
class MessageBoxAnswerer : public QObject
{
public:
    MessageBoxAnswerer()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer.start(10);
    }
    QStringList texts;

private:
    QTimer timer;
};

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void formHoldsTheNamedControlsOfEachKind();
    void fieldsStandInTheirColumns_data();
    void fieldsStandInTheirColumns();
    void powerLabelsStandUnderTheirCoefficients_data();
    void powerLabelsStandUnderTheirCoefficients();
    void onlyArgumentZeroAndCoefficientsAreReadOnly();
    void fieldBackgroundsFollowTheirGroup();
    void fontsAreDefaultSaveCountAndBoldButtons();
    void buttonsTakeNoKeyboardFocus();
    void alignmentsFollowTheirGroup();
    void windowHasFixedSizeAndNoMaximise();
    void startShowsTwoPointsAndEverythingElse();
    void unknownNamesRaiseNilObject_data();
    void unknownNamesRaiseNilObject();
    void exceptionFromAHandlerIsReportedAndStops_data();
    void exceptionFromAHandlerIsReportedAndStops();
    void exceptionFromAControlEventIsReported();

private:
    QWidget& control(const char* name) { return window->Control(name); }
    QList<QWidget*> controls() const
    {
        return window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    }

    HauptFenster* window = nullptr;
};

void MainFormTest::initTestCase()
{
    window = new HauptFenster;
    window->Construct();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void MainFormTest::cleanupTestCase()
{
    delete window;
}

void MainFormTest::formHoldsTheNamedControlsOfEachKind()
{
    QMap<Kind, int> counts;
    QSet<QString> names;
    const QHash<QString, Kind> scheme = namingScheme();
    for (QWidget* control : controls()) {
        const QString name = control->objectName();
        QVERIFY2(scheme.contains(name), qPrintable("control outside the naming scheme: " + name));
        QVERIFY2(kindOf(*control) == scheme.value(name), qPrintable("wrong kind: " + name));
        QCOMPARE(&window->Control(name), control);
        names.insert(name);
        ++counts[kindOf(*control)];
        if (kindOf(*control) == Kind::Separator) {
            auto* rule = qobject_cast<QFrame*>(control);
            QVERIFY2(rule && rule->frameShape() == QFrame::HLine, qPrintable(name));
        }
    }
    QCOMPARE(names.size(), 75);
    QCOMPARE(counts[Kind::Edit], 51);
    QCOMPARE(counts[Kind::Label], 19);
    QCOMPARE(counts[Kind::Button], 3);
    QCOMPARE(counts[Kind::Separator], 2);
    for (int k = 0; k <= 9; ++k)
        QCOMPARE(window->Text("xS0" + digit(k)), "x^" + digit(k));
}

void MainFormTest::fieldsStandInTheirColumns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    for (int k = 0; k <= 9; ++k) {
        const int left = 77 + 59 * k;
        QTest::addRow("abscissa of point %d in column %d", k, k)
            << "xF" + digit(k) << QRect(left, 69, 47, 22);
        QTest::addRow("ordinate of point %d below it", k)
            << "yF" + digit(k) << QRect(left, 93, 47, 22);
    }
    for (int i = 0; i <= 9; ++i) {
        const int left = 77 + 59 * (i % 5);
        const int top = i < 5 ? 201 : 273;
        QTest::addRow("argument %d in block %d", i, i / 5 + 1)
            << "xF" + digit(i) + "1" << QRect(left, top, 59, 22);
        QTest::addRow("value %d below its argument", i)
            << "yF" + digit(i) + "1" << QRect(left, top + 24, 59, 22);
    }
    const int buttonTops[] = {413, 491, 531};
    const int buttonHeights[] = {72, 34, 51};
    for (int b = 0; b < 3; ++b)
        QTest::addRow("button %d in the right-hand column", b + 1)
            << "BevelButton" + digit(b + 1) << QRect(586, buttonTops[b], 91, buttonHeights[b]);
}

void MainFormTest::fieldsStandInTheirColumns()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QCOMPARE(window->Control(name).geometry(), geometry);
}

void MainFormTest::powerLabelsStandUnderTheirCoefficients_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("shift"); // how far the label stands right of its field
    for (int k = 0; k <= 9; ++k) {
        const int shift = (k == 2 || k == 3) ? 2 : 0;
        QTest::addRow("x^%d %s", k, shift ? "two pixels right of its field" : "lines up")
            << k << shift;
    }
}

void MainFormTest::powerLabelsStandUnderTheirCoefficients()
{
    QFETCH(int, k);
    QFETCH(int, shift);
    const QRect field = window->Control("KF" + digit(k)).geometry();
    const QRect label = window->Control("xS0" + digit(k)).geometry();
    QCOMPARE(field.top(), k < 5 ? 413 : 497);
    QCOMPARE(field.height(), 22);
    QCOMPARE(label.top(), k < 5 ? 436 : 522);
    QCOMPARE(label.height(), 20);
    QCOMPARE(label.left(), field.left() + shift);
    QCOMPARE(label.right(), field.right());
    // The second row repeats the columns of the first.
    const QRect partner = window->Control("KF" + digit((k + 5) % 10)).geometry();
    QCOMPARE(field.left(), partner.left());
    QCOMPARE(field.width(), partner.width());
}

void MainFormTest::onlyArgumentZeroAndCoefficientsAreReadOnly()
{
    QStringList readOnly;
    for (QWidget* control : controls())
        if (auto* field = qobject_cast<QLineEdit*>(control); field && field->isReadOnly())
            readOnly << field->objectName();
    readOnly.sort();
    QCOMPARE(readOnly, QStringList({"KF0", "KF1", "KF2", "KF3", "KF4", "KF5", "KF6", "KF7", "KF8",
                                    "KF9", "xF01"}));
    QCOMPARE(window->Text("xF01"), QStringLiteral("0"));
}

void MainFormTest::fieldBackgroundsFollowTheirGroup()
{
    for (QWidget* control : controls()) {
        if (kindOf(*control) != Kind::Edit)
            continue;
        const QString name = control->objectName();
        const QRgb background = control->palette().color(QPalette::Base).rgb() & 0xFFFFFF;
        QVERIFY2(background == expectedBackground(name),
                 qPrintable(QStringLiteral("%1 has %2").arg(name).arg(background, 6, 16)));
    }
}

void MainFormTest::fontsAreDefaultSaveCountAndBoldButtons()
{
    QCOMPARE(control("sstellen").font().pointSize(), 16);
    QCOMPARE(control("sstellen").font().family(), QApplication::font().family());
    QVERIFY(control("BevelButton1").font().bold());
    QVERIFY(control("BevelButton3").font().bold());
    for (QWidget* control : controls()) {
        const QString name = control->objectName();
        if (name == "sstellen" || name == "BevelButton1" || name == "BevelButton3")
            continue;
        QVERIFY2(control->font() == QApplication::font(control), qPrintable(name));
    }
}

void MainFormTest::buttonsTakeNoKeyboardFocus()
{
    for (const char* button : {"BevelButton1", "BevelButton2", "BevelButton3"})
        QCOMPARE(control(button).focusPolicy(), Qt::NoFocus);
}

void MainFormTest::alignmentsFollowTheirGroup()
{
    const Qt::Alignment horizontal = Qt::AlignHorizontal_Mask;
    auto alignment = [&](const QString& name) {
        return qobject_cast<QLineEdit*>(&window->Control(name))->alignment() & horizontal;
    };
    const Qt::Alignment ordinary = alignment("xF0");
    QCOMPARE(ordinary, Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(alignment("sstellen"), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(alignment("xF01"), alignment("sstellen"));
    for (QWidget* control : controls()) {
        const QString name = control->objectName();
        if (kindOf(*control) == Kind::Edit && name != "sstellen" && name != "xF01")
            QVERIFY2(alignment(name) ==
                         (name.startsWith("KF") ? Qt::Alignment(Qt::AlignHCenter) : ordinary),
                     qPrintable(name));
        if (kindOf(*control) == Kind::Label) {
            // Headings read from the left; the row and power labels centre over their fields.
            const bool heading =
                name == "StaticText1" || name == "StaticText2" || name == "StaticText3";
            QVERIFY2((qobject_cast<QLabel*>(control)->alignment() & horizontal) ==
                         Qt::Alignment(heading ? Qt::AlignLeft : Qt::AlignHCenter),
                     qPrintable(name));
        }
    }
}

void MainFormTest::windowHasFixedSizeAndNoMaximise()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Kurvalo"));
    QCOMPARE(window->centralWidget()->size(), QSize(724, 594));
    QVERIFY(window->menuBar()->isVisible());
    QVERIFY(window->centralWidget()->geometry().top() > window->menuBar()->geometry().bottom());
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->size(), window->minimumSize());
    const QSize built = window->size();
    window->resize(built + QSize(100, 100));
    QCOMPARE(window->size(), built);

    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!window->isFullScreen());
}

void MainFormTest::startShowsTwoPointsAndEverythingElse()
{
    QCOMPARE(window->Text("sstellen"), QStringLiteral("2"));
    QCOMPARE(window->n, 2);
    for (QWidget* control : controls()) {
        const QString name = control->objectName();
        const bool hidden = isSupportRow(name) && name[2] >= u'2';
        QVERIFY2(control->isVisible() != hidden, qPrintable(name));
    }
}

void MainFormTest::unknownNamesRaiseNilObject_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a row beyond the last") << "xF10";
    QTest::newRow("a coefficient beyond x^9") << "KF10";
    QTest::newRow("names are case-sensitive") << "Sstellen";
    QTest::newRow("the empty name") << "";
}

void MainFormTest::unknownNamesRaiseNilObject()
{
    QFETCH(QString, name);
    QVERIFY_THROWS_EXCEPTION(NilObjectException, window->Control(name));
    QVERIFY_THROWS_EXCEPTION(NilObjectException, window->Text(name));
    QVERIFY_THROWS_EXCEPTION(NilObjectException, window->SetText(name, "1"));
    QVERIFY_THROWS_EXCEPTION(NilObjectException, window->SetVisible(name, false));
}

void MainFormTest::exceptionFromAHandlerIsReportedAndStops_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("reported");
    QTest::newRow("a missing control names NilObjectException") << 0 << "NilObjectException";
    QTest::newRow("a foreign exception names its type") << 1 << "int";
}

void MainFormTest::exceptionFromAHandlerIsReportedAndStops()
{
    QFETCH(int, which);
    QFETCH(QString, reported);
    MessageBoxAnswerer answerer;
    bool ranOn = false;
    Dispatch([&] {
        if (which == 0)
            window->SetText("nowhere", "1");
        else
            throw 42;
        ranOn = true;
    });
    QVERIFY(!ranOn);
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].contains(reported), qPrintable(answerer.texts[0]));
}

void MainFormTest::exceptionFromAControlEventIsReported()
{
    // A window of its own: the handler connected here must not outlive this test.
    auto other = std::make_unique<HauptFenster>();
    other->Construct();
    other->Connect("yF0", ControlEvent::TextChange, [&] { other->Text("nowhere"); });
    MessageBoxAnswerer answerer;
    other->SetText("yF0", "5");
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].contains("NilObjectException"), qPrintable(answerer.texts[0]));
    QCOMPARE(other->Text("yF0"), QStringLiteral("5"));
}

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"
