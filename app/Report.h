#pragma once
// The one-page report of the last compute, in German: the points, every value and coefficient
// with its marks and, where marked, the exact value, the polynomial and the graph. Built from
// the compute's record only when asked for.

#include <QPageLayout>
#include <QString>
#include <optional>

class QPainter;
class QRectF;

// The page a report is written on when nobody chose one: A4 upright, margins of 15 mm.
QPageLayout ReportPageLayout();

// Paints the report into `area`, in the painter's device coordinates. The text shrinks where
// it would leave the graph too little room, so that everything stays on the one page.
void PaintReport(QPainter& painter, const QRectF& area);

// Writes the report as a PDF file of one page. Nothing on success, else the reason.
std::optional<QString> WriteReportPdf(const QString& path,
                                      const QPageLayout& layout = ReportPageLayout());
