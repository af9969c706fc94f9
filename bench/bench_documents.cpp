// What a document costs: opening a file of ten points and nine arguments (read, checked whole,
// the form filled and its results cleared) and saving it (written through a temporary file that
// is synced to the disk and renamed over the old one). Saving is measured on the disk of /tmp and
// in memory (/dev/shm), where syncing costs nothing: the difference is the disk's.

#include "app/Documents.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class DocumentsBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        HauptFenster& window = HauptFenster::instance();
        window.SetText("sstellen", "10");
        for (int k = 0; k < 10; ++k) {
            window.SetText(kSupportRows[k].abscissa, QString::number(k * 0.7 - 3.1, 'g', 17));
            window.SetText(kSupportRows[k].ordinate, QString::number(k * k * 1.3 + 0.1, 'g', 17));
        }
        for (int i = 1; i < 10; ++i)
            window.SetText(kArgumentRows[i].argument, QString::number(i * 0.37, 'g', 17));
        path = folder.filePath("messung.kurvalo");
        QVERIFY(Documents::Of(window).SaveTo(path));
    }

    void openTenPoints()
    {
        Documents& documents = Documents::Of(HauptFenster::instance());
        QBENCHMARK
        {
            documents.Open(path, false);
        }
        QVERIFY(!documents.IsModified());
    }

    void saveTenPoints_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("on the disk") << QDir::tempPath();
        QTest::newRow("in memory") << QStringLiteral("/dev/shm");
    }
    void saveTenPoints()
    {
        QFETCH(QString, where);
        QTemporaryDir target(where + QStringLiteral("/bench_documents-XXXXXX"));
        if (!target.isValid())
            QSKIP("no such folder here");
        Documents& documents = Documents::Of(HauptFenster::instance());
        const QString saved = target.filePath("messung.kurvalo");
        QBENCHMARK
        {
            documents.SaveTo(saved);
        }
        QVERIFY(!documents.IsModified());
    }

private:
    QTemporaryDir folder;
    QString path;
};

QTEST_MAIN(DocumentsBenchmark)
#include "bench_documents.moc"
