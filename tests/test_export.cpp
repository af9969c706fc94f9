// The results taken out of the program: the one-page report as a PDF read back by pdftotext,
// the table file opened by a real spreadsheet in a German and an English locale, the graph as
// a picture in each format, and every failed write told with the file and the reason.

#include "app/Documents.h"
#include "app/ExportFile.h"
#include "app/GraphF.h"
#include "app/GraphImage.h"
#include "app/Report.h"
#include "calc/ComputeRecord.h"
#include "framework/GraphView.h"
#include "framework/Menu.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/ResultsCsv.h"
#include "ui/RowNames.h"

#include <QAccessible>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

struct PointSet
{
    QStringList xs;
    QStringList ys;
    QStringList arguments;
};

const QHash<QString, PointSet>& pointSets()
{
    static const QHash<QString, PointSet> sets = {
        // A line through seven years: the doubles lose the constant term and the slope.
        {"years",
         {{"2000", "2001", "2002", "2003", "2004", "2005", "2006"},
          {"100", "102.5", "105", "107.5", "110", "112.5", "115"},
          {"2010.5"}}},
        // Ten decades: hidden powers that matter, a marked x^7, every row of the report full.
        {"decades",
         {{"1930", "1940", "1950", "1960", "1970", "1980", "1990", "2000", "2010", "2020"},
          {"-0.03", "-0.04", "-0.05", "0.01", "0.03", "0.26", "0.32", "0.45", "0.72", "1.01"},
          {"1935", "1975.25", "-1e-3", "2025"}}},
        {"small", {{"0.5", "1.25", "3"}, {"-2.75", "0.001", "1e-05"}, {"2.5"}}},
        // The value at 2020.2 is 2870.975 exactly; the doubles give 2870.9750000000013.
        {"three years", {{"2019", "2020", "2021"}, {"2850.5", "2866.25", "2895.125"}, {"2020.2"}}},
        // Every field full, each number as long as a double's shortest text gets.
        {"longest",
         {{"-1.2345678901234567e-05", "2.2345678901234567", "3.2345678901234567",
           "4.2345678901234567", "5.2345678901234567", "6.2345678901234567", "7.2345678901234567",
           "8.2345678901234567", "9.2345678901234567", "10.234567890123457"},
          {"-1.2345678901234567e+20", "2.2345678901234567e-20", "-3.2345678901234567e+20",
           "4.2345678901234567e-20", "-5.2345678901234567e+20", "6.2345678901234567e-20",
           "-7.2345678901234567e+20", "8.2345678901234567e-20", "-9.2345678901234567e+20",
           "1.2345678901234567e-20"},
          {"-1.1111111111111112e-07", "1.1111111111111112", "2.1111111111111112",
           "3.1111111111111112", "4.1111111111111112", "5.1111111111111112", "6.1111111111111112",
           "7.1111111111111112", "8.1111111111111112"}}},
    };
    return sets;
}

void type(HauptFenster& window, const char* field, const QString& text)
{
    window.SetText(field, QString());
    QTest::keyClicks(&window.Control(field), text);
}

void compute(HauptFenster& window, const PointSet& points)
{
    type(window, "sstellen", QString::number(points.xs.size()));
    for (int k = 0; k < points.xs.size(); ++k) {
        type(window, kSupportRows[k].abscissa, points.xs[k]);
        type(window, kSupportRows[k].ordinate, points.ys[k]);
    }
    for (int i = 1; i < 10; ++i)
        type(window, kArgumentRows[i].argument, points.arguments.value(i - 1));
    QTest::mouseClick(&window.Control("BevelButton1"), Qt::LeftButton);
}

// Runs a program to its end, within a minute and a half on a busy machine; its standard output.
QByteArray run(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(90'000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return process.readAllStandardOutput();
}

// The words of a PDF's text, one blank between each, as a reader would copy them.
QString pdfText(const QString& path)
{
    const QString text = QString::fromUtf8(run("pdftotext", {path, "-"}));
    return text.simplified();
}

// The words of a PDF that do not lie wholly on their page.
QStringList wordsOffThePage(const QString& path)
{
    QStringList off;
    QXmlStreamReader boxes(run("pdftotext", {"-bbox", path, "-"}));
    double width = 0;
    double height = 0;
    while (!boxes.atEnd()) {
        boxes.readNext();
        if (!boxes.isStartElement())
            continue;
        const QXmlStreamAttributes at = boxes.attributes();
        if (boxes.name() == u"page") {
            width = at.value("width").toDouble();
            height = at.value("height").toDouble();
        } else if (boxes.name() == u"word" &&
                   (at.value("xMin").toDouble() < 0 || at.value("yMin").toDouble() < 0 ||
                    at.value("xMax").toDouble() > width || at.value("yMax").toDouble() > height)) {
            off << boxes.readElementText();
        }
    }
    return off;
}

int pdfPages(const QString& path)
{
    const QString info = QString::fromUtf8(run("pdfinfo", {path}));
    return QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
}

// The numbers the form shows for the last compute, each as its field's text: the points, the
// values, the visible coefficients; and the exact value of each marked result.
QStringList shownNumbers(const ComputeRecord& record)
{
    QStringList numbers;
    for (int k = 0; k < record.PointsInUse(); ++k)
        numbers << Str(record.xwert[size_t(k)]) << Str(record.ywert[size_t(k)]);
    const auto add = [&](const RecordedResult& result) {
        numbers << Str(result.computed);
        if (result.marked && result.reference)
            numbers << "Exakt: " + result.reference->exactText;
    };
    for (int i = 0; i < 10; ++i) {
        if (record.Evaluated(i))
            add(record.values[size_t(i)]);
    }
    for (int k = 0; k <= record.input.highestVisible; ++k)
        add(record.coefficients[size_t(k)]);
    return numbers;
}

int markedResults(const ComputeRecord& record)
{
    int marked = 0;
    for (int i = 0; i < 10; ++i)
        marked += record.Evaluated(i) && record.values[size_t(i)].marked;
    for (int k = 0; k <= record.input.highestVisible; ++k)
        marked += record.coefficients[size_t(k)].marked;
    return marked;
}

// The cells of the first sheet of an Office Open XML workbook: the values of its number cells,
// and every text.
struct SheetCells
{
    QList<double> numbers;
    QStringList texts;
};
SheetCells sheetCells(const QString& path)
{
    SheetCells cells;
    QXmlStreamReader sheet(run("unzip", {"-p", path, "xl/worksheets/sheet1.xml"}));
    bool number = false;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (sheet.isStartElement() && sheet.name() == u"c")
            number =
                sheet.attributes().value("t").isEmpty() || sheet.attributes().value("t") == u"n";
        else if (sheet.isStartElement() && sheet.name() == u"v" && number)
            cells.numbers << sheet.readElementText().toDouble();
    }
    QXmlStreamReader strings(run("unzip", {"-p", path, "xl/sharedStrings.xml"}));
    while (!strings.atEnd()) {
        strings.readNext();
        if (strings.isStartElement() && strings.name() == u"t")
            cells.texts << strings.readElementText();
    }
    return cells;
}

// A number as a spreadsheet writes it into its files: at most 15 significant digits.
QString spreadsheetDigits(double value)
{
    return QString::number(value, 'g', 15);
}

// Runs `action`; the message box it shows is read and answered at once.
struct Message
{
    QString title;
    QString text;
    bool defaultHasFocus = false;
};
Message answered(const std::function<void()>& action)
{
    Message message;
    QTimer answer;
    int ticks = 0;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // Read once the box has taken the focus, which it may do a little after it shows.
        if (box && (box->isAncestorOf(QApplication::focusWidget()) || ++ticks > 200)) {
            const auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            message = {box->windowTitle(), box->text(), focused && focused->isDefault()};
            box->accept();
        }
    });
    answer.start(10);
    action();
    return message;
}

QString announced(const QWidget& window)
{
    QStringList names;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child))
            names << face->text(QAccessible::Name);
    }
    return names.join(u' ');
}

GraphView& graphView()
{
    GraphF::Open();
    return *GraphF::instance().findChild<GraphView*>("GraphView");
}

} // namespace

class ExportTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        window = &HauptFenster::instance();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    // Runs before anything is computed in this process.
    void itemsSayWhatTheyDoAndActWhenTheyCan_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("described");  // a word of its description
        QTest::addColumn<bool>("beforeCompute"); // enabled before the first compute
        QTest::newRow("the table file waits for results") << "FileExportierenCSV"
                                                          << "FileExportieren"
                                                          << ""
                                                          << "CSV-Datei" << false;
        QTest::newRow("a report says that nothing is computed yet") << "FileExportierenPDF"
                                                                    << "FileExportieren"
                                                                    << ""
                                                                    << "PDF-Datei" << true;
        QTest::newRow("printing likewise, on Ctrl+P") << "FileDrucken"
                                                      << "FileMenu"
                                                      << "Ctrl+P"
                                                      << "Druckt" << true;
    }
    void itemsSayWhatTheyDoAndActWhenTheyCan()
    {
        QFETCH(QString, item);
        QFETCH(QString, menu);
        QFETCH(QString, shortcut);
        QFETCH(QString, described);
        QFETCH(bool, beforeCompute);
        const MenuBar& bar = window->GetMenuBar();
        QAction& action = bar.Child(item)->Action();
        QCOMPARE(action.shortcut().toString(QKeySequence::PortableText), shortcut);
        QAccessibleInterface* shown =
            QAccessible::queryAccessibleInterface(bar.Child(menu)->Menu());
        QString description;
        for (int i = 0; i < shown->childCount(); ++i) {
            if (shown->child(i)->object() == &action)
                description = shown->child(i)->text(QAccessible::Description);
        }
        QVERIFY2(description.contains(described), qPrintable(description));
        emit bar.Child(menu)->Menu()->aboutToShow();
        QCOMPARE(action.isEnabled(), beforeCompute);
    }

    // Ctrl+P asks where to print, and a person may still decline.
    void printingAsksWhereFirst()
    {
        QString asked;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                asked = dialog->windowTitle();
                dialog->reject();
            }
        });
        answer.start(10);
        QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(asked, QString("Drucken"));
    }

    // The first row runs before anything is computed in this process.
    void reportSaysWhatWasComputed_data()
    {
        QTest::addColumn<QString>("points"); // none: nothing computed yet
        QTest::addColumn<bool>("changedAfter");
        QTest::addColumn<QString>("savedAs"); // the document's file, if it has one
        QTest::addColumn<QStringList>("says");
        QTest::addColumn<QStringList>("saysNot");
        QTest::newRow("before the first compute the report says that nothing is computed yet")
            << "" << false << "" << QStringList{"Noch nichts berechnet"}
            << QStringList{"Stützstellen Nr.", "Veraltet", "Koeffizienten des", "Bericht zu"};
        QTest::newRow("seven years: each marked number with its exact value, the polynomial")
            << "years" << false << "Messreihe <2000>.kurvalo"
            << QStringList{"Bericht zu „Messreihe <2000>.kurvalo“ vom",
                           "Exakt: -4900",
                           "Exakt: 2.5",
                           "Exakt: p(x) = -4900 + 2.5·x",
                           "Funktionswerte des Interpolationspolynoms",
                           "Ungenau"}
            << QStringList{"Veraltet", "Noch nichts berechnet"};
        QTest::newRow("ten decades: hidden powers that matter, every row on the one page")
            << "decades" << false << ""
            << QStringList{"x^8 ausgeblendet, Exakt: -7.417237103174603e-10",
                           "Die ausgeblendeten Potenzen ändern das Polynom"}
            << QStringList{"Veraltet"};
        QTest::newRow("only the digits that are right, the whole computed number beside them")
            << "three years" << false << ""
            << QStringList{"2020.2 2870.975 ", "Berechnet: 2870.9750000000013"}
            << QStringList{"Veraltet", "2020.2 2870.9750000000013"};
        QTest::newRow("every field full of the longest numbers: still one page")
            << "longest" << false << "" << QStringList{"Koeffizienten des"}
            << QStringList{"Veraltet"};
        QTest::newRow("an input changed after the compute: the results are stale")
            << "small" << true << ""
            << QStringList{"Veraltet: Die Eingaben wurden seit der Berechnung"}
            << QStringList{"Noch nichts berechnet", "Ungenau"};
    }
    void reportSaysWhatWasComputed()
    {
        QFETCH(QString, points);
        QFETCH(bool, changedAfter);
        QFETCH(QString, savedAs);
        QFETCH(QStringList, says);
        QFETCH(QStringList, saysNot);
        if (!points.isEmpty())
            compute(*window, pointSets()[points]);
        if (!savedAs.isEmpty())
            QVERIFY(Documents::Of(*window).SaveTo(folder.filePath(savedAs)));
        if (changedAfter)
            type(*window, "yF1", "7");
        const QString path = folder.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
        QCOMPARE(WriteReportPdf(path), std::nullopt);

        QCOMPARE(pdfPages(path), 1);
        QCOMPARE(wordsOffThePage(path), QStringList());
        const QString text = pdfText(path);
        if (const auto record = window->LastCompute()) {
            says << shownNumbers(*record);
            QCOMPARE(text.count("⚠"), markedResults(*record));
        }
        for (const QString& said : says)
            QVERIFY2(text.contains(said), qPrintable(said + "\nnot in\n" + text));
        for (const QString& notSaid : saysNot)
            QVERIFY2(!text.contains(notSaid), qPrintable(notSaid));
    }

    // An export of an open document is offered beside it, under its name.
    void exportIsOfferedBesideTheDocument_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("offered");
        QTest::newRow("the report") << "FileExportierenPDF"
                                    << "Übung 3-Bericht.pdf";
        QTest::newRow("the table file") << "FileExportierenCSV"
                                        << "Übung 3-Ergebnisse.csv";
    }
    void exportIsOfferedBesideTheDocument()
    {
        QFETCH(QString, item);
        QFETCH(QString, offered);
        compute(*window, pointSets()["small"]);
        QVERIFY(Documents::Of(*window).SaveTo(folder.filePath("Übung 3.kurvalo")));
        QString asked;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                asked = dialog->selectedFiles().value(0);
                dialog->reject();
            }
        });
        answer.start(10);
        window->GetMenuBar().Child(item)->Action().trigger();
        QCOMPARE(asked, folder.filePath(offered));
    }

    // LibreOffice Calc opens the file in the locale's own way, as a double-click would, and
    // converts it to a workbook whose cells are read back.
    void tableFileOpensAsNumbersInASpreadsheet_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("separator"); // LibreOffice's import option: its character code
        QTest::newRow("German: semicolons and decimal commas") << "de_DE"
                                                               << "59";
        QTest::newRow("English: commas and decimal points") << "en_US"
                                                            << "44";
    }
    void tableFileOpensAsNumbersInASpreadsheet()
    {
        QFETCH(QString, locale);
        QFETCH(QString, separator);
        compute(*window, pointSets()["years"]);
        const auto record = window->LastCompute();
        QVERIFY(record);
        const QString csv = folder.filePath(locale + ".csv");
        QCOMPARE(WriteResultsCsv(*window, csv, QLocale(locale)), std::nullopt);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", locale + ".UTF-8");
        environment.insert("LANG", locale + ".UTF-8");
        const QString profile = QUrl::fromLocalFile(folder.filePath("office-" + locale)).toString();
        run("soffice",
            {"--headless", "--norestore", "-env:UserInstallation=" + profile,
             "--infilter=CSV:" + separator + ",34,76,1", "--convert-to", "xlsx", "--outdir",
             folder.path(), csv},
            environment);
        const SheetCells cells = sheetCells(folder.filePath(locale + ".xlsx"));

        // Every number of the results is a number cell of the same value, as far as the
        // spreadsheet writes it into a file; and no cell that reads as a number stayed text.
        QList<double> expected;
        for (int k = 0; k < record->PointsInUse(); ++k)
            expected << record->xwert[size_t(k)] << record->ywert[size_t(k)];
        const auto add = [&](const RecordedResult& result) {
            expected << result.computed;
            if (result.reference)
                expected << Val(result.reference->exactText);
        };
        for (int i = 0; i < 10; ++i) {
            if (record->Evaluated(i)) {
                expected << record->Argument(i);
                add(record->values[size_t(i)]);
            }
        }
        for (int k = 0; k < 10; ++k)
            add(record->coefficients[size_t(k)]);
        QStringList numberCells;
        for (double number : cells.numbers)
            numberCells << spreadsheetDigits(number);
        for (double number : expected)
            QVERIFY2(numberCells.contains(spreadsheetDigits(number)),
                     qPrintable(Str(number) + " is no number cell"));
        const QRegularExpression numeral("^[-+]?[0-9.,]+([eE][-+]?[0-9]+)?$");
        for (const QString& text : cells.texts)
            QVERIFY2(!numeral.match(text).hasMatch(), qPrintable(text + " stayed text"));
    }

    void graphImageIsWrittenInEachFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("PNG: pixels at the size shown") << "graph.png";
        QTest::newRow("SVG: a drawing of the size shown") << "graph.svg";
        QTest::newRow("PDF: one page of the size shown") << "graph.pdf";
        QTest::newRow("the extension in capitals") << "GRAPH.PNG";
    }
    void graphImageIsWrittenInEachFormat()
    {
        QFETCH(QString, name);
        compute(*window, pointSets()["small"]);
        GraphView& view = graphView();
        const QString path = folder.filePath(name);
        QVERIFY(ExportTo(*view.window(), "Als Bild speichern", path,
                         [&view](const QString& to) { return WriteGraphImage(view, to); }));
        QVERIFY(announced(*view.window()).contains("Exportiert: " + name));

        const QString format = QFileInfo(name).suffix().toLower();
        if (format == "png") {
            const QImage image(path);
            QCOMPARE(image.size(), view.PlotArea().size() * view.devicePixelRatio());
        } else if (format == "svg") {
            const QSvgRenderer svg(path);
            QVERIFY(svg.isValid());
            QCOMPARE(svg.viewBox().size(), view.PlotArea().size());
        } else {
            QCOMPARE(pdfPages(path), 1);
            // Tick labels are text, not pixels.
            QVERIFY2(pdfText(path).contains("1"), qPrintable(pdfText(path)));
        }
    }

    void failedWriteSaysWhichFileAndWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");   // in the test's folder
        QTest::addColumn<long>("sizeLimit"); // bytes a file may have, 0: no limit
        QTest::addColumn<QString>("reason");
        QTest::newRow("a picture into a folder that does not exist")
            << "graph"
            << "missing/graph.png" << 0L << "existiert nicht";
        QTest::newRow("a report under the name of a folder")
            << "report"
            << "folder" << 0L << "Unter diesem Namen gibt es einen Ordner";
        QTest::newRow("a picture without a known extension")
            << "graph"
            << "graph.jpg" << 0L << "muss auf .png, .svg oder .pdf enden";
        QTest::newRow("a table beyond the size a file may have: the old file stays whole")
            << "table"
            << "old.csv" << 64L << "größer, als das System erlaubt";
        QTest::newRow("a report beyond the size a file may have")
            << "report"
            << "old.pdf" << 1024L << "größer, als das System erlaubt";
    }
    void failedWriteSaysWhichFileAndWhy()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(long, sizeLimit);
        QFETCH(QString, reason);
        compute(*window, pointSets()["years"]);
        QDir(folder.path()).mkpath("folder");
        const QString path = folder.filePath(name);
        const QByteArray old = "what was there before\n";
        if (name.startsWith("old")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        GraphView& view = graphView();
        const std::map<QString, FileWriter> writers = {
            {"graph", [&view](const QString& to) { return WriteGraphImage(view, to); }},
            {"report", [](const QString& to) { return WriteReportPdf(to); }},
            {"table", [this](const QString& to) { return WriteResultsCsv(*window, to); }},
        };

        // A file beyond the limit is cut short by the system, with a signal that would end the
        // process unless ignored.
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (sizeLimit) {
            rlimit limited = before;
            limited.rlim_cur = rlim_t(sizeLimit);
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        bool written = true;
        const Message message =
            answered([&] { written = ExportTo(*window, "Export", path, writers.at(kind)); });
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QCOMPARE(message.title, QString("Export"));
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
        QVERIFY2(message.text.contains(reason), qPrintable(message.text));
        QVERIFY(message.defaultHasFocus);
        if (name.startsWith("old")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
        // No temporary file is left behind.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
    }

private:
    HauptFenster* window = nullptr;
    QTemporaryDir folder{"/tmp/kurvalo-export-XXXXXX"};
};

QTEST_MAIN(ExportTest)
#include "test_export.moc"
