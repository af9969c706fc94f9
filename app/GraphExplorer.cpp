#include "app/GraphExplorer.h"

#include "app/GraphValueRow.h"
#include "app/GraphWords.h"
#include "calc/ComputeRecord.h"
#include "framework/Announcer.h"
#include "framework/EditLine.h"
#include "framework/FittedNumberField.h"
#include "framework/GraphCursor.h"
#include "framework/NumberText.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A view that moved is said once it has stood still this long: a run of key presses or wheel
// notches is said once, at its end.
constexpr int kViewSettles = 500; // milliseconds
constexpr int kShapeDigits = 6;

// A bound of the view for speech: five significant digits, written as the fields write them.
QString bound(double value)
{
    return Str(QString::number(value, 'g', 5).toDouble());
}

void pressOn(QWidget& widget, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
}

QLabel* line(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

GraphExplorer::GraphExplorer(GraphView& view, QMenu* viewMenu, QWidget* parent)
    : QWidget(parent)
    , view(view)
{
    setObjectName(QStringLiteral("GraphExplorer"));
    valueRow = new GraphValueRow(this);
    readout = line("GraphReadout", this);
    readout->setAccessibleDescription(QStringLiteral("Wo der Cursor auf der Kurve steht"));
    shapeLine = line("GraphVerlauf", this);
    shapeLine->hide();
    auto* column = new QVBoxLayout(this);
    const int gap = fontMetrics().height() / 3;
    column->setContentsMargins(gap * 2, gap, gap * 2, gap);
    column->setSpacing(gap);
    column->addWidget(readout);
    column->addWidget(valueRow);
    column->addWidget(shapeLine);

    cursor = new GraphCursor(
        view, [this](double x) { return record ? record->curve.polynomial.ValueAt(x) : 0.0; },
        [this](double x) { return record ? CursorReadout(*record, x) : QString(); });
    connect(cursor, &GraphCursor::Said, this, &GraphExplorer::say);
    connect(valueRow, &GraphValueRow::Said, this, &GraphExplorer::say);

    viewSettles = new QTimer(this);
    viewSettles->setSingleShot(true);
    viewSettles->setInterval(kViewSettles);
    connect(viewSettles, &QTimer::timeout, this, &GraphExplorer::sayView);
    connect(&view, &GraphView::ViewChanged, this, &GraphExplorer::viewChanged);
    // No thread outlives the program's end.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &GraphExplorer::callOffShape);

    if (viewMenu)
        connect(viewMenu, &QMenu::aboutToShow, this,
                [this, viewMenu] { mirrorCommands(*viewMenu); });
    view.installEventFilter(this);
}

GraphExplorer::~GraphExplorer()
{
    callOffShape();
}

void GraphExplorer::AddCommands()
{
    // Zooming first, beside the drawing's own view commands; then what this row adds.
    QAction* first = view.actions().value(0);
    const auto command = [this](const QString& text, QAction* before, auto handler) {
        auto* action = new QAction(text, &view);
        connect(action, &QAction::triggered, this, handler);
        view.insertAction(before, action);
    };
    command(QStringLiteral("Vergrößern\t+"), first, [this] { pressOn(view, Qt::Key_Plus, "+"); });
    command(QStringLiteral("Verkleinern\t-"), first, [this] { pressOn(view, Qt::Key_Minus, "-"); });
    auto* line = new QAction(&view);
    line->setSeparator(true);
    view.addAction(line);
    command(QStringLiteral("Verlauf zeigen\tV"), nullptr, [this] { ShowShape(); });
    command(QStringLiteral("Wert an der Stelle …\tAlt+W"), nullptr, [this] {
        valueRow->Input().setFocus(Qt::ShortcutFocusReason);
        valueRow->Input().selectAll();
    });
}

std::vector<QWidget*> GraphExplorer::Controls() const
{
    return {&valueRow->Label(), &valueRow->Input(), &valueRow->Result(), readout, shapeLine};
}

void GraphExplorer::SetRecord(std::shared_ptr<const ComputeRecord> newRecord)
{
    record = std::move(newRecord);
    shape.reset();
    cursor->Reset();
    valueRow->SetRecord(record);
    readout->clear();
    viewSaid = view.CurrentView();
    findShape();
}

void GraphExplorer::findShape()
{
    callOffShape();
    if (record && record->exact.polynomial) {
        auto polynomial = record->exact.polynomial;
        auto thisJob = std::make_shared<ShapeJob>();
        job = thisJob;
        worker = QThread::create([polynomial, thisJob] {
            thisJob->shape = ShapeOf(*polynomial, kShapeDigits, &thisJob->calledOff);
        });
        connect(worker, &QThread::finished, this, [this, thisJob] {
            if (job != thisJob)
                return;
            // The thread has finished: its result is ours now.
            shape = std::move(thisJob->shape);
            job.reset();
            shapeFound();
        });
        connect(worker, &QThread::finished, worker, &QObject::deleteLater);
        worker->start(QThread::LowPriority);
    }
    shapeFound();
}

// A shape worked out for an earlier compute is not waited for: it stops at its next step.
void GraphExplorer::callOffShape()
{
    if (job)
        job->calledOff = true;
    if (worker) {
        worker->wait();
        delete worker;
    }
    job.reset();
}

void GraphExplorer::shapeFound()
{
    QString unknownBecause = QStringLiteral("Ohne exakten Bezug unbestimmt.");
    if (job)
        unknownBecause = QStringLiteral("Wird noch bestimmt.");
    else if (shape && !shape->known)
        unknownBecause = QStringLiteral("Nicht bestimmt: zu viel Rechenarbeit.");
    cursor->SetKinds(record ? CursorKinds(*record, shape ? &*shape : nullptr, unknownBecause)
                            : std::vector<GraphCursor::Kind>{});
    if (shapeLine->isVisible())
        shapeLine->setText(ForTheEye(QStringLiteral("Verlauf: ") + ShapeSentence()));
    emit ShapeFound();
}

QString GraphExplorer::ShapeSentence() const
{
    if (!record)
        return {};
    if (job)
        return QStringLiteral("Wird noch bestimmt.");
    if (!shape)
        return QStringLiteral("Ohne exakten Bezug nicht bestimmt.");
    const GraphView::View& shown = view.CurrentView();
    return ::ShapeSentence(*shape, [&shown](double x, double y) {
        return x >= shown.xMin && x <= shown.xMax && y >= shown.yMin && y <= shown.yMax;
    });
}

void GraphExplorer::ShowShape()
{
    if (!record) {
        say(view.Message());
        return;
    }
    const QString sentence = QStringLiteral("Verlauf: ") + ShapeSentence();
    shapeLine->setText(ForTheEye(sentence));
    shapeLine->show();
    Announce(*window(), ForTheEar(sentence));
}

void GraphExplorer::SetStale(bool newStale)
{
    stale = newStale;
}

void GraphExplorer::say(const QString& said)
{
    QString sentence = said;
    if (stale)
        sentence +=
            said.endsWith(u'.') ? QStringLiteral(" Veraltet.") : QStringLiteral("; veraltet");
    // What the person does next speaks for itself: a range still waiting is not said after it.
    if (viewSettles->isActive()) {
        viewSettles->stop();
        viewSaid = view.CurrentView();
    }
    readout->setText(ForTheEye(sentence));
    readout->setAccessibleName(ForTheEar(sentence));
    Announce(*window(), ForTheEar(sentence));
}

void GraphExplorer::viewChanged()
{
    if (shapeLine->isVisible())
        shapeLine->setText(ForTheEye(QStringLiteral("Verlauf: ") + ShapeSentence()));
    // Only a view the person moved in this window is said: not one that follows the cursor,
    // which says where it is itself, nor one that a new compute set.
    if (cursor->MovingTheView() || !window()->isActiveWindow() || !view.HasFunction()) {
        viewSaid = view.CurrentView();
        viewSettles->stop();
        return;
    }
    viewSettles->start();
}

void GraphExplorer::sayView()
{
    const GraphView::View& shown = view.CurrentView();
    if (shown == viewSaid)
        return;
    viewSaid = shown;
    Announce(*window(), ForTheEar(QStringLiteral("Ansicht: x von %1 bis %2, y von %3 bis %4; "
                                                 "Schritt %5.")
                                      .arg(bound(shown.xMin), bound(shown.xMax), bound(shown.yMin),
                                           bound(shown.yMax), Str(cursor->Step().Value()))));
}

void GraphExplorer::mirrorCommands(QMenu& menu)
{
    if (menu.actions() != view.actions()) {
        menu.clear();
        menu.addActions(view.actions());
    }
}

bool GraphExplorer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_V && key->modifiers() == Qt::NoModifier) {
            ShowShape();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
