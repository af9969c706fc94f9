// The recovery file: it holds unsaved changes while there are any, goes at a normal end, and
// after an abnormal end the next start offers it and restores it exactly; a running Kurvalo's
// file is never offered to another.

#include "DialogAnswers.h"

#include "app/Documents.h"
#include "app/Recovery.h"
#include "ui/HauptFenster.h"

#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

FormInputs inputsOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadDocument(file.readAll()).inputs;
}

// The lock of a Kurvalo that ended without removing it: the lock file a process writes, under
// the number of a process that is gone.
void leaveDeadLock(const QString& path)
{
    QProcess gone;
    gone.start("true");
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    const QString own = path + ".eigen";
    QByteArray contents;
    {
        QLockFile lock(own);
        QVERIFY(lock.tryLock(0));
        QFile file(own);
        QVERIFY(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
    }
    contents.replace(0, contents.indexOf('\n'), QByteArray::number(pid));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

} // namespace

class RecoveryTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        window = &HauptFenster::instance();
        documents = &Documents::Of(*window);
    }
    void init()
    {
        documents->New();
        QVERIFY(folder.emplace().isValid());
    }

    void theFileHoldsUnsavedChanges_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("kept"); // a recovery file remains after the last step
        QTest::newRow("typing is kept") << "type" << true;
        QTest::newRow("saving removes it") << "type save" << false;
        QTest::newRow("typing back to unsaved keeps it again") << "type save type" << true;
        QTest::newRow("a normal end removes it") << "type end" << false;
        QTest::newRow("without changes there is none") << "type save end" << false;
        QTest::newRow("a logout with no chance to ask keeps it for the next start")
            << "type logout-unasked end" << true;
        QTest::newRow("a logout cancelled at the question keeps it while Kurvalo runs")
            << "type logout-Abbrechen" << true;
        QTest::newRow("a logout whose changes are discarded ends normally")
            << "type logout-Verwerfen end" << false;
    }
    void theFileHoldsUnsavedChanges()
    {
        QFETCH(QString, steps);
        QFETCH(bool, kept);
        Recovery recovery(*documents, folder->path());
        int typed = 0;
        for (const QString& step : steps.split(u' ')) {
            if (step == "type") {
                window->SetText("yF0", QString::number(++typed));
                QElapsedTimer since;
                since.start();
                QTRY_COMPARE(inputsOf(recovery.FilePath()), documents->Inputs());
                qInfo("kept %lld ms after the change", qint64(since.elapsed()));
            } else if (step == "save") {
                QVERIFY(documents->SaveTo(folder->filePath("messung.kurvalo")));
                QTRY_VERIFY(!QFile::exists(recovery.FilePath()));
            } else if (step == "end") {
                recovery.End();
            } else if (step == "logout-unasked") {
                QVERIFY(recovery.AtSessionEnd(false));
            } else {
                const QString answer = step.section(u'-', 1);
                DialogAnswers answers({answer});
                QCOMPARE(recovery.AtSessionEnd(true), answer != "Abbrechen");
                QCOMPARE(answers.shown().size(), 1);
            }
        }
        QCOMPARE(QFile::exists(recovery.FilePath()), kept);
        if (steps.endsWith("end")) // no lock is left behind
            QCOMPARE(filesIn(folder->path()).filter(".lock"), QStringList());
    }

    void anOrphanIsOfferedAndRestoredExactly_data()
    {
        QTest::addColumn<QString>("left");   // "dead lock", "no lock", "running", "damaged"
        QTest::addColumn<QString>("file");   // the document's file, "" for none
        QTest::addColumn<QString>("answer"); // "" when nothing is to be asked
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("after"); // the recovery folder after the question
        const QStringList orphan{"1234-5.kurvalo"};
        QTest::newRow("an untitled document after a kill") << "dead lock"
                                                           << ""
                                                           << "Wiederherstellen"
                                                           << "Kurvalo" << orphan;
        QTest::newRow("a file's changes after a power cut, without its lock")
            << "no lock"
            << "/daten/reihe.kurvalo"
            << "Wiederherstellen"
            << "reihe.kurvalo[*] – Kurvalo" << orphan;
        QTest::newRow("Verwerfen deletes it") << "dead lock"
                                              << ""
                                              << "Verwerfen"
                                              << "Kurvalo" << QStringList();
        QTest::newRow("Später keeps it for the next start") << "dead lock"
                                                            << ""
                                                            << "Später"
                                                            << "Kurvalo" << orphan;
        QTest::newRow("a running Kurvalo's file is not offered") << "running"
                                                                 << ""
                                                                 << ""
                                                                 << "Kurvalo" << orphan;
        QTest::newRow("a damaged file is set aside, told, and never deleted")
            << "damaged"
            << ""
            << ""
            << "Kurvalo" << QStringList{"1234-5.kurvalo.beschaedigt"};
    }
    void anOrphanIsOfferedAndRestoredExactly()
    {
        QFETCH(QString, left);
        QFETCH(QString, file);
        QFETCH(QString, answer);
        QFETCH(QString, title);
        QFETCH(QStringList, after);
        FormInputs inputs = documents->StartInputs();
        inputs.count = "3";
        inputs.ordinates = {"1,5 kg", "", "-0", "", "", "", "", "", "", "verborgen"};
        inputs.arguments[8] = "1e-" + QString(997, u'9'); // as long as a field holds
        const QString orphan = folder->filePath("1234-5.kurvalo");
        const QString lock = folder->filePath("1234-5.lock");
        QFile saved(orphan);
        QVERIFY(saved.open(QIODevice::WriteOnly));
        const QJsonObject origin{{"file", file}, {"modified", true}};
        saved.write(left == "damaged" ? QByteArray("{\"format\": \"kurv")
                                      : WriteDocument(inputs, {{"recovery", origin}}));
        saved.close();
        if (left == "dead lock")
            leaveDeadLock(lock);
        QProcess running;
        if (left == "running") {
            // Another process holds the lock as a running Kurvalo does.
            running.start("python3",
                          {"-c",
                           "import fcntl, os, socket, sys, time\n"
                           "f = open(sys.argv[1], 'w')\n"
                           "f.write(f'{os.getpid()}\\nkurvalo\\n{socket.gethostname()}\\n')\n"
                           "f.flush()\n"
                           "fcntl.flock(f, fcntl.LOCK_EX)\n"
                           "print('locked', flush=True)\n"
                           "time.sleep(60)\n",
                           lock});
            QVERIFY(running.waitForReadyRead(10000));
        }
        const auto stopRunning = qScopeGuard([&] {
            running.kill();
            running.waitForFinished();
        });
        const FormInputs before = documents->Inputs();

        auto* recovery = new Recovery(*documents, folder->path()); // a child of the documents
        DialogAnswers answers({answer});
        recovery->OfferRestore();
        QCOMPARE(answers.shown().size(), left == "running" ? 0 : 1);
        if (!answers.shown().isEmpty()) {
            QCOMPARE(answers.shown().first().title, "Wiederherstellen");
            QVERIFY(answers.shown().first().defaultFocused);
        }
        if (answer == "Wiederherstellen") {
            QCOMPARE(documents->Inputs(), inputs);
            QCOMPARE(documents->FilePath(), file);
            QVERIFY(documents->IsModified());
        } else {
            QCOMPARE(documents->Inputs(), before);
        }
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->isWindowModified(), !file.isEmpty());
        QCOMPARE(filesIn(folder->path()).filter(".kurvalo"), after);
        // The restored inputs are this Kurvalo's to keep from now on, in the orphan's file.
        if (answer == "Wiederherstellen") {
            window->SetText("xF9", "weiter");
            QTRY_COMPARE(inputsOf(orphan), documents->Inputs());
        }
        delete recovery;
        if (left != "running")
            QCOMPARE(filesIn(folder->path()).filter(".lock"), QStringList());
    }

private:
    HauptFenster* window = nullptr;
    Documents* documents = nullptr;
    std::optional<QTemporaryDir> folder;
};

QTEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
