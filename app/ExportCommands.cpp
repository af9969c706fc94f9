#include "app/ExportCommands.h"

#include "app/ExportFile.h"
#include "app/Report.h"
#include "framework/Announcer.h"
#include "framework/Menu.h"
#include "framework/MsgBox.h"
#include "ui/HauptFenster.h"
#include "ui/ResultsCsv.h"

#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace {

const QString kPrintTitle = QStringLiteral("Drucken");

void printReport(HauptFenster& window)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(QStringLiteral("Kurvalo – Bericht"));
    QPrintDialog dialog(&printer, &window);
    dialog.setWindowTitle(kPrintTitle);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Printed to a file, the report is the same PDF that the export writes, whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const QPageLayout layout = printer.pageLayout();
        ExportTo(window, kPrintTitle, printer.outputFileName(),
                 [&layout](const QString& path) { return WriteReportPdf(path, layout); });
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        MsgBox(QStringLiteral("Der Drucker „%1“ hat den Bericht nicht angenommen.")
                   .arg(printer.printerName()),
               kOkOnly, kPrintTitle, &window);
        return;
    }
    PaintReport(painter, QRectF(QPointF(0, 0),
                                printer.pageLayout().paintRectPixels(printer.resolution()).size()));
    if (!painter.end()) {
        MsgBox(QStringLiteral("Der Bericht konnte nicht an den Drucker „%1“ gesandt werden.")
                   .arg(printer.printerName()),
               kOkOnly, kPrintTitle, &window);
        return;
    }
    Announce(window, QStringLiteral("Gedruckt auf %1").arg(printer.printerName()));
}

} // namespace

void InstallExportCommands(HauptFenster& window)
{
    const QPointer<HauptFenster> target(&window);
    const auto computed = [target] { return target && target->LastCompute() != nullptr; };
    MenuBar& bar = window.GetMenuBar();
    const auto install = [&bar](const char* name, const QString& description,
                                std::function<void()> handler, std::function<bool()> canAct) {
        if (MenuItem* item = bar.Child(QString::fromLatin1(name))) {
            item->SetDescription(description);
            item->SetHandler(std::move(handler), std::move(canAct));
        }
    };

    if (MenuItem* submenu = bar.Child(QStringLiteral("FileExportieren")))
        submenu->SetDescription(
            QStringLiteral("Schreibt die Ergebnisse als Tabelle oder als Bericht in eine Datei"));
    install(
        "FileExportierenCSV",
        QStringLiteral("Schreibt Stützstellen, Funktionswerte und Koeffizienten mit ihren exakten "
                       "Werten als Tabelle für eine Tabellenkalkulation in eine CSV-Datei"),
        [target] {
            ExportWithDialog(
                *target,
                {QStringLiteral("Ergebnisse als CSV"),
                 QStringLiteral("Ergebnisse.csv"),
                 {QStringLiteral("CSV-Tabelle (*.csv)")}},
                [target](const QString& path) { return WriteResultsCsv(*target, path); });
        },
        computed);
    install(
        "FileExportierenPDF",
        QStringLiteral("Schreibt einen Bericht von einer Seite mit Stützstellen, Ergebnissen, "
                       "Polynom und Graph in eine PDF-Datei"),
        [target] {
            ExportWithDialog(*target,
                             {QStringLiteral("Bericht als PDF"),
                              QStringLiteral("Bericht.pdf"),
                              {QStringLiteral("PDF-Dokument (*.pdf)")}},
                             [](const QString& path) { return WriteReportPdf(path); });
        },
        [target] { return bool(target); });
    install(
        "FileDrucken",
        QStringLiteral("Druckt einen Bericht von einer Seite mit Stützstellen, Ergebnissen, "
                       "Polynom und Graph"),
        [target] { printReport(*target); }, [target] { return bool(target); });
}
