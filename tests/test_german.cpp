// The toolkit speaks German whatever the desktop's language: the quit question's buttons and
// a field's context menu come in German, while the menu bar keeps the form's own texts.

#include "app/Kurvalo.h"
#include "ui/HauptFenster.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class GermanTest : public QObject
{
    Q_OBJECT
private slots:
    void quitQuestionAnswersJaOrNein()
    {
        HauptFenster& window = HauptFenster::instance();
        QStringList seen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text()
                 << box->defaultButton()->text();
            box->button(QMessageBox::No)->click();
        });
        answer.start(10);
        QTest::mouseClick(&window.Control("BevelButton3"), Qt::LeftButton);
        QCOMPARE(seen, (QStringList{"&Ja", "&Nein", "&Nein"}));
        QVERIFY(window.isVisible());
    }

    void fieldContextMenuIsGermanAndTheMenuBarKeepsItsTexts()
    {
        HauptFenster& window = HauptFenster::instance();
        auto& field = static_cast<QLineEdit&>(window.Control("xF0"));
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList entries;
        for (const QAction* action : menu->actions())
            entries << action->text().section(u'\t', 0, 0);
        QCOMPARE(entries,
                 (QStringList{"&Rückgängig", "Wieder&herstellen", "", "&Ausschneiden", "&Kopieren",
                              "Einf&ügen", "Löschen", "", "Alles auswählen"}));

        QStringList menus;
        for (const QAction* action : window.menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Ansicht"}));
    }
};

int main(int argc, char** argv)
{
    // A desktop that names no language at all.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        qunsetenv(variable);
    qputenv("LANG", "C");
    Kurvalo app(argc, argv);
    GermanTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_german.moc"
