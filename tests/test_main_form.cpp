// The main window as built: its controls checked against the form's rules (naming scheme,
// column formulas, colours, fonts), its window settings, and how it reports failures.

#include "framework/Dispatch.h"
#include "framework/NilObjectException.h"
#include "ui/HauptFenster.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

namespace {

// 'E'dit, 'L'abel, 'B'utton or 'S'eparator.
char kindOf(const QWidget& control)
{
    return control.inherits("QLineEdit")     ? 'E'
           : control.inherits("QLabel")      ? 'L'
           : control.inherits("QPushButton") ? 'B'
                                             : 'S';
}

QString digit(int k)
{
    return QString::number(k);
}

// Every name the form's naming scheme gives, with its kind.
QHash<QString, char> namingScheme()
{
    QHash<QString, char> names{{"sstellen", 'E'}, {"Separator1", 'S'}, {"Separator2", 'S'}};
    for (const char* suffix : {"1", "2", "3", "x", "y", "x1", "y1", "x11", "y11"})
        names.insert(QStringLiteral("StaticText") + suffix, 'L');
    for (int k = 0; k <= 9; ++k) {
        const QString d = digit(k);
        for (const QString& edit : {"xF" + d, "yF" + d, "xF" + d + "1", "yF" + d + "1", "KF" + d})
            names.insert(edit, 'E');
        names.insert("xS0" + digit(k), 'L');
        if (k >= 1 && k <= 3)
            names.insert("BevelButton" + digit(k), 'B');
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

// Answers every message box with its default button, keeping its text.
struct MessageBoxAnswerer : QTimer
{
    QStringList texts;
    MessageBoxAnswerer()
    {
        connect(this, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        start(10);
    }
};

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT
    HauptFenster* window = nullptr;
    QList<QWidget*> controls() const
    {
        return window->ContentArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    }

private slots:
    void initTestCase()
    {
        window = new HauptFenster;
        window->Construct();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanupTestCase() { delete window; }

    void formHoldsTheNamedControlsOfEachKind()
    {
        QMap<char, int> counts;
        const QHash<QString, char> scheme = namingScheme();
        for (QWidget* control : controls()) {
            const QString name = control->objectName();
            QVERIFY2(scheme.value(name) == kindOf(*control),
                     qPrintable("outside the naming scheme or of the wrong kind: " + name));
            // Lookup by name finding this very control also rules out a name given twice.
            QCOMPARE(&window->Control(name), control);
            ++counts[kindOf(*control)];
        }
        QCOMPARE(counts, (QMap<char, int>{{'E', 51}, {'L', 19}, {'B', 3}, {'S', 2}}));
    }

    void fieldsStandInTheirColumns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        // The coefficient columns follow no formula; both rows of coefficients share them.
        const int coefficientLeft[] = {77, 179, 279, 372, 468},
                  coefficientWidth[] = {100, 98, 94, 94, 96};
        for (int k = 0; k <= 9; ++k) {
            const int left = 77 + 59 * k, blockLeft = 77 + 59 * (k % 5), top = k < 5 ? 201 : 273;
            QTest::addRow("abscissa of point %d in column %d", k, k)
                << "xF" + digit(k) << QRect(left, 69, 47, 22);
            QTest::addRow("ordinate of point %d below it", k)
                << "yF" + digit(k) << QRect(left, 93, 47, 22);
            QTest::addRow("argument %d in block %d", k, k / 5 + 1)
                << "xF" + digit(k) + "1" << QRect(blockLeft, top, 59, 22);
            QTest::addRow("value %d below its argument", k)
                << "yF" + digit(k) + "1" << QRect(blockLeft, top + 24, 59, 22);
            const int c = k % 5, kfTop = k < 5 ? 413 : 497, labelTop = k < 5 ? 436 : 522,
                      shift = (k == 2 || k == 3) ? 2 : 0;
            QTest::addRow("coefficient of x^%d in column %d", k, c)
                << "KF" + digit(k) << QRect(coefficientLeft[c], kfTop, coefficientWidth[c], 22);
            QTest::addRow("x^%d %s", k, shift ? "two pixels right of its field" : "under its field")
                << "xS0" + digit(k)
                << QRect(coefficientLeft[c] + shift, labelTop, coefficientWidth[c] - shift, 20);
        }
    }
    void fieldsStandInTheirColumns()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QCOMPARE(window->Control(name).geometry(), geometry);
    }

    void controlsStartAsTheRulesOfTheirGroupSay()
    {
        QStringList readOnly;
        for (QWidget* control : controls()) {
            const QString name = control->objectName();
            const char kind = kindOf(*control);
            // The form starts with two support points: rows 2 to 9 are hidden.
            QVERIFY2(control->isVisible() != (isSupportRow(name) && name[2] >= u'2'),
                     qPrintable(name + ": visibility"));
            // Only the point count is larger, only Berechnen and Beenden are bold.
            QFont font = QApplication::font(control);
            if (name == "sstellen")
                font.setPointSize(16);
            font.setBold(name == "BevelButton1" || name == "BevelButton3");
            QVERIFY2(control->font() == font, qPrintable(name + ": font"));
            // Clicking a button must leave the focus in the field the Edit menu acts on.
            if (kind == 'B')
                QVERIFY2(control->focusPolicy() == Qt::NoFocus, qPrintable(name + ": focus"));
            if (name.startsWith("xS0"))
                QCOMPARE(window->Text(name), "x^" + name.right(1));
            if (kind != 'E')
                continue;
            const QRgb background = control->palette().color(QPalette::Base).rgb() & 0xFFFFFF;
            QVERIFY2(background == expectedBackground(name),
                     qPrintable(name + " has background " + QString::number(background, 16)));
            if (qobject_cast<QLineEdit*>(control)->isReadOnly())
                readOnly << name;
        }
        readOnly.sort();
        QCOMPARE(readOnly, QStringList({"KF0", "KF1", "KF2", "KF3", "KF4", "KF5", "KF6", "KF7",
                                        "KF8", "KF9", "xF01"}));
        QCOMPARE(window->Text("xF01"), QStringLiteral("0"));
        QCOMPARE(window->Text("sstellen"), QStringLiteral("2"));
        QCOMPARE(window->n, 2);
    }

    void windowHasFixedSizeAndNoMaximise()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Kurvalo"));
        QCOMPARE(window->ContentArea().size(), QSize(724, 594));
        const QSize built = window->size();
        QCOMPARE(window->minimumSize(), built);
        QCOMPARE(window->maximumSize(), built);
        window->resize(built + QSize(100, 100));
        QCOMPARE(window->size(), built);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint && flags & Qt::WindowCloseButtonHint);
    }

    void unknownNameRaisesNilObject()
    {
        QVERIFY_THROWS_EXCEPTION(NilObjectException, window->Control("xF10"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, window->Text("xF10"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, window->SetText("xF10", "1"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, window->SetVisible("xF10", false));
    }

    void dispatchReportsAnEscapingException()
    {
        MessageBoxAnswerer answerer;
        bool ranOn = false;
        Dispatch([&] {
            window->SetText("nowhere", "1");
            ranOn = true;
        });
        QVERIFY(!ranOn);
        QCOMPARE(answerer.texts.size(), 1);
        QVERIFY2(answerer.texts[0].contains("NilObjectException"), qPrintable(answerer.texts[0]));
    }
};

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"
