// Documents: the form's inputs saved and opened back exactly; files that cannot be opened leave
// the form as it was; a save that fails keeps the old file and the work; unsaved changes are
// asked for before anything replaces them.

#include "DialogAnswers.h"

#include "app/Documents.h"
#include "app/MenuBar1.h"
#include "app/RecentFiles.h"
#include "calc/ComputeRecord.h"
#include "framework/EditLine.h"
#include "framework/Menu.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAccessible>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Changes = QList<std::pair<QString, QString>>; // field name, text

QString digits(int count, char digit)
{
    return QString(count, QChar::fromLatin1(digit));
}

QByteArray document(const QByteArray& members)
{
    return R"({"format": "kurvalo", "version": 1, )" + members + "}";
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// File permissions bind root too while its file-system user is another one.
class AsAnotherUser
{
public:
    AsAnotherUser()
    {
        if (geteuid() == 0) {
            setfsgid(65534);
            setfsuid(65534);
        }
    }
    ~AsAnotherUser()
    {
        if (geteuid() == 0) {
            setfsuid(0);
            setfsgid(0);
        }
    }
};

bool run(const QString& program, const QStringList& arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

QString announced(const HauptFenster& window)
{
    QStringList names;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child))
            names << face->text(QAccessible::Name);
    }
    return names.join(u' ');
}

} // namespace

class DocumentsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        ForgetRecentFiles();
        window = &HauptFenster::instance();
        documents = &Documents::Of(*window);
        // Filling its own form at start is no change of the person's.
        QVERIFY(!documents->IsModified());
        QCOMPARE(window->windowTitle(), "Kurvalo");
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QVERIFY(folder.isValid());
        // Another user (see AsAnotherUser) may look into it, and read what is readable.
        QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7755));
    }
    void init() { documents->New(); }

    void formStatesComeBackExactly_data()
    {
        QTest::addColumn<Changes>("changes");
        QTest::newRow("texts that do not read as numbers stay as typed")
            << Changes{{"sstellen", "3"},       {"xF0", "abc"},        {"yF0", "1,5 kg"},
                       {"xF1", " 2 "},          {"yF1", "−4"},         {"xF2", "1e999999999"},
                       {"yF2", "nan"},          {"xF11", "Ärger ✓ 😀"}, {"xF21", R"("q" \ /)"},
                       {"xF91", "<b>&amp;</b>"}};
        QTest::newRow("numbers as long as a field holds keep every digit")
            << Changes{{"xF0", "1" + digits(999, '3')},
                       {"yF0", "-0." + digits(997, '9')},
                       {"xF51", "1e-" + digits(997, '7')}};
        QTest::newRow("empty fields, the count too, stay empty")
            << Changes{{"sstellen", ""}, {"xF0", ""}, {"xF1", ""}, {"xF2", ""}, {"xF3", ""}};
        QTest::newRow("hidden rows keep their texts")
            << Changes{{"sstellen", "2"}, {"xF5", "5"}, {"yF5", "25"}, {"yF9", "verborgen"}};
        QTest::newRow("ten points and nine arguments") << Changes{
            {"sstellen", "10"}, {"xF9", "10"}, {"yF9", "100"}, {"xF11", "0.5"}, {"xF91", "-7"}};
    }
    void formStatesComeBackExactly()
    {
        QFETCH(Changes, changes);
        window->Start(); // the start form computes; results are no part of a document
        for (const auto& [name, text] : changes)
            window->SetText(name, text);
        const FormInputs typed = documents->Inputs();
        const QString path = folder.filePath("Messung 1.kurvalo");
        QVERIFY(documents->SaveTo(path));
        QCOMPARE(window->windowTitle(), "Messung 1.kurvalo[*] – Kurvalo");
        QVERIFY(!window->isWindowModified());
        QTRY_VERIFY(announced(*window).contains("Gespeichert: Messung 1.kurvalo"));

        documents->New();
        QCOMPARE(documents->Inputs(), documents->StartInputs());
        QCOMPARE(window->windowTitle(), "Kurvalo");
        window->Start();
        QVERIFY(documents->Open(path));
        QCOMPARE(documents->Inputs(), typed);
        QCOMPARE(window->windowTitle(), "Messung 1.kurvalo[*] – Kurvalo");
        QVERIFY(!documents->IsModified());
        QVERIFY(!window->LastCompute());
        QCOMPARE(window->Text("yF01"), QString());
        QCOMPARE(window->Text("KF0"), QString());
    }

    void faultyFilesLeaveTheFormAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // "<folder>", "<gone>", "<pipe>", "<unreadable>"
        QTest::addColumn<QString>("told");
        const QByteArray good = document(R"("count": "2", "points": [], "arguments": [])");
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
        const auto row = [](const char* what, const char* name, const QByteArray& content,
                            const char* told) {
            QTest::newRow(what) << QString(name) << content << QString::fromUtf8(told);
        };
        row("an empty file", "leer.kurvalo", "", "Sie ist leer.");
        row("blanks only", "leer.kurvalo", " \r\n\t\n", "Sie ist leer.");
        row("a picture", "bild.kurvalo", picture, "Sie enthält keinen Text, sondern Binärdaten.");
        row("a picture named as a table", "bild.csv", picture,
            "Sie enthält keinen Text, sondern Binärdaten.");
        row("Latin-1 in a document", "alt.kurvalo", document("\"count\": \"M\xe4rz\""),
            "Sie ist keine Textdatei in UTF-8.");
        row("a document cut short", "halb.kurvalo", good.left(good.size() / 2),
            "Der Inhalt bricht in Zeile 1, Spalte");
        row("a missing comma", "komma.kurvalo", R"({"format": "kurvalo" "version": 1})",
            "Ein Komma oder eine schließende Klammer fehlt (Zeile 1, Spalte 23).");
        row("a table saved under the document's name", "tabelle.kurvalo", "1;2\n3;4\n",
            "Sie ist keine Kurvalo-Datei.");
        row("another program's JSON", "fremd.kurvalo", R"({"name": "Kurvalo"})",
            "Sie ist keine Kurvalo-Datei.");
        row("a newer format", "neu.kurvalo", R"({"format": "kurvalo", "version": 2})",
            "Sie wurde von einer neueren Version von Kurvalo geschrieben (Format 2); diese "
            "Version liest Format 1.");
        row("a version beyond any integer type", "v.kurvalo",
            R"({"format": "kurvalo", "version": 4.4e119})",
            "Sie wurde von einer neueren Version von Kurvalo geschrieben (Format 4.4e+119)");
        row("a version written as text", "v.kurvalo", R"({"format": "kurvalo", "version": "1"})",
            "Die Formatversion („version“) fehlt oder ist keine ganze Zahl ab 1.");
        row("a fractional version", "v.kurvalo", R"({"format": "kurvalo", "version": 1.5})",
            "Die Formatversion („version“) fehlt");
        row("no count", "ohne.kurvalo", document(R"("points": [], "arguments": [])"),
            "Die Anzahl der Stützstellen („count“) fehlt.");
        row("a number for a text", "zahl.kurvalo",
            document(R"("count": "2", "points": [{"x": 1.5, "y": "2"}], "arguments": [])"),
            "x von Stützstelle 1 ist kein Text.");
        row("eleven points", "elf.kurvalo",
            document(R"("count": "2", "arguments": [], "points": [)" +
                     QByteArray(R"({"x": "1", "y": "2"},)").repeated(10) +
                     R"({"x": "1", "y": "2"}])"),
            "Es sind 11 Stützstellen, höchstens 10 sind möglich.");
        row("points that are no list", "liste.kurvalo",
            document(R"("count": "2", "points": {}, "arguments": [])"),
            "Stützstellen („points“) sind keine Liste.");
        row("a line break in a text", "zeile.kurvalo",
            document(R"("count": "2", "points": [], "arguments": ["1\n2"])"),
            "Argument 1 enthält Steuerzeichen.");
        row("a text longer than a field holds", "lang.kurvalo",
            document(R"("count": "2", "points": [], "arguments": [")" + QByteArray(1001, '1') +
                     R"("])"),
            "Ein Text ist mit 1001 Zeichen länger, als ein Feld fasst (1000).");
        row("over 1 MB", "gross.kurvalo", good + QByteArray(1024 * 1024, ' '),
            "Sie ist mit 1,0 MB zu groß; Kurvalo öffnet Dateien bis 1,0 MB.");
        row("a table of one point", "punkt.csv", "x;y\n1;2\n",
            "Die Tabelle enthält 1 Stützstelle; Kurvalo rechnet mit 2 bis 10.");
        row("a ragged table", "schief.tsv", "1\t2\n3\t4\t5\n", "ungleich lang");
        row("a single value", "wert.txt", "42\n",
            "Sie enthält keine Tabelle von Stützstellen, nur einen einzelnen Wert.");
        row("a folder", "ordner.kurvalo", "<folder>", "Das ist ein Ordner.");
        row("a file that is gone", "weg.kurvalo", "<gone>", "Es gibt sie nicht (mehr).");
        row("a pipe, which may never end", "rohr.kurvalo", "<pipe>",
            "Sie ist keine gewöhnliche Datei.");
        row("a file no one may read", "geheim.kurvalo", "<unreadable>",
            "Keine Berechtigung zum Lesen.");
    }
    void faultyFilesLeaveTheFormAlone()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, told);
        const QString path = folder.filePath(name);
        if (content == "<folder>")
            QVERIFY(QDir(folder.path()).mkpath(name));
        else if (content == "<pipe>")
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (content != "<gone>")
            writeFile(path, content == "<unreadable>" ? QByteArray("{}") : content);
        if (content == "<unreadable>")
            QFile::setPermissions(path, {});
        window->Start();
        window->SetText("xF0", "bleibt");
        const FormInputs before = documents->Inputs();
        const auto computed = window->LastCompute();
        const QString title = window->windowTitle();

        DialogAnswers answers;
        {
            AsAnotherUser reader;
            QVERIFY(!documents->Open(path));
        }
        QCOMPARE(answers.shown().size(), 1);
        const DialogAnswers::Shown& message = answers.shown().first();
        QCOMPARE(message.title, "Öffnen");
        QVERIFY(message.defaultFocused);
        QVERIFY2(message.text.startsWith(QStringLiteral("Die Datei „%1“ kann nicht geöffnet "
                                                        "werden: ")
                                             .arg(QDir::toNativeSeparators(path))),
                 qPrintable(message.text));
        QVERIFY2(message.text.contains(told), qPrintable(message.text));
        QCOMPARE(documents->Inputs(), before);
        QCOMPARE(window->LastCompute(), computed);
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(documents->IsModified());
        QFile::remove(path);
        QDir(path).removeRecursively();
    }

    void readableFilesOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("points"); // "x y" of each point in use, separated by '|'
        QTest::addColumn<QString>("title");
        const auto row = [](const char* what, const char* name, const QByteArray& content,
                            const char* count, const char* points, const char* title) {
            QTest::newRow(what) << QString(name) << content << QString(count)
                                << QString::fromUtf8(points) << QString::fromUtf8(title);
        };
        row("a CSV with headings and decimal commas", "werte.csv", "x;y\n1;2,5\n2;3,5\n3;7\n", "3",
            "1 2,5|2 3,5|3 7", "Kurvalo");
        row("a TSV of an x row and a y row", "zeilen.tsv", "1\t2\t3\t4\n1\t4\t9\t16\n", "4",
            "1 1|2 4|3 9|4 16", "Kurvalo");
        row("a text file of columns and labels, with Windows line ends", "log.txt",
            "a 0 1\r\nb 0.5 2\r\nc 1 4\r\n", "3", "0 1|0.5 2|1 4", "Kurvalo");
        row("a cell that reads otherwise than it shows is marked, as a paste marks it",
            "tausend.csv", "x;y\n1.234;2\n3;4\n", "2", "1.234 2|3 4", "Kurvalo");
        row("Latin-1 headings from an old spreadsheet", "alt.csv",
            "St\xfctzstelle;Wert\n1;2\n3;4\n", "2", "1 2|3 4", "Kurvalo");
        row("a byte order mark before a table", "bom.tsv", "\xEF\xBB\xBFx\ty\n1\t2\n3\t4\n", "2",
            "1 2|3 4", "Kurvalo");
        row("keys this version does not know are passed over", "später.kurvalo",
            document(R"("count": "2", "farbe": "rot", "arguments": ["5"],
                        "points": [{"x": "1", "y": "2", "gewicht": 3}, {"x": "4", "y": "8"}])"),
            "2", "1 2|4 8", "später.kurvalo[*] – Kurvalo");
        row("a byte order mark before a document", "bom.kurvalo",
            "\xEF\xBB\xBF" + document(R"("count": "2", "arguments": [],
                                         "points": [{"x": "1", "y": "2"}, {"x": "3", "y": "4"}])"),
            "2", "1 2|3 4", "bom.kurvalo[*] – Kurvalo");
        row("a document of another name, told by its content", "punkte.json",
            document(R"("count": "2", "arguments": [],
                        "points": [{"x": "5", "y": "6"}, {"x": "7", "y": "8"}])"),
            "2", "5 6|7 8", "punkte.json[*] – Kurvalo");
    }
    void readableFilesOpen()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, count);
        QFETCH(QString, points);
        QFETCH(QString, title);
        const QString path = folder.filePath(name);
        writeFile(path, content);
        QVERIFY(documents->Open(path));
        QCOMPARE(window->Text("sstellen"), count);
        const QStringList rows = points.split(u'|');
        for (int k = 0; k < rows.size(); ++k) {
            QCOMPARE(window->Text(kSupportRows[k].abscissa), rows[k].section(u' ', 0, 0));
            QCOMPARE(window->Text(kSupportRows[k].ordinate), rows[k].section(u' ', 1, 1));
        }
        QCOMPARE(dynamic_cast<EditLine&>(window->Control("xF0")).IsMarked(), name == "tausend.csv");
        QCOMPARE(window->windowTitle(), title);
        // A table is a new document: nothing of it is saved yet.
        QCOMPARE(documents->IsModified(), title == "Kurvalo");
        QCOMPARE(documents->FilePath().isEmpty(), title == "Kurvalo");
    }

    void failedSavesKeepTheOldFileAndTheWork_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("told");
        QTest::newRow("a folder without write permission")
            << "read-only folder"
            << "Keine Berechtigung zum Schreiben in diesem Ordner.";
        QTest::newRow("a write-protected file") << "write-protected file"
                                                << "Die Datei ist schreibgeschützt.";
        QTest::newRow("a locked (immutable) file") << "locked file"
                                                   << "Die Datei ist gesperrt.";
        QTest::newRow("a full disk (a small tmpfs)") << "full disk"
                                                     << "Der Datenträger ist voll.";
        QTest::newRow("a file size limit") << "size limit"
                                           << "Die Datei wäre größer, als das System erlaubt.";
        QTest::newRow("a read-only disk") << "read-only disk"
                                          << "Der Datenträger ist schreibgeschützt.";
        QTest::newRow("a folder that is gone") << "gone"
                                               << "Den Ordner gibt es nicht (mehr).";
    }
    void failedSavesKeepTheOldFileAndTheWork()
    {
        QFETCH(QString, condition);
        QFETCH(QString, told);
        QTemporaryDir temp;
        QFile::setPermissions(temp.path(), QFile::permissions(temp.path()) | QFile::ExeOther);
        const QString dir = temp.filePath("ordner");
        QVERIFY(QDir().mkpath(dir));
        QFile::setPermissions(dir, QFileDevice::Permissions(0x7777)); // everyone's
        const bool onTmpfs = condition == "full disk" || condition == "read-only disk";
        if (onTmpfs && mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0,
                             "size=16k,mode=0777") != 0)
            QSKIP("no tmpfs can be mounted here (needs root)");
        const auto unmount = qScopeGuard([&] {
            if (onTmpfs)
                umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
        });
        const QString path = dir + "/alt.kurvalo";
        window->SetText("xF0", "alt");
        QVERIFY(documents->SaveTo(path));
        const QByteArray old = fileBytes(path);
        window->SetText("yF0", "neu");
        // More than the small disk or the size limit holds: twenty fields full.
        if (condition == "full disk" || condition == "size limit") {
            for (int k = 0; k < 10; ++k) {
                window->SetText(kSupportRows[k].abscissa, digits(1000, '7'));
                window->SetText(kSupportRows[k].ordinate, digits(1000, '8'));
            }
        }
        const FormInputs typed = documents->Inputs();

        rlimit sizeLimit{};
        getrlimit(RLIMIT_FSIZE, &sizeLimit);
        const auto undo = qScopeGuard([&] {
            setrlimit(RLIMIT_FSIZE, &sizeLimit);
            if (condition == "locked file")
                run("chattr", {"-i", path});
            QFile::setPermissions(dir, QFileDevice::Permissions(0x7777));
        });
        const bool anotherUser =
            condition == "read-only folder" || condition == "write-protected file";
        if (condition == "read-only folder")
            QFile::setPermissions(dir, QFileDevice::Permissions(0x5555));
        if (condition == "write-protected file")
            QFile::setPermissions(path, QFileDevice::Permissions(0x4444));
        if (condition == "locked file" && !run("chattr", {"+i", path}))
            QSKIP("chattr +i is not possible here (needs root on a file system that has it)");
        if (condition == "size limit") {
            rlimit small = sizeLimit;
            small.rlim_cur = 8192;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        if (condition == "read-only disk")
            QCOMPARE(mount(nullptr, QFile::encodeName(dir).constData(), nullptr,
                           MS_REMOUNT | MS_RDONLY, nullptr),
                     0);
        if (condition == "gone")
            QVERIFY(QDir(dir).removeRecursively());

        DialogAnswers answers;
        bool saved = true;
        {
            std::optional<AsAnotherUser> writer;
            if (anotherUser)
                writer.emplace();
            saved = documents->SaveTo(path);
        }
        setrlimit(RLIMIT_FSIZE, &sizeLimit);
        QVERIFY(!saved);
        QCOMPARE(answers.shown().size(), 1);
        const DialogAnswers::Shown& message = answers.shown().first();
        QCOMPARE(message.title, "Speichern");
        QVERIFY(message.defaultFocused);
        QCOMPARE(message.text,
                 QStringLiteral("Die Datei „%1“ kann nicht gespeichert werden: %2 Die Eingaben "
                                "bleiben ungespeichert im Fenster.")
                     .arg(QDir::toNativeSeparators(path), told));
        QVERIFY(documents->IsModified());
        QVERIFY(window->isWindowModified());
        QCOMPARE(documents->Inputs(), typed);
        if (condition != "gone") {
            QCOMPARE(fileBytes(path), old);
            // No temporary file is left beside it.
            QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"alt.kurvalo"});
        }
    }

    void unsavedChangesAreAskedFor_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer"); // "": nothing changed, nothing asked
        QTest::addColumn<QString>("xF0");    // what the form shows after
        QTest::addColumn<QString>("saved");  // what the first file holds after
        QTest::newRow("Neu, Speichern: saved, then the form as at start") << "Neu"
                                                                          << "Speichern"
                                                                          << "1"
                                                                          << "geändert";
        QTest::newRow("Neu, Verwerfen: the form as at start, the file as it was") << "Neu"
                                                                                  << "Verwerfen"
                                                                                  << "1"
                                                                                  << "erste";
        QTest::newRow("Neu, Abbrechen: nothing changes") << "Neu"
                                                         << "Abbrechen"
                                                         << "geändert"
                                                         << "erste";
        QTest::newRow("a file dropped on the window, Speichern") << "drop on the window"
                                                                 << "Speichern"
                                                                 << "zweite"
                                                                 << "geändert";
        QTest::newRow("a file dropped on a field, Verwerfen: the file opens, no text is dropped")
            << "drop on a field"
            << "Verwerfen"
            << "zweite"
            << "erste";
        QTest::newRow("a recent file, Abbrechen") << "recent file"
                                                  << "Abbrechen"
                                                  << "geändert"
                                                  << "erste";
        QTest::newRow("without changes nothing is asked") << "Neu"
                                                          << ""
                                                          << "1"
                                                          << "erste";
    }
    void unsavedChangesAreAskedFor()
    {
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(QString, xF0);
        QFETCH(QString, saved);
        const QString second = folder.filePath("zweite.kurvalo");
        window->SetText("xF0", "zweite");
        QVERIFY(documents->SaveTo(second));
        const QString first = folder.filePath("erste.kurvalo");
        window->SetText("xF0", "erste");
        QVERIFY(documents->SaveTo(first));
        if (!answer.isEmpty())
            window->SetText("xF0", "geändert");

        DialogAnswers answers({answer});
        if (action == "Neu") {
            MenuBar1::instance().Child("FileNeu")->Action().trigger();
        } else if (action == "recent file") {
            RememberFile(second);
            emit window->FileMenu().Menu()->aboutToShow();
            MenuBar1::instance().Child("FileZuletzt1")->Action().trigger();
        } else {
            QWidget& target = action == "drop on a field" ? window->Control("xF0") : *window;
            QMimeData dragged;
            dragged.setUrls({QUrl::fromLocalFile(second)});
            dragged.setText(second);
            QDragEnterEvent enter({5, 5}, Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(&target, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop({5, 5}, Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(&target, &drop);
        }
        QTRY_COMPARE(answers.shown().size(), answer.isEmpty() ? 0 : 1);
        if (!answer.isEmpty()) {
            QCOMPARE(answers.shown().first().title, "Änderungen speichern?");
            QVERIFY(answers.shown().first().defaultFocused);
        }
        QTRY_COMPARE(window->Text("xF0"), xF0);
        QVERIFY(fileBytes(first).contains('"' + saved.toUtf8() + '"'));
        QCOMPARE(documents->IsModified(), xF0 == "geändert");
    }

private:
    HauptFenster* window = nullptr;
    Documents* documents = nullptr;
    QTemporaryDir folder;
};

QTEST_MAIN(DocumentsTest)
#include "test_documents.moc"
