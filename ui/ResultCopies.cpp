#include "ui/ResultCopies.h"

#include "calc/ComputeRecord.h"
#include "framework/Announcer.h"
#include "framework/Menu.h"
#include "framework/MsgBox.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPointer>
#include <cmath>

namespace {

struct Section
{
    QString title;
    QStringList header;
    QList<QStringList> rows;
};

// The computed text, the exact value and what the compute judged of it beside its digits.
QStringList judged(const RecordedResult& result, const QStringList& beside = {})
{
    QStringList notes;
    if (result.marked)
        notes << QStringLiteral("ungenau");
    notes << beside;
    if (!result.reference)
        notes << QStringLiteral("kein exakter Wert");
    return {Str(result.computed), result.reference ? result.reference->exactText : QString(),
            notes.join(QStringLiteral(", "))};
}

QList<Section> resultSheet(const HauptFenster& window)
{
    QList<Section> sheet;
    const std::shared_ptr<const ComputeRecord> record = window.LastCompute();
    if (!record)
        return sheet;

    Section support{QStringLiteral("Stützstellen"), {QStringLiteral("x"), QStringLiteral("y")}, {}};
    for (int k = 0; k < record->PointsInUse(); ++k)
        support.rows << QStringList{Str(record->xwert[size_t(k)]), Str(record->ywert[size_t(k)])};

    Section values{QStringLiteral("Funktionswerte"),
                   {QStringLiteral("Argument"), QStringLiteral("Wert, berechnet"),
                    QStringLiteral("Wert, exakt"), QStringLiteral("Hinweis")},
                   {}};
    for (int i = 0; i < 10; ++i) {
        if (record->Evaluated(i))
            values.rows << QStringList{Str(record->Argument(i))} +
                               judged(record->values[size_t(i)]);
    }

    Section coefficients{QStringLiteral("Koeffizienten"),
                         {QStringLiteral("Potenz"), QStringLiteral("Koeffizient, berechnet"),
                          QStringLiteral("Koeffizient, exakt"), QStringLiteral("Hinweis")},
                         {}};
    for (int k = 0; k < 10; ++k) {
        coefficients.rows << QStringList{Str(std::int32_t(k))} +
                                 judged(record->coefficients[size_t(k)],
                                        record->Hidden(k)
                                            ? QStringList{QStringLiteral("ausgeblendet")}
                                            : QStringList{});
    }
    return {support, values, coefficients};
}

// Numbers as a German spreadsheet reads them.
QString decimalComma(const QString& cell)
{
    return QString(cell).replace(u'.', u',');
}

QString sheetAsText(const QList<Section>& sheet)
{
    QStringList lines;
    for (const Section& section : sheet) {
        if (!lines.isEmpty())
            lines << QString();
        lines << section.title << section.header.join(u'\t');
        for (const QStringList& row : section.rows) {
            QStringList cells;
            for (const QString& cell : row)
                cells << decimalComma(cell);
            lines << cells.join(u'\t');
        }
    }
    return lines.join(u'\n') + u'\n';
}

QString htmlRow(const QStringList& cells, const QString& tag)
{
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells)
        row += QStringLiteral("<%1>%2</%1>").arg(tag, decimalComma(cell).toHtmlEscaped());
    return row + QStringLiteral("</tr>\n");
}

QString sheetAsHtml(const QList<Section>& sheet)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n");
    for (const Section& section : sheet) {
        html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n") +
                QStringLiteral("<caption>%1</caption>\n").arg(section.title.toHtmlEscaped()) +
                htmlRow(section.header, QStringLiteral("th"));
        for (const QStringList& row : section.rows)
            html += htmlRow(row, QStringLiteral("td"));
        html += QStringLiteral("</table>\n");
    }
    return html + QStringLiteral("</body></html>\n");
}

// "2.5*x", "x^2", "-3e-09*x^3": `*` and `^` as formulas and calculators write them.
QString term(QString coefficient, int power)
{
    if (power == 0)
        return coefficient;
    const QString x = power == 1 ? QStringLiteral("x") : QStringLiteral("x^%1").arg(power);
    if (coefficient == QLatin1String("1"))
        return x;
    if (coefficient == QLatin1String("-1"))
        return u'-' + x;
    return coefficient + u'*' + x;
}

} // namespace

QString ResultsAsText(const HauptFenster& window)
{
    return sheetAsText(resultSheet(window));
}

QString ResultsAsHtml(const HauptFenster& window)
{
    return sheetAsHtml(resultSheet(window));
}

std::optional<QString> PolynomialLine(const HauptFenster& window)
{
    const std::shared_ptr<const ComputeRecord> record = window.LastCompute();
    if (!record)
        return std::nullopt;
    QString line;
    for (int k = 0; k < 10; ++k) {
        const auto& reference = record->coefficients[size_t(k)].reference;
        if (!reference || !std::isfinite(Val(reference->exactText)))
            return std::nullopt;
        const QString& coefficient = reference->exactText;
        if (Val(coefficient) == 0.0)
            continue;
        if (line.isEmpty())
            line = term(coefficient, k);
        else if (coefficient.startsWith(u'-'))
            line += QStringLiteral(" - ") + term(coefficient.mid(1), k);
        else
            line += QStringLiteral(" + ") + term(coefficient, k);
    }
    return QStringLiteral("p(x) = ") + (line.isEmpty() ? QStringLiteral("0") : line);
}

void InstallResultCopies(HauptFenster& window)
{
    const QPointer<HauptFenster> target(&window);
    const auto computed = [target] { return target && target->LastCompute() != nullptr; };
    const auto install = [&](const char* name, const QString& description,
                             std::function<void()> handler) {
        if (MenuItem* item = window.GetMenuBar().Child(QString::fromLatin1(name))) {
            item->SetDescription(description);
            item->SetHandler(std::move(handler), computed);
            item->SetWhyNot(QStringLiteral("Noch nichts berechnet: Zu kopieren gibt es erst "
                                           "etwas nach »Berechnen«."));
        }
    };

    install("EditErgebnisseKopieren",
            QStringLiteral("Kopiert Stützstellen, Funktionswerte und Koeffizienten mit ihren "
                           "exakten Werten als Tabelle"),
            [target] {
                auto* copied = new QMimeData;
                copied->setText(ResultsAsText(*target));
                copied->setHtml(ResultsAsHtml(*target));
                QApplication::clipboard()->setMimeData(copied);
                Announce(*target, QStringLiteral("Ergebnisse kopiert"));
            });
    install("EditPolynomKopieren",
            QStringLiteral("Kopiert das Polynom mit seinen exakten Koeffizienten als eine Zeile"),
            [target] {
                const std::optional<QString> line = PolynomialLine(*target);
                if (!line) {
                    MsgBox(QStringLiteral(
                        "Das Polynom hat keine exakten Koeffizienten: Eine Stützstelle ist "
                        "unendlich oder keine Zahl, liegt außerhalb des Zahlbereichs oder hat "
                        "mehr als tausend Ziffern, oder ein Koeffizient ist nicht endlich. "
                        "Nichts wurde kopiert."));
                    return;
                }
                QApplication::clipboard()->setText(*line);
                Announce(*target, QStringLiteral("Polynom kopiert"));
            });
}
