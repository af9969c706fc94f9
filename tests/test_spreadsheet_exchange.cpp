// Tables between Kurvalo and real spreadsheets: what LibreOffice and Gnumeric put on the
// clipboard (tests/clipboards), pasted as a person pastes it; and Kurvalo's copies read back by
// LibreOffice itself in a German and an English locale.

#include "InputForm.h"
#include "calc/ComputeRecord.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/ResultCopies.h"

#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace form_test;

namespace {

QString captured(const QString& folder, const QString& file)
{
    QFile data(QFINDTESTDATA("clipboards/" + folder + "/" + file));
    if (!data.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(data.readAll());
}

bool write(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// The cells a spreadsheet must read from the copies, a line a row: "n:" and the number as Str
// writes it, "s:" and a text, or nothing; from the record, not from the copies.
QString expectedCells(const ComputeRecord& record, bool stale)
{
    QStringList rows;
    const auto number = [](double value) {
        return std::isfinite(value) ? "n:" + Str(value) : "s:" + Str(value);
    };
    const auto judged = [&](const RecordedResult& result, const QStringList& beside) {
        QStringList notes;
        if (stale)
            notes << "veraltet";
        if (result.marked)
            notes << "ungenau";
        notes << beside;
        if (!result.reference)
            notes << "kein exakter Wert";
        const QString exact = result.reference ? number(Val(result.reference->exactText)) : "";
        return number(result.computed) + '\t' + exact + '\t' +
               (notes.isEmpty() ? QString() : "s:" + notes.join(", "));
    };
    if (stale)
        rows << "s:Veraltet: Die Eingaben wurden seit der Berechnung geändert."
             << "";
    rows << "s:Stützstellen"
         << "s:x\ts:y";
    for (int k = 0; k < record.PointsInUse(); ++k)
        rows << number(record.xwert[size_t(k)]) + '\t' + number(record.ywert[size_t(k)]);
    rows << ""
         << "s:Funktionswerte"
         << "s:Argument\ts:Wert, berechnet\ts:Wert, exakt\ts:Hinweis";
    for (int i = 0; i < 10; ++i) {
        if (record.Evaluated(i))
            rows << number(record.Argument(i)) + '\t' + judged(record.values[size_t(i)], {});
    }
    rows << ""
         << "s:Koeffizienten"
         << "s:Potenz\ts:Koeffizient, berechnet\ts:Koeffizient, exakt\ts:Hinweis";
    for (int k = 0; k < 10; ++k)
        rows << number(k) + '\t' +
                    judged(record.coefficients[size_t(k)],
                           record.Hidden(k) ? QStringList{"ausgeblendet"} : QStringList{});
    return rows.join('\n') + '\n';
}

} // namespace

class SpreadsheetExchangeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        window = &HauptFenster::instance();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    // Each clipboard as its spreadsheet put it there, pasted into the first abscissa over four
    // points; "text" or "html" alone as another program may offer them.
    void realClipboardsPaste_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("formats");
        QTest::addColumn<QString>("changes"); // "field=text" against the baseline, "; "
        QTest::addColumn<QString>("marks");   // "field: reason", "; "
        const auto row = [](const char* name, const char* folder, const char* formats,
                            const char* changes, const char* marks = "") {
            QTest::newRow(name) << QString(folder) << QString(formats) << QString(changes)
                                << QString::fromUtf8(marks);
        };
        row("LibreOffice, German, currency", "de-cur", "text html",
            "sstellen=3; xF0=1; yF0=5; xF1=2; yF1=1234.5; xF2=3; yF2=-3");
        row("LibreOffice, German, currency without a heading", "de-curnohdr", "text html",
            "xF0=1; yF0=5; xF1=2; yF1=1234.5; xF2=3; yF2=-3; xF3=4; yF3=7");
        row("LibreOffice, German, dates, its text alone", "de-date", "text",
            "sstellen=3; xF0=01.02.24; yF0=1; xF1=02.02.24; yF1=2; xF2=05.02.24; yF2=3",
            "xF0: Gelesen als 1.02; xF1: Gelesen als 2.02; xF2: Gelesen als 5.02");
        row("LibreOffice, German, dates", "de-date", "text html",
            "sstellen=3; xF0=45323; yF0=1; xF1=45324; yF1=2; xF2=45327; yF2=3",
            "xF0: Eingefügt ist der Wert der Zelle; sie zeigte »01.02.24«; xF1: Eingefügt ist der "
            "Wert der Zelle; sie zeigte »02.02.24«; xF2: Eingefügt ist der Wert der Zelle; sie "
            "zeigte »05.02.24«");
        row("LibreOffice, German, decimals", "de-dec", "text html",
            "xF0=1.5; yF0=2.25; xF1=-2.5; yF1=6.25; xF2=0.1; yF2=-0.01; xF3=3.14159265358979; "
            "yF3=-7");
        row("LibreOffice, German, formula results", "de-form", "text html",
            "xF0=1; yF0=1; xF1=2; yF1=4; xF2=3; yF2=9; xF3=0.5; yF3=0.25");
        row("LibreOffice, German, integers", "de-int", "text html",
            "xF0=1; yF0=1; xF1=2; yF1=4; xF2=3; yF2=9; xF3=4; yF3=16");
        row("LibreOffice, German, percentages, its text alone", "de-pct", "text",
            "sstellen=3; xF0=1; yF0=0,12; xF1=2; yF1=0,005; xF2=3; yF2=-1,5");
        row("LibreOffice, German, percentages", "de-pct", "text html",
            "sstellen=3; xF0=1; yF0=0.12; xF1=2; yF1=0.005; xF2=3; yF2=-1.5");
        row("LibreOffice, German, scientific format, its text alone", "de-sci", "text",
            "sstellen=3; xF0=1,00E-05; yF0=2,50E-07; xF1=2,00E-05; yF1=3,00E+12; xF2=1,23E-05; "
            "yF2=-1,50E-05");
        row("LibreOffice, German, scientific format", "de-sci", "text html",
            "sstellen=3; xF0=1e-05; yF0=2.5e-07; xF1=2e-05; yF1=3e+12; xF2=1.23456789e-05; "
            "yF2=-1.5e-05");
        row("LibreOffice, German, thousands separators, its HTML alone", "de-thou", "html",
            "xF0=1; yF0=1234.5; xF1=2; yF1=1234567.891; xF2=3; yF2=-2500; xF3=4; yF3=12.5");
        row("LibreOffice, German, thousands separators", "de-thou", "text html",
            "xF0=1; yF0=1234.5; xF1=2; yF1=1234567.891; xF2=3; yF2=-2500; xF3=4; yF3=12.5");
        row("LibreOffice, German, thousands separators without decimals, its text alone",
            "de-thou0", "text", "sstellen=3; xF0=1; yF0=1234; xF1=2; yF1=2500; xF2=3; yF2=1000000");
        row("LibreOffice, German, thousands separators without decimals", "de-thou0", "text html",
            "sstellen=3; xF0=1; yF0=1234; xF1=2; yF1=2500; xF2=3; yF2=1e+06");
        row("LibreOffice, German, an x row and a y row", "de-trans", "text html",
            "xF0=1; yF0=2; xF1=2; yF1=4; xF2=3; yF2=8; xF3=4; yF3=16");
        row("LibreOffice, English, currency, its text alone", "en-cur", "text",
            "sstellen=3; xF0=1; yF0=5.00; xF1=2; yF1=1234.50; xF2=3; yF2=-3.00");
        row("LibreOffice, English, currency", "en-cur", "text html",
            "sstellen=3; xF0=1; yF0=5; xF1=2; yF1=1234.5; xF2=3; yF2=-3");
        row("LibreOffice, English, currency without a heading", "en-curnohdr", "text html",
            "xF0=1; yF0=5; xF1=2; yF1=1234.5; xF2=3; yF2=-3; xF3=4; yF3=7");
        row("LibreOffice, English, dates, its text alone", "en-date", "text",
            "sstellen=3; xF0=02/01/24; yF0=1; xF1=02/02/24; yF1=2; xF2=02/05/24; yF2=3",
            "xF0: Gelesen als 2; xF1: Gelesen als 2; xF2: Gelesen als 2");
        row("LibreOffice, English, dates", "en-date", "text html",
            "sstellen=3; xF0=45323; yF0=1; xF1=45324; yF1=2; xF2=45327; yF2=3",
            "xF0: Eingefügt ist der Wert der Zelle; sie zeigte »02/01/24«; xF1: Eingefügt ist der "
            "Wert der Zelle; sie zeigte »02/02/24«; xF2: Eingefügt ist der Wert der Zelle; sie "
            "zeigte »02/05/24«");
        row("LibreOffice, English, decimals", "en-dec", "text html",
            "xF0=1.5; yF0=2.25; xF1=-2.5; yF1=6.25; xF2=0.1; yF2=-0.01; xF3=3.14159265358979; "
            "yF3=-7");
        row("LibreOffice, English, formula results", "en-form", "text html",
            "xF0=1; yF0=1; xF1=2; yF1=4; xF2=3; yF2=9; xF3=0.5; yF3=0.25");
        row("LibreOffice, English, integers", "en-int", "text html",
            "xF0=1; yF0=1; xF1=2; yF1=4; xF2=3; yF2=9; xF3=4; yF3=16");
        row("LibreOffice, English, percentages", "en-pct", "text html",
            "sstellen=3; xF0=1; yF0=0.12; xF1=2; yF1=0.005; xF2=3; yF2=-1.5");
        row("LibreOffice, English, scientific format", "en-sci", "text html",
            "sstellen=3; xF0=1e-05; yF0=2.5e-07; xF1=2e-05; yF1=3e+12; xF2=1.23456789e-05; "
            "yF2=-1.5e-05");
        row("LibreOffice, English, thousands separators", "en-thou", "text html",
            "xF0=1; yF0=1234.5; xF1=2; yF1=1234567.891; xF2=3; yF2=-2500; xF3=4; yF3=12.5");
        row("LibreOffice, English, thousands separators without decimals, its text alone",
            "en-thou0", "text", "sstellen=3; xF0=1; yF0=1234; xF1=2; yF1=2500; xF2=3; yF2=1000000");
        row("LibreOffice, English, thousands separators without decimals", "en-thou0", "text html",
            "sstellen=3; xF0=1; yF0=1234; xF1=2; yF1=2500; xF2=3; yF2=1e+06");
        row("LibreOffice, English, an x row and a y row", "en-trans", "text html",
            "xF0=1; yF0=2; xF1=2; yF1=4; xF2=3; yF2=8; xF3=4; yF3=16");
        row("Gnumeric, German, currency", "gn-de-cur", "text html",
            "sstellen=3; xF0=1; yF0=5,00; xF1=2; yF1=1234,50; xF2=3; yF2=-3,00");
        row("Gnumeric, German, dates", "gn-de-date", "text html",
            "sstellen=3; xF0=01.02.24; yF0=1; xF1=02.02.24; yF1=2; xF2=05.02.24; yF2=3",
            "xF0: Gelesen als 1.02; xF1: Gelesen als 2.02; xF2: Gelesen als 5.02");
        row("Gnumeric, German, decimals, its HTML alone", "gn-de-dec", "html",
            "xF0=1,5; yF0=2,25; xF1=-2,5; yF1=6,25; xF2=0,1; yF2=-0,01; xF3=3,14159265; yF3=-7");
        row("Gnumeric, German, decimals", "gn-de-dec", "text html",
            "xF0=1,5; yF0=2,25; xF1=-2,5; yF1=6,25; xF2=0,1; yF2=-0,0099999999999999999998; "
            "xF3=3,14159265358979; yF3=-7");
        row("Gnumeric, German, percentages", "gn-de-pct", "text html",
            "sstellen=3; xF0=1; yF0=0,12; xF1=2; yF1=0,005; xF2=3; yF2=-1,5");
        row("Gnumeric, German, scientific format", "gn-de-sci", "text html",
            "sstellen=3; xF0=1,00E-05; yF0=2,50E-07; xF1=2,00E-05; yF1=3,00E+12; xF2=1,23E-05; "
            "yF2=-1,50E-05");
        row("Gnumeric, German, thousands separators", "gn-de-thou", "text html",
            "xF0=1; yF0=1234,50; xF1=2; yF1=1234567,89; xF2=3; yF2=-2500,00; xF3=4; yF3=12,50");
        row("Gnumeric, German, thousands separators without decimals", "gn-de-thou0", "text html",
            "sstellen=3; xF0=1; yF0=1234; xF1=2; yF1=2500; xF2=3; yF2=1000000");
        row("Gnumeric, German, an x row and a y row", "gn-de-trans", "text html",
            "xF0=1; yF0=2; xF1=2; yF1=4; xF2=3; yF2=8; xF3=4; yF3=16");
        row("Gnumeric, English, currency", "gn-en-cur", "text html",
            "sstellen=3; xF0=1; yF0=5.00; xF1=2; yF1=1234.50; xF2=3; yF2=-3.00");
        row("Gnumeric, English, currency without a heading", "gn-en-curnohdr", "text html",
            "xF0=1; yF0=5.00; xF1=2; yF1=1234.50; xF2=3; yF2=-3.00; xF3=4; yF3=7.00");
        row("Gnumeric, English, dates", "gn-en-date", "text html",
            "sstellen=3; xF0=02/01/24; yF0=1; xF1=02/02/24; yF1=2; xF2=02/05/24; yF2=3",
            "xF0: Gelesen als 2; xF1: Gelesen als 2; xF2: Gelesen als 2");
        row("Gnumeric, English, decimals", "gn-en-dec", "text html",
            "xF0=1.5; yF0=2.25; xF1=-2.5; yF1=6.25; xF2=0.1; yF2=-0.0099999999999999999998; "
            "xF3=3.14159265358979; yF3=-7");
        row("Gnumeric, English, percentages", "gn-en-pct", "text html",
            "sstellen=3; xF0=1; yF0=0.12; xF1=2; yF1=0.005; xF2=3; yF2=-1.5");
        row("Gnumeric, English, thousands separators", "gn-en-thou", "text html",
            "xF0=1; yF0=1234.50; xF1=2; yF1=1234567.89; xF2=3; yF2=-2500.00; xF3=4; yF3=12.50");
        row("Gnumeric, English, thousands separators without decimals", "gn-en-thou0", "text html",
            "sstellen=3; xF0=1; yF0=1234; xF1=2; yF1=2500; xF2=3; yF2=1000000");
    }
    void realClipboardsPaste()
    {
        QFETCH(QString, folder);
        QFETCH(QString, formats);
        QFETCH(QString, changes);
        QFETCH(QString, marks);
        setBaseline(*window);
        auto* clipboard = new QMimeData;
        if (formats.contains("text"))
            clipboard->setText(captured(folder, "text.txt"));
        if (formats.contains("html"))
            clipboard->setHtml(captured(folder, "text.html"));
        QApplication::clipboard()->setMimeData(clipboard);
        EditLine& field = focus(*window, "xF0");
        field.selectAll();
        QCOMPARE(answered([&] { QTest::keySequence(&field, QKeySequence::Paste); }), QString());
        QCOMPARE(changesFromBaseline(*window), changes);
        QCOMPARE(form_test::marks(*window), marks);
    }

    // The copies as the menu puts them on the clipboard, read by LibreOffice through its text
    // and its HTML import, and the formula typed into a cell of it.
    void copiesReadBackInLibreOffice_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("a German LibreOffice reads every number and evaluates the formula")
            << "de_DE";
        QTest::newRow("an English LibreOffice likewise") << "en_US";
    }
    void copiesReadBackInLibreOffice()
    {
        QFETCH(QString, locale);
        const QLocale desktop;
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([&] { QLocale::setDefault(desktop); });
        QTemporaryDir folder;
        QVERIFY(folder.isValid());

        struct Case
        {
            const char* name;
            QStringList xs, ys, arguments;
            bool stale;
        };
        const Case cases[] = {
            {"years",
             {"2000", "2001", "2002", "2003", "2004", "2005", "2006"},
             {"100", "102.5", "105", "107.5", "110", "112.5", "115"},
             {"2010", "1e-300"},
             false},
            {"wobble", {"0", "1", "2", "3"}, {"0", "1", "2", "3,000000006"}, {"", "0,5"}, false},
            {"decades",
             {"0,001", "0,01", "0,1", "1", "3", "10", "30", "100", "300", "1000"},
             {"1", "-2", "3", "-4", "5", "-6", "7", "-8", "9", "-10"},
             {"2,5e7"},
             false},
            {"infinite", {"0", "1"}, {"inf", "1"}, {}, true},
        };
        for (const Case& set : cases) {
            compute(*window, set.xs, set.ys, set.arguments);
            const std::shared_ptr<const ComputeRecord> record = window->LastCompute();
            if (set.stale) {
                window->SetText("xF1", set.xs[0]);
                answered(
                    [&] { QTest::mouseClick(&window->Control("BevelButton1"), Qt::LeftButton); });
            }
            QApplication::setActiveWindow(window);
            QTest::keySequence(window, QKeySequence("Ctrl+Shift+C"));
            const QString base = folder.filePath(set.name);
            const QMimeData* copied = QApplication::clipboard()->mimeData();
            QVERIFY(write(base + ".txt", copied->text()));
            QVERIFY(write(base + ".html", copied->html()));
            QVERIFY(write(base + ".cells", expectedCells(*record, set.stale)));
            if (!set.stale) {
                QTest::keySequence(window, QKeySequence("Ctrl+Shift+F"));
                QVERIFY(write(base + ".formula", QApplication::clipboard()->text()));
                QVERIFY(write(base + ".points", set.xs.join('\t') + '\n' + set.ys.join('\t')));
            }
        }

        QProcess office;
        office.setProcessChannelMode(QProcess::MergedChannels);
        office.start("/usr/bin/python3", {QFINDTESTDATA("exact/spreadsheet_readback.py"),
                                          locale + ".UTF-8", folder.path()});
        QVERIFY2(office.waitForFinished(300000), "LibreOffice took longer than five minutes");
        QVERIFY2(office.exitStatus() == QProcess::NormalExit && office.exitCode() == 0,
                 qPrintable(QString::fromUtf8(office.readAll())));
    }

private:
    HauptFenster* window = nullptr;
};

QTEST_MAIN(SpreadsheetExchangeTest)
#include "test_spreadsheet_exchange.moc"
