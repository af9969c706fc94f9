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
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>

namespace {

constexpr const char* kTitle = "Rechenweg";
constexpr WindowSettings kWindow{kTitle, 760, 640, true, true, true};

constexpr const char* kNothingYet =
    "Noch nichts berechnet: Stützstellen eingeben und »Berechnen« drücken";
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
    if (!isVisible() && view->document()->characterCount() > 1) {
        behind = true;
        return;
    }
    behind = false;
    const HauptFenster& main = HauptFenster::instance();
    const std::shared_ptr<const ComputeRecord> last = main.LastCompute();
    const bool nowStale = last && main.ResultsStale();
    if (last && last == record && nowStale == stale)
        return;
    if (last != record) {
        record = last;
        solution = last ? std::make_shared<const WorkedSolution>(WorkOut(*last)) : nullptr;
    }
    stale = nowStale;
    const int scrolled = view->verticalScrollBar()->value();
    view->ShowDocument(solution ? WorkedSolutionDocument(*solution, stale)
                                : NoteDocument(QString::fromUtf8(kNothingYet)));
    // Turning stale keeps the place a reader was at; a new compute starts at the top.
    if (record == last && stale)
        view->verticalScrollBar()->setValue(scrolled);
    // Dimmed while stale, as the result fields are.
    QPalette palette = QApplication::palette(view);
    if (stale) {
        const QColor text = palette.color(QPalette::Text);
        const QColor base = palette.color(QPalette::Base);
        palette.setColor(QPalette::Text,
                         QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                                (text.blue() + base.blue()) / 2));
    }
    view->setPalette(palette);
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
