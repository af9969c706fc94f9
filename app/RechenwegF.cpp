// The window "Rechenweg": one rich text view of the worked solution, which follows the main
// window's results while it is shown.

#include "app/RechenwegF.h"

#include "app/WorkedCopies.h"
#include "app/WorkedScreen.h"
#include "calc/ComputeRecord.h"
#include "calc/WorkedSolution.h"
#include "framework/Announcer.h"
#include "framework/RichTextView.h"
#include "ui/HauptFenster.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFutureWatcher>
#include <QMenu>
#include <QPromise>
#include <QScrollBar>
#include <QShortcut>
#include <QThreadPool>

namespace {

constexpr const char* kTitle = "Rechenweg";
constexpr WindowSettings kWindow{kTitle, 760, 640, true, true, true};

constexpr const char* kNothingYet =
    "Noch nichts berechnet: Stützstellen eingeben und »Berechnen« drücken";
constexpr const char* kWorking =
    "Der Rechenweg wird ausgerechnet: Die Stützpunkte haben sehr viele Ziffern.";
constexpr const char* kDescription =
    "Der Rechenweg der letzten Berechnung in exakten Brüchen: Stützpunkte, Lagrange, Newton, "
    "Normalform und Werte. Strg+Umschalt+C kopiert ihn als Text, Strg+Umschalt+L als LaTeX.";

} // namespace

void RechenwegF::Open()
{
    RechenwegF& window = instance();
    window.setVisible(true);
    window.raise();
    window.activateWindow();
}

void RechenwegF::Layout()
{
    ApplySettings(kWindow);
    // The close button hides the window, as Escape does.
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void RechenwegF::CreateControls()
{
    view = new RichTextView(this);
    view->setObjectName(QStringLiteral("RechenwegText"));
    SetContent(view);
    const auto command = [this](const QString& text, const QKeySequence& key, bool asLatex) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, asLatex] { Copy(asLatex); });
        addAction(action);
        return action;
    };
    copyText = command(QStringLiteral("Als Text kopieren"),
                       QKeySequence(QStringLiteral("Ctrl+Shift+C")), false);
    copyLatex = command(QStringLiteral("Als LaTeX kopieren"),
                        QKeySequence(QStringLiteral("Ctrl+Shift+L")), true);
    // The view's own commands (Kopieren, Alles auswählen) and the two copies of the whole.
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = view->createStandardContextMenu(at);
        menu->addSeparator();
        menu->addAction(copyText);
        menu->addAction(copyLatex);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(view->viewport()->mapToGlobal(at));
    });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::hide);
    Describe("RechenwegText", kTitle, QString::fromUtf8(kDescription));
    connect(&HauptFenster::instance(), &HauptFenster::ResultsChanged, this,
            &RechenwegF::ShowResults);
    ShowResults();
    view->setFocus();
}

void RechenwegF::showEvent(QShowEvent* event)
{
    Window::showEvent(event);
    if (behind)
        ShowResults();
}

void RechenwegF::ShowResults()
{
    // Laid out at the view's own width, once it has one.
    if (!isVisible()) {
        behind = true;
        return;
    }
    behind = false;
    const HauptFenster& main = HauptFenster::instance();
    const std::shared_ptr<const ComputeRecord> last = main.LastCompute();
    const bool nowStale = last && main.ResultsStale();
    if (last == record && nowStale == stale && view->document()->characterCount() > 1)
        return;
    stale = nowStale;
    if (last != record) {
        record = last;
        solution = nullptr;
        working = last && !WorkOutIsQuick(*last);
        if (working) {
            // Points of a thousand digits: worked out on another thread, the window free
            // meanwhile. A result that comes for an earlier record is dropped.
            auto promise = std::make_shared<QPromise<std::shared_ptr<const WorkedSolution>>>();
            auto* watcher = new QFutureWatcher<std::shared_ptr<const WorkedSolution>>(this);
            connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, from = last] {
                WorkedOut(from, watcher->result());
                watcher->deleteLater();
            });
            watcher->setFuture(promise->future());
            QThreadPool::globalInstance()->start([promise, from = last] {
                promise->start();
                promise->addResult(std::make_shared<const WorkedSolution>(WorkOut(*from)));
                promise->finish();
            });
        } else if (last) {
            solution = std::make_shared<const WorkedSolution>(WorkOut(*last));
        }
    }
    Present();
}

void RechenwegF::WorkedOut(std::shared_ptr<const ComputeRecord> from,
                           std::shared_ptr<const WorkedSolution> result)
{
    if (from != record)
        return;
    working = false;
    solution = std::move(result);
    stale = HauptFenster::instance().ResultsStale();
    Present();
}

void RechenwegF::Present()
{
    // Dimmed while stale, as the result fields are; set before the document, whose layout a
    // change of palette would run again.
    QPalette palette = QApplication::palette(view);
    if (stale) {
        const QColor text = palette.color(QPalette::Text);
        const QColor base = palette.color(QPalette::Base);
        palette.setColor(QPalette::Text,
                         QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                                (text.blue() + base.blue()) / 2));
    }
    if (palette != view->palette())
        view->setPalette(palette);
    const int scrolled = view->verticalScrollBar()->value();
    const bool sameSolution = presented == solution.get();
    if (solution)
        view->ShowDocument(WorkedSolutionDocument(*solution, stale));
    else
        view->ShowDocument(NoteDocument(QString::fromUtf8(working ? kWorking : kNothingYet)));
    presented = solution.get();
    // Turning stale keeps the place a reader was at; a new solution starts at the top.
    if (sameSolution)
        view->verticalScrollBar()->setValue(scrolled);
    copyText->setEnabled(bool(solution));
    copyLatex->setEnabled(bool(solution));
}

void RechenwegF::Copy(bool asLatex)
{
    if (!solution)
        return;
    QApplication::clipboard()->setText(asLatex ? WorkedSolutionLatex(*solution)
                                               : WorkedSolutionText(*solution));
    Announce(*this, asLatex ? QStringLiteral("Rechenweg als LaTeX kopiert")
                            : QStringLiteral("Rechenweg als Text kopiert"));
}
