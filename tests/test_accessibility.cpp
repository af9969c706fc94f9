// The form as assistive technology and the keyboard reach it: every control announces what it
// holds, Tab walks the fields in the order they stand in the form, and the buttons, which take
// no keyboard focus, can be pressed through their accessible action.

#include "app/InfoF.h"
#include "ui/HauptFenster.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Every named control of a window, in the order the window built them.
QList<QWidget*> controlsInBuildOrder(const Window& window)
{
    QList<QWidget*> controls;
    for (QWidget* child : window.centralWidget()->findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_"))
            controls << child;
    }
    return controls;
}

QString accessibleText(QWidget* control, QAccessible::Text which)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(which) : QString();
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT
    HauptFenster& window = HauptFenster::instance();

private slots:
    void initTestCase() { QVERIFY(QTest::qWaitForWindowExposed(&window)); }

    void everyControlSaysWhatItHolds()
    {
        for (const Window* shown :
             std::initializer_list<const Window*>{&window, &InfoF::instance()}) {
            const QList<QWidget*> controls = controlsInBuildOrder(*shown);
            QCOMPARE(controls.size(), shown == &window ? 75 : 2);
            for (QWidget* control : controls) {
                QVERIFY2(!accessibleText(control, QAccessible::Name).isEmpty(),
                         qPrintable(control->objectName()));
                QVERIFY2(!accessibleText(control, QAccessible::Description).isEmpty(),
                         qPrintable(control->objectName()));
            }
        }
        QCOMPARE(accessibleText(&window.Control("xF3"), QAccessible::Name),
                 QString("Stuetzstelle 4, x-Wert"));
        QCOMPARE(accessibleText(&window.Control("yF31"), QAccessible::Name),
                 QString("Funktionswert an Argument 4"));
        QCOMPARE(accessibleText(&window.Control("KF2"), QAccessible::Name),
                 QString("Koeffizient von x^2"));
    }

    void fieldNamesTellTheFieldsApart()
    {
        QSet<QString> names;
        for (QLineEdit* field : window.centralWidget()->findChildren<QLineEdit*>()) {
            const QString name = accessibleText(field, QAccessible::Name);
            QVERIFY2(!names.contains(name), qPrintable(name + " is announced for two fields"));
            names << name;
        }
        QCOMPARE(names.size(), 51);
    }

    void tabWalksTheFieldsInFormOrder()
    {
        window.SetText("sstellen", "10"); // every support-point row shows
        QList<QWidget*> expected = controlsInBuildOrder(window);
        expected.removeIf(
            [](QWidget* control) { return !(control->focusPolicy() & Qt::TabFocus); });
        QCOMPARE(expected.size(), 51); // the fields; buttons and labels take no focus

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        expected.first()->setFocus(Qt::TabFocusReason);
        for (qsizetype k = 1; k < expected.size(); ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected[k]->objectName());
        }
    }

    void buttonsArePressedThroughTheirAction()
    {
        for (const char* name : {"BevelButton1", "BevelButton2", "BevelButton3"}) {
            QAccessibleInterface* face =
                QAccessible::queryAccessibleInterface(&window.Control(name));
            QVERIFY(face && face->actionInterface());
            QVERIFY2(face->actionInterface()->actionNames().contains(
                         QAccessibleActionInterface::pressAction()),
                     name);
        }

        const char* texts[][2] = {{"sstellen", "3"}, {"xF0", "1"}, {"yF0", "2"},  {"xF1", "2"},
                                  {"yF1", "5"},      {"xF2", "3"}, {"yF2", "10"}, {"xF11", "4"}};
        for (const auto& [field, text] : texts)
            window.SetText(field, text);
        QAccessible::queryAccessibleInterface(&window.Control("BevelButton1"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        // The toolkit presses the button as a click would animate it: a moment later.
        QTRY_COMPARE(window.Text("yF11"), QString("17"));
        QCOMPARE(window.Text("KF2"), QString("1"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
