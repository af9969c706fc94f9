#include "app/GraphImage.h"

#include "app/ExportFile.h"
#include "framework/FileWrite.h"
#include "framework/GraphView.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

const QString kTitle = QStringLiteral("Als Bild speichern");
const QString kDrawingTitle = QStringLiteral("Graph des Interpolationspolynoms");

// Files are drawn at 96 dots an inch, so that one pixel on the screen is one pixel there.
constexpr int kPixelsPerInch = 96;

QByteArray png(GraphView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view.Image().save(&buffer, "PNG");
    return bytes;
}

QByteArray svg(GraphView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(view.PlotArea().size());
    generator.setViewBox(QRect(QPoint(0, 0), view.PlotArea().size()));
    generator.setResolution(kPixelsPerInch);
    generator.setTitle(kDrawingTitle);
    QPainter painter(&generator);
    view.Render(painter);
    painter.end();
    return bytes;
}

QByteArray pdf(GraphView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPixelsPerInch);
    writer.setTitle(kDrawingTitle);
    writer.setCreator(QStringLiteral("Kurvalo"));
    // One page of the drawing's own size, without margins.
    const QSizeF points = QSizeF(view.PlotArea().size()) * 72.0 / kPixelsPerInch;
    writer.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    view.Render(painter);
    painter.end();
    return bytes;
}

} // namespace

std::optional<QString> WriteGraphImage(GraphView& view, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    if (suffix == QLatin1String("png"))
        bytes = png(view);
    else if (suffix == QLatin1String("svg"))
        bytes = svg(view);
    else if (suffix == QLatin1String("pdf"))
        bytes = pdf(view);
    else
        return QStringLiteral("Der Name muss auf .png, .svg oder .pdf enden: Daran erkennt "
                              "Kurvalo, in welchem Format das Bild gespeichert wird.");
    if (bytes.isEmpty())
        return QStringLiteral("Das Bild konnte nicht erzeugt werden.");
    return WriteWhole(path, bytes);
}

void SaveGraphImage(GraphView& view)
{
    const ExportKind kind{kTitle,
                          QStringLiteral("Graph.png"),
                          {QStringLiteral("PNG-Bild (*.png)"), QStringLiteral("SVG-Grafik (*.svg)"),
                           QStringLiteral("PDF-Dokument (*.pdf)")}};
    ExportWithDialog(*view.window(), kind,
                     [&view](const QString& path) { return WriteGraphImage(view, path); });
}
