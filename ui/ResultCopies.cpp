// The Edit menu's copies of the last compute.

#include "ui/ResultCopies.h"

#include "calc/ComputeRecord.h"
#include "framework/Announcer.h"
#include "framework/Menu.h"
#include "framework/MsgBox.h"
#include "ui/HauptFenster.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPointer>

namespace {

void noExactCoefficients()
{
    MsgBox(QStringLiteral("Das Polynom hat keine exakten Koeffizienten: Eine Stützstelle ist "
                          "unendlich oder keine Zahl, liegt außerhalb des Zahlbereichs oder hat "
                          "mehr als tausend Ziffern, oder ein Koeffizient ist nicht endlich. "
                          "Nichts wurde kopiert."));
}

} // namespace

void InstallResultCopies(HauptFenster& window)
{
    const QPointer<HauptFenster> target(&window);
    const auto computed = [target] { return target && target->LastCompute() != nullptr; };
    const auto install = [&](const char* name, const QString& description,
                             std::function<void(const ComputeRecord&)> copy) {
        if (MenuItem* item = window.GetMenuBar().Child(QString::fromLatin1(name))) {
            item->SetDescription(description);
            item->SetHandler([target, copy] { copy(*target->LastCompute()); }, computed);
            item->SetWhyNot(QStringLiteral("Noch nichts berechnet: Zu kopieren gibt es erst "
                                           "etwas nach »Berechnen«."));
        }
    };

    // The desktop's number locale: the one its spreadsheets read numbers in.
    install("EditErgebnisseKopieren",
            QStringLiteral("Kopiert Stützstellen, Funktionswerte und Koeffizienten mit ihren "
                           "exakten Werten als Tabelle"),
            [target](const ComputeRecord& record) {
                const bool stale = target->ResultsStale();
                auto* copied = new QMimeData;
                copied->setText(ResultsAsDelimitedText(record, u'\t', QLocale(), stale));
                copied->setHtml(ResultsAsHtml(record, QLocale(), stale));
                QApplication::clipboard()->setMimeData(copied);
                Announce(*target, stale ? QStringLiteral("Veraltete Ergebnisse kopiert")
                                        : QStringLiteral("Ergebnisse kopiert"));
            });
    install("EditPolynomKopieren",
            QStringLiteral("Kopiert das Polynom mit seinen exakten Koeffizienten als eine Zeile"),
            [target](const ComputeRecord& record) {
                const std::optional<QString> line = PolynomialLine(record);
                if (!line)
                    return noExactCoefficients();
                QApplication::clipboard()->setText(*line);
                Announce(*target, QStringLiteral("Polynom kopiert"));
            });
    install("EditPolynomFormelKopieren",
            QStringLiteral("Kopiert das Polynom als Formel für eine Tabellenkalkulation, mit x in "
                           "der Zelle A1"),
            [target](const ComputeRecord& record) {
                const std::optional<QString> formula = PolynomialFormula(record, QLocale());
                if (!formula)
                    return noExactCoefficients();
                QApplication::clipboard()->setText(*formula);
                Announce(*target, QStringLiteral("Polynom als Tabellenformel kopiert"));
            });
}
