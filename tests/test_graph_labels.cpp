// What stands around the curve: tick labels for any range of doubles, each on a background of
// its own with a minus sign's width clear of any line, never under a mark, a note or another
// label, and read back by OCR (tesseract) as the numbers they are, minus signs and all.

#include "app/GraphF.h"
#include "app/MenuBar1.h"
#include "calc/ComputeRecord.h"
#include "framework/AxisTicks.h"
#include "framework/GraphView.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cfloat>

namespace {

struct GraphCase
{
    QStringList xs;
    QStringList ys;
    QStringList arguments;
    int notches = 0; // wheel notches in about the middle
    bool stale = false;
};

const QHash<QString, GraphCase>& cases()
{
    static const QHash<QString, GraphCase> all = {
        {"years",
         {{"2000", "2001", "2002", "2003", "2004", "2005", "2006"},
          {"100", "102.5", "105", "107.5", "110", "112.5", "115"},
          {"2010"}}},
        {"decades",
         {{"1930", "1940", "1950", "1960", "1970", "1980", "1990", "2000", "2010", "2020"},
          {"59.7", "60.9", "65.6", "69.7", "70.8", "73.7", "75.4", "76.8", "78.7", "77"},
          {}}},
        {"anomalies",
         {{"1930", "1950", "1970", "1990", "2010"},
          {"-0.03", "-0.05", "0.03", "0.32", "0.72"},
          {}}},
        {"1e300",
         {{"1e300", "2.5e300", "3e300", "4.5e300", "7e300"},
          {"1e300", "-2e300", "3.5e300", "1e299", "-4e300"},
          {}}},
        {"1e308", {{"0", "1", "2"}, {"1e308", "-1e308", "1e308"}, {}}},
        {"years, 300 notches in",
         {{"2000", "2001", "2002", "2003", "2004", "2005", "2006"},
          {"100", "102.5", "105", "107.5", "110", "112.5", "115"},
          {},
          300}},
        {"stale with a note",
         {{"-1", "-0.5", "0", "0.5", "1"},
          {"0.04", "0.14", "1", "0.14", "0.04"},
          {"0.9"},
          0,
          true}},
        {"infinity typed", {{"1", "2", "3"}, {"inf", "3", "1"}, {}}},
    };
    return all;
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    return dark;
}

// The graph of the case, 800 x 560, in the palette asked for.
GraphView& graphOf(const QString& name, bool dark)
{
    static const QPalette light = QApplication::palette();
    QApplication::setPalette(dark ? darkPalette() : light);
    QCoreApplication::processEvents(); // the palette reaches the widgets
    const GraphCase& shown = cases()[name];
    HauptFenster& window = HauptFenster::instance();
    window.SetText("sstellen", QString::number(shown.xs.size()));
    for (int k = 0; k < shown.xs.size(); ++k) {
        window.SetText(kSupportRows[k].abscissa, shown.xs[k]);
        window.SetText(kSupportRows[k].ordinate, shown.ys[k]);
    }
    for (int i = 1; i < 10; ++i)
        window.SetText(kArgumentRows[i].argument, shown.arguments.value(i - 1));
    qobject_cast<QAbstractButton*>(&window.Control("BevelButton1"))->click();
    MenuBar1::instance().Child("AnsichtGraph")->Action().trigger();
    auto& view = dynamic_cast<GraphView&>(GraphF::instance().Control("GraphView"));
    GraphF::instance().resize(800, 560);
    view.resize(800, 560);
    for (int notch = 0; notch < shown.notches; ++notch)
        view.Zoom(0.8, QRectF(view.PlotArea()).center());
    if (shown.stale)
        window.SetText("yF1", "0.5");
    return view;
}

// The pixels within a minus sign's width of a label's text, from its baseline and the font,
// apart from how the graph lays out its box: only whole pixels, none that lie partly beyond.
QRect aroundTextOf(const AxisLabel& label, const QFontMetricsF& metrics)
{
    const double minus = metrics.horizontalAdvance(QChar(u'\u2212'));
    const double left = label.baseline.x() - minus;
    const double right = label.baseline.x() + metrics.horizontalAdvance(label.text) + minus;
    const double top = label.baseline.y() - metrics.ascent();
    return QRect(QPoint(qCeil(left), qCeil(top)),
                 QPoint(qFloor(right) - 1, qFloor(top + metrics.height()) - 1));
}

// The background, the curve's colour, or a blend of the two where the curve's edge passes.
bool backgroundOrCurve(const QColor& pixel, const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor curve = palette.color(QPalette::Highlight);
    double least = 1;
    double most = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const int from = channel == 0 ? base.red() : channel == 1 ? base.green() : base.blue();
        const int to = channel == 0 ? curve.red() : channel == 1 ? curve.green() : curve.blue();
        const int is = channel == 0 ? pixel.red() : channel == 1 ? pixel.green() : pixel.blue();
        if (std::abs(to - from) < 24) {
            if (std::abs(is - from) > 3)
                return false;
            continue;
        }
        const double share = double(is - from) / (to - from);
        least = std::min(least, share);
        most = std::max(most, share);
    }
    return least >= -0.02 && most <= 1.02 && most - least <= 0.08;
}

// The lightest grey of an image, taken for its background.
uchar lightest(const QImage& grey)
{
    uchar most = 0;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            most = std::max(most, grey.constScanLine(y)[x]);
    return most;
}

} // namespace

class GraphLabelsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { HauptFenster::instance(); }

    // No step overflows, no conversion leaves its range (the sanitizer build runs this too),
    // and every range of doubles gets ticks, labelled as a person reads them.
    void ticksForAnyRange_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("share"); // of the range, the least step
        QTest::addColumn<QString>("labels");
        QTest::newRow("the whole of the doubles, a tenth apart")
            << -DBL_MAX << DBL_MAX << 0.1
            << "−1.5·10³⁰⁸ −1·10³⁰⁸ −5·10³⁰⁷ 0 5·10³⁰⁷ 1·10³⁰⁸ 1.5·10³⁰⁸";
        QTest::newRow("the whole of the doubles on a few pixels: a step beyond them, 0 alone")
            << -DBL_MAX << DBL_MAX << 3.0 << "0";
        QTest::newRow("the narrowest view at the top end of the doubles")
            << DBL_MAX * (1 - 0x1p-36) << DBL_MAX << 0.2
            << "1.79769313484·10³⁰⁸ 1.79769313485·10³⁰⁸ 1.79769313486·10³⁰⁸";
        QTest::newRow("the narrowest view at the bottom end, negative")
            << -DBL_MAX << -DBL_MAX * (1 - 0x1p-36) << 0.2
            << "−1.79769313486·10³⁰⁸ −1.79769313485·10³⁰⁸ −1.79769313484·10³⁰⁸";
        QTest::newRow("1e308 either side of 0") << -1e308 << 1e308 << 0.3 << "−1·10³⁰⁸ 0 1·10³⁰⁸";
        QTest::newRow("the narrowest view about 0")
            << -0x1p-1001 << 0x1p-1001 << 0.2 << "−4·10⁻³⁰² −2·10⁻³⁰² 0 2·10⁻³⁰² 4·10⁻³⁰²";
        QTest::newRow("years zoomed to the narrowest view")
            << 1969.99843743 << 1969.99843746 << 0.2
            << "1969.99843743 1969.99843744 1969.99843745 1969.99843746";
        QTest::newRow("a million and a half: plain digits, not counted zeros")
            << 1000000.0 << 1000002.0 << 0.2 << "1000000.0 1000000.5 1000001.0 1000001.5 1000002.0";
        QTest::newRow("millions: powers of ten") << 0.0 << 3e6 << 0.3 << "0 1·10⁶ 2·10⁶ 3·10⁶";
        QTest::newRow("below 1e-4: powers of ten")
            << -3e-5 << 3e-5 << 0.15 << "−3·10⁻⁵ −2·10⁻⁵ −1·10⁻⁵ 0 1·10⁻⁵ 2·10⁻⁵ 3·10⁻⁵";
        QTest::newRow("tenths of years, as written") << -0.25 << 0.25 << 0.3 << "−0.2 0 0.2";
    }
    void ticksForAnyRange()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, share);
        QFETCH(QString, labels);
        QStringList written;
        for (const Tick& tick : TicksBetween(low, high, StepFor(low, high, share), 200)) {
            QVERIFY2(tick.value >= low && tick.value <= high, qPrintable(tick.label));
            written << tick.label;
        }
        QCOMPARE(written.join(u' '), labels.simplified());
    }

    // Beside each label's text, a minus sign's width of nothing but the background, or the
    // curve passing: no tick, axis, grid line or mark runs into it; and no label stands under a
    // mark, the notes or another label.
    void labelsStandClear_data()
    {
        QTest::addColumn<QString>("graph");
        for (const QString& name : cases().keys())
            QTest::newRow(qPrintable(name)) << name;
    }
    void labelsStandClear()
    {
        QFETCH(QString, graph);
        GraphView& view = graphOf(graph, false);
        if (graph == "1e308")
            QTest::keyClick(&view, Qt::Key_A);
        const QImage image = view.Image().convertToFormat(QImage::Format_RGB32);
        const QFontMetricsF metrics(view.font());
        const std::vector<AxisLabel>& labels = view.Labels();
        QVERIFY(!labels.empty());
        std::vector<QRect> texts;
        for (const AxisLabel& label : labels) {
            const QRect around = aroundTextOf(label, metrics);
            const QRect text = QRectF(label.baseline.x(), around.top(),
                                      metrics.horizontalAdvance(label.text), around.height())
                                   .toAlignedRect();
            for (int y = around.top(); y <= around.bottom(); ++y)
                for (int x = around.left(); x <= around.right(); ++x)
                    if (x < text.left() || x > text.right())
                        QVERIFY2(backgroundOrCurve(image.pixelColor(x, y), view.palette()),
                                 qPrintable(QStringLiteral("beside \"%1\" at (%2, %3)")
                                                .arg(label.text)
                                                .arg(x)
                                                .arg(y)));
            QVERIFY2(!around.intersects(view.NotesArea().toAlignedRect()), qPrintable(label.text));
            for (const QRect& other : texts)
                QVERIFY2(!around.intersects(other), qPrintable(label.text));
            texts.push_back(around);
        }
        // Every mark's centre, as the view places it, lies outside every label.
        const GraphView::View& shown = view.CurrentView();
        const QRect plot = view.PlotArea();
        const std::shared_ptr<const ComputeRecord> record = HauptFenster::instance().LastCompute();
        for (const auto& [x, y] : record->curve.points) {
            const QPointF at(
                (x / 2 - shown.xMin / 2) / (shown.xMax / 2 - shown.xMin / 2) * plot.width(),
                (shown.yMax / 2 - y / 2) / (shown.yMax / 2 - shown.yMin / 2) * plot.height());
            if (!QRectF(plot).contains(at))
                continue; // far out of view, beyond any label and any int
            for (const QRect& text : texts)
                QVERIFY2(!text.adjusted(-3, -3, 3, 3).contains(at.toPoint()),
                         qPrintable(QStringLiteral("mark (%1, %2)").arg(x).arg(y)));
        }
    }

    // A stale graph says so in a frame that stands out at least 3:1 from the plot, in light
    // and dark palettes alike.
    void staleCueStandsOut_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light palette") << false;
        QTest::newRow("dark palette") << true;
    }
    void staleCueStandsOut()
    {
        QFETCH(bool, dark);
        GraphView& view = graphOf(QStringLiteral("stale with a note"), dark);
        QVERIFY(view.IsDimmed());
        QCOMPARE(view.Notes(), QStringList{"Veraltet"});
        const QImage image = view.Image();
        const QRect box = view.NotesArea().toAlignedRect();
        const QColor base = view.palette().color(QPalette::Base);
        // The frame, half way along its top edge, against the plot just above it.
        const QColor frame = image.pixelColor(box.center().x(), box.top() + 1);
        QCOMPARE(image.pixelColor(box.center().x(), box.top() - 2), base);
        const auto luminance = [](const QColor& colour) {
            const auto linear = [](double c) {
                return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                   0.0722 * linear(colour.blueF());
        };
        const double a = luminance(frame);
        const double b = luminance(base);
        const double ratio = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
        qInfo("stale frame %s on %s: %.2f:1", qPrintable(frame.name()), qPrintable(base.name()),
              ratio);
        QVERIFY(ratio >= 3);
    }

    // Read as a person at the back of the room reads them: each label's text with a minus
    // sign's width around it, enlarged, through OCR. No label is read with a minus it does not
    // have, and every negative one with its minus.
    void labelsReadBackByOcr_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<bool>("dark");
        for (const char* name : {"years", "decades", "anomalies", "1e300"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, light").arg(name))) << name << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, dark").arg(name))) << name << true;
        }
    }
    void labelsReadBackByOcr()
    {
        QFETCH(QString, graph);
        QFETCH(bool, dark);
        const QString tesseract = QStandardPaths::findExecutable(QStringLiteral("tesseract"));
        if (tesseract.isEmpty())
            QSKIP("tesseract is not installed (scripts/setup.sh installs it)");
        GraphView& view = graphOf(graph, dark);
        const QImage image = view.Image();
        const QFontMetricsF metrics(view.font());
        const std::vector<AxisLabel> labels = view.Labels();
        QVERIFY(labels.size() >= 6);

        QTemporaryDir folder;
        QStringList files;
        for (const AxisLabel& label : labels) {
            const QRect around = aroundTextOf(label, metrics);
            // Dark text on white, as OCR expects, whatever the palette.
            QImage crop = image.copy(around).convertToFormat(QImage::Format_Grayscale8);
            if (dark)
                crop.invertPixels();
            const uchar background = lightest(crop);
            for (int y = 0; y < crop.height(); ++y) {
                uchar* line = crop.scanLine(y);
                for (int x = 0; x < crop.width(); ++x)
                    line[x] = uchar(std::min(255, line[x] * 255 / std::max(1, int(background))));
            }
            QImage page(crop.size() * 4 + QSize(80, 80), QImage::Format_Grayscale8);
            page.fill(Qt::white);
            QPainter painter(&page);
            painter.drawImage(QPoint(40, 40), crop.scaled(crop.size() * 4, Qt::IgnoreAspectRatio,
                                                          Qt::SmoothTransformation));
            painter.end();
            files << folder.filePath(QStringLiteral("%1.png").arg(files.size()));
            page.save(files.back());
        }
        QFile list(folder.filePath(QStringLiteral("labels.txt")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(files.join(u'\n').toUtf8() + '\n');
        list.close();
        QProcess ocr;
        ocr.start(tesseract, {list.fileName(), QStringLiteral("stdout"), QStringLiteral("--psm"),
                              QStringLiteral("7"), QStringLiteral("-l"), QStringLiteral("eng")});
        QVERIFY(ocr.waitForFinished(120000));
        const QStringList read = QString::fromUtf8(ocr.readAllStandardOutput()).split(u'\f');
        QVERIFY2(read.size() >= int(labels.size()), qPrintable(read.join(u'|')));
        for (size_t i = 0; i < labels.size(); ++i) {
            const QString seen = read[qsizetype(i)].simplified();
            // Whatever OCR makes of a dash: hyphen, en dash, em dash, minus, tilde.
            const bool minusRead = QRegularExpression(QStringLiteral("^[-\u2010-\u2015\u2212~_=]"))
                                       .match(seen)
                                       .hasMatch();
            qInfo("%s read as %s", qPrintable(labels[i].text), qPrintable(seen));
            QVERIFY2(minusRead == (labels[i].value < 0),
                     qPrintable(QStringLiteral("\"%1\" read as \"%2\"").arg(labels[i].text, seen)));
        }
    }
};

QTEST_MAIN(GraphLabelsTest)
#include "test_graph_labels.moc"
