// What a paste costs when the clipboard holds far more than a table of points: the time of one
// Ctrl+V into a support-point field, the peak of the process's memory while it runs, and what
// stays allocated afterwards. One clipboard a run, so that the peak is the paste's own:
//
//   bench_paste MEGABYTES SHAPE
//
// SHAPE: "lines" (short rows "1<tab>2", a million of them in 8 MB), "cell" (one cell of digits),
// "html" (the lines as HTML table rows, beside the same text), or "x11": whatever another
// program offers on the X11 clipboard (run on xcb, with xclip holding the text), transfer
// included. The refusal's message box is answered at once; its own cost, a few milliseconds,
// is in the time.

#include "framework/EditLine.h"
#include "ui/HauptFenster.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::size_t allocatedBytes()
{
    return mallinfo2().uordblks;
}

QMimeData* clipboardOf(qsizetype megabytes, const QString& shape)
{
    const qsizetype characters = megabytes << 20;
    auto* data = new QMimeData;
    if (shape == QLatin1String("cell")) {
        data->setText(QString(characters, u'7'));
        return data;
    }
    const QString row = QStringLiteral("1\t2\n");
    data->setText(row.repeated(characters / row.size()));
    if (shape == QLatin1String("html")) {
        const QString htmlRow = QStringLiteral("<tr><td sdval=\"1\">1</td><td>2</td></tr>\n");
        data->setHtml(QStringLiteral("<table>") + htmlRow.repeated(characters / htmlRow.size()));
    }
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    const bool x11 = argc > 2 && QByteArray(argv[2]) == "x11";
    if (!x11)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const qsizetype megabytes = arguments.value(1, QStringLiteral("1")).toLongLong();
    const QString shape = arguments.value(2, QStringLiteral("lines"));

    HauptFenster& window = HauptFenster::instance();
    window.show();
    auto& field = dynamic_cast<EditLine&>(window.Control(QStringLiteral("xF0")));
    field.setFocus();
    if (!x11)
        QApplication::clipboard()->setMimeData(clipboardOf(megabytes, shape));
    QApplication::processEvents();

    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start(0);

    malloc_trim(0);
    const long peakBefore = peakKilobytes();
    const std::size_t allocatedBefore = allocatedBytes();
    QElapsedTimer timer;
    timer.start();
    field.Paste();
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    answer.stop();
    QApplication::processEvents();
    const long peakAfter = peakKilobytes();
    const auto kept = qint64(allocatedBytes()) - qint64(allocatedBefore);

    std::printf("%lld MB %s: paste %.1f ms, peak memory +%.1f MiB (of %.1f MiB), kept %+.1f KiB, "
                "count field '%s'\n",
                static_cast<long long>(megabytes), qPrintable(shape), milliseconds,
                double(peakAfter - peakBefore) / 1024.0, double(peakAfter) / 1024.0,
                double(kept) / 1024.0, qPrintable(window.Text(QStringLiteral("sstellen"))));
    return 0;
}
