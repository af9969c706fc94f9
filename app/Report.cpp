// The report: the compute's record written as one document (QTextDocument, for its tables that
// wrap and size themselves), and the graph drawn below it by a graph window of its own.

#include "app/Report.h"

#include "app/Documents.h"
#include "app/GraphF.h"
#include "calc/ComputeRecord.h"
#include "framework/FileWrite.h"
#include "framework/GraphView.h"
#include "framework/NumberFit.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QStyle>
#include <QTextDocument>

namespace {

// The report is laid out in units of 1/96 inch, a pixel of a common screen, and scaled to the
// device. Fonts are sized in these units, so that no screen's DPI enters the page.
constexpr double kUnitsPerInch = 96;
constexpr int kTextSize = 12;
constexpr int kTitleSize = 20;
// The graph keeps at least this share of the page's height; the text shrinks to leave it.
constexpr double kLeastGraphShare = 0.3;
// Neither higher than this share of the width.
constexpr double kGraphAspect = 0.75;

const QString kNothingYet =
    QStringLiteral("Noch nichts berechnet: Stützstellen eingeben und »Berechnen« drücken.");
const QString kStale =
    QStringLiteral("Veraltet: Die Eingaben wurden seit der Berechnung geändert. Der Bericht "
                   "zeigt die letzte Berechnung.");
const QString kNoExactValues = QStringLiteral(
    "Ohne exakten Bezug: Eine Stützstelle ist unendlich oder keine Zahl, liegt außerhalb des "
    "Zahlbereichs oder hat mehr als tausend Ziffern. Die Ergebnisse wurden nicht geprüft.");

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Numbers are never broken across lines; a remark beside them wraps.
QString tableRow(const QStringList& numbers, const std::optional<QString>& remark = {})
{
    QString row = QStringLiteral("<tr>");
    for (const QString& number : numbers)
        row += QStringLiteral("<td class=\"number\">%1</td>").arg(number);
    if (remark)
        row += QStringLiteral("<td>%1</td>").arg(*remark);
    return row + QStringLiteral("</tr>");
}

struct Column
{
    QString heading;
    int width; // in percent of the table's
};

QString table(const std::vector<Column>& columns, const QStringList& rows)
{
    QString header = QStringLiteral("<tr>");
    for (const Column& column : columns)
        header += QStringLiteral("<th width=\"%1%\">%2</th>").arg(column.width).arg(column.heading);
    return QStringLiteral("<table class=\"results\" width=\"100%\">") + header +
           QStringLiteral("</tr>") + rows.join(QString()) + QStringLiteral("</table>");
}

QString heading(const QString& text)
{
    return QStringLiteral("<p class=\"heading\">%1</p>").arg(escaped(text));
}

// Room for every digit of a double: a page has no narrow fields.
constexpr int kRoomForEveryDigit = 1 << 20;

// A result as its field paints it given room for every digit: only the digits that are right
// for its exact value. A marked result, and one without an exact value, as computed.
QString rightDigits(const RecordedResult& result)
{
    const QString computed = Str(result.computed);
    if (result.marked || !result.reference)
        return computed;
    return FitNumber(computed, QFontMetricsF(QFont()), kRoomForEveryDigit,
                     &result.reference->digits)
        .text;
}

// Marked with a warning sign where not even its first digit is right.
QString shown(const RecordedResult& result)
{
    return escaped((result.marked ? QStringLiteral("⚠ ") : QString()) + rightDigits(result));
}

// What the report says beside a result: the whole computed number where fewer digits are
// shown, its mark, then its exact value, then its notes.
QString remarks(const RecordedResult& result, bool anyExact)
{
    QStringList said;
    if (const QString computed = Str(result.computed); rightDigits(result) != computed)
        said << QStringLiteral("Berechnet: ") + computed;
    if (result.marked) {
        const QString why = result.reference ? result.reference->markedFor : QString();
        said << (why.isEmpty() ? QStringLiteral("Ungenau.") : why);
        if (result.reference)
            said << QStringLiteral("Exakt: ") + result.reference->exactText;
    }
    if (result.reference)
        said << result.reference->notes;
    else if (anyExact)
        said << QStringLiteral("Kein exakter Wert.");
    for (QString& line : said)
        line = escaped(line);
    return said.join(QStringLiteral("<br>"));
}

QString power(int k)
{
    return k == 1 ? QStringLiteral("x") : QStringLiteral("x<sup>%1</sup>").arg(k);
}

// "p(x) = -4900 + 2.5·x + x²", the coefficients as written, zero terms left out.
QString polynomial(const std::array<QString, 10>& coefficients)
{
    QString terms;
    for (int k = 0; k < 10; ++k) {
        QString coefficient = coefficients[size_t(k)];
        if (coefficient.isEmpty() || Val(coefficient) == 0.0)
            continue;
        const bool negative = coefficient.startsWith(u'-');
        if (!terms.isEmpty()) {
            terms += negative ? QStringLiteral(" - ") : QStringLiteral(" + ");
            if (negative)
                coefficient.remove(0, 1);
        }
        if (k == 0)
            terms += escaped(coefficient);
        else if (coefficient == QLatin1String("1"))
            terms += power(k);
        else if (coefficient == QLatin1String("-1"))
            terms += u'-' + power(k);
        else
            terms += escaped(coefficient) + QStringLiteral("·") + power(k);
    }
    return QStringLiteral("p(x) = ") + (terms.isEmpty() ? QStringLiteral("0") : terms);
}

QString pointsPart(const ComputeRecord& record)
{
    QStringList rows;
    for (int k = 0; k < record.PointsInUse(); ++k)
        rows << tableRow({QString::number(k + 1), escaped(Str(record.xwert[size_t(k)])),
                          escaped(Str(record.ywert[size_t(k)]))});
    return heading(QStringLiteral("Stützstellen")) +
           table(
               {{QStringLiteral("Nr."), 14}, {QStringLiteral("x"), 43}, {QStringLiteral("y"), 43}},
               rows);
}

QString valuesPart(const ComputeRecord& record, bool anyExact)
{
    QStringList rows;
    for (int i = 0; i < 10; ++i) {
        if (!record.Evaluated(i))
            continue;
        const RecordedResult& value = record.values[size_t(i)];
        rows << tableRow({escaped(Str(record.Argument(i))), shown(value)},
                         remarks(value, anyExact));
    }
    return heading(QStringLiteral("Funktionswerte des Interpolationspolynoms")) +
           table({{QStringLiteral("x"), 30},
                  {QStringLiteral("p(x)"), 35},
                  {QStringLiteral("Hinweis"), 35}},
                 rows);
}

QString coefficientsPart(const ComputeRecord& record, bool anyExact)
{
    QStringList rows;
    std::array<QString, 10> shownCoefficients;
    std::array<QString, 10> exactCoefficients;
    bool exactWhole = true;
    for (int k = 0; k < 10; ++k) {
        const RecordedResult& coefficient = record.coefficients[size_t(k)];
        if (!record.Hidden(k)) {
            rows << tableRow({QStringLiteral("x<sup>%1</sup>").arg(k), shown(coefficient)},
                             remarks(coefficient, anyExact));
            shownCoefficients[size_t(k)] = rightDigits(coefficient);
        }
        if (coefficient.reference)
            exactCoefficients[size_t(k)] = coefficient.reference->exactText;
        else
            exactWhole = false;
    }
    QString part = heading(QStringLiteral("Koeffizienten des Interpolationspolynoms")) +
                   table({{QStringLiteral("Potenz"), 9},
                          {QStringLiteral("Koeffizient"), 30},
                          {QStringLiteral("Hinweis"), 61}},
                         rows) +
                   heading(QStringLiteral("Polynom")) +
                   QStringLiteral("<p>%1</p>").arg(polynomial(shownCoefficients));
    // Where a shown coefficient is off, or a hidden power is not 0, the exact one differs.
    const QString exact = polynomial(exactCoefficients);
    if (exactWhole && exact != polynomial(shownCoefficients))
        part += QStringLiteral("<p>Exakt: %1</p>").arg(exact);
    return part;
}

// Points and values side by side where they fit the width, each having at most ten rows;
// else one below the other. The heading names the open file, so that a printed page can be
// traced back to it.
QString reportHtml(const ComputeRecord* record, bool stale, bool sideBySide, const QString& file)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QString of = file.isEmpty() ? QString() : QStringLiteral(" zu „%1“").arg(escaped(file));
    QString html =
        QStringLiteral("<p class=\"title\">Interpolationspolynom</p><p>Kurvalo, Bericht%1 vom "
                       "%2 Uhr</p>")
            .arg(of,
                 german.toString(QDateTime::currentDateTime(), QStringLiteral("d.M.yyyy, H:mm")));
    if (!record)
        return html + QStringLiteral("<p><b>%1</b></p>").arg(escaped(kNothingYet));
    if (stale)
        html += QStringLiteral("<p><b>%1</b></p>").arg(escaped(kStale));
    const bool anyExact = record->exact.polynomial != nullptr;
    if (!anyExact)
        html += QStringLiteral("<p>%1</p>").arg(escaped(kNoExactValues));
    if (sideBySide)
        html += QStringLiteral("<table width=\"100%\"><tr><td width=\"38%\">") +
                pointsPart(*record) + QStringLiteral("</td><td>") + valuesPart(*record, anyExact) +
                QStringLiteral("</td></tr></table>");
    else
        html += pointsPart(*record) + valuesPart(*record, anyExact);
    return html + coefficientsPart(*record, anyExact) + heading(QStringLiteral("Graph"));
}

QFont reportFont(int pixels)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "ffi" as one glyph would reach a reader copying or searching the PDF as
    // one ligature character, and "Koeffizient" would not be found.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// A graph window of its own, never on screen, in its first view and in colours for paper: the
// graph is drawn there exactly as the graph window draws it.
void paintGraph(QPainter& painter, const QRectF& area)
{
    GraphF graph;
    graph.setAttribute(Qt::WA_DontShowOnScreen);
    graph.setPalette(QApplication::style()->standardPalette());
    graph.setFont(reportFont(kTextSize));
    graph.Construct();
    auto& view = static_cast<GraphView&>(graph.Control(QStringLiteral("GraphView")));
    view.resize(area.size().toSize());
    painter.save();
    painter.translate(area.topLeft());
    view.Render(painter);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(QPointF(0, 0), QSizeF(view.PlotArea().size())));
    painter.restore();
}

} // namespace

QPageLayout ReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

void PaintReport(QPainter& painter, const QRectF& area)
{
    const HauptFenster& window = HauptFenster::instance();
    const std::shared_ptr<const ComputeRecord> record = window.LastCompute();
    const QString file = QFileInfo(Documents::Of(window).FilePath()).fileName();

    QTextDocument document;
    document.setUseDesignMetrics(true);
    document.setDocumentMargin(0);
    document.setDefaultFont(reportFont(kTextSize));
    document.setDefaultStyleSheet(
        QStringLiteral("p.title { font-size: %1px; font-weight: bold; margin-bottom: 2px; }"
                       "p.heading { font-weight: bold; margin-top: 10px; margin-bottom: 3px; }"
                       "table.results { border-collapse: collapse; border-color: #808080; }"
                       "table.results td, table.results th { border: 0.5px solid #808080; "
                       "padding: 1px 4px; }"
                       "table.results th { text-align: left; }"
                       "td.number { white-space: nowrap; }")
            .arg(kTitleSize));

    const double scale = painter.device()->logicalDpiX() / kUnitsPerInch;
    const QSizeF page = area.size() / scale;
    // The text is laid out as wide as the page holds it once shrunk by textScale.
    double textScale = 1.0;
    const auto layOut = [&](double shrunk) {
        textScale = shrunk;
        document.setTextWidth(page.width() / shrunk);
    };
    const auto tooWide = [&] { return document.size().width() > page.width() / textScale; };
    document.setHtml(reportHtml(record.get(), window.ResultsStale(), true, file));
    layOut(1.0);
    if (tooWide()) {
        document.setHtml(reportHtml(record.get(), window.ResultsStale(), false, file));
        layOut(1.0);
    }
    if (tooWide())
        layOut(page.width() / document.size().width());
    const double textRoom = page.height() * (record ? 1 - kLeastGraphShare : 1.0);
    // Laid out wider once it shrinks, the text runs no longer than before.
    if (document.size().height() * textScale > textRoom)
        layOut(textRoom / document.size().height());

    painter.save();
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.save();
    painter.scale(textScale, textScale);
    document.drawContents(&painter);
    painter.restore();
    if (record) {
        const double top = document.size().height() * textScale;
        const double height = std::min(page.height() - top, page.width() * kGraphAspect);
        paintGraph(painter, QRectF(0, top, page.width(), height));
    }
    painter.restore();
}

std::optional<QString> WriteReportPdf(const QString& path, const QPageLayout& layout)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setTitle(QStringLiteral("Bericht: Interpolationspolynom"));
        writer.setCreator(QStringLiteral("Kurvalo"));
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("Das PDF-Dokument konnte nicht angelegt werden.");
        PaintReport(
            painter,
            QRectF(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size()));
    }
    return WriteWhole(path, bytes);
}
