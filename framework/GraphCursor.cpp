#include "framework/GraphCursor.h"

#include "framework/GraphView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// About this many steps cross the view: a key press moves the cursor by a few pixels' worth,
// on a multiple of a round step, so that the x said is short.
constexpr double kStepsPerView = 40;
// A click is put on multiples of a round step about this many pixels wide.
constexpr double kClickPixels = 1;
// Multiples of a step stay whole numbers of a double below this.
constexpr double kLargestMultiple = 0x1p52;

// The double nearest to k times the step, from its decimal, so that 3 * 0.1 is 0.3.
double multiple(double k, const TickStep& step)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0fe%d", k * step.mantissa, step.exponent);
    return std::strtod(text, nullptr);
}

// The multiple of the step next to x on one side, x itself excluded.
std::optional<double> nextMultiple(double x, const TickStep& step, int direction)
{
    const double size = step.Value();
    double k = std::floor(x / size);
    if (!(std::fabs(k) < kLargestMultiple))
        return std::nullopt;
    if (direction > 0) {
        while (multiple(k, step) <= x)
            ++k;
        while (multiple(k - 1, step) > x)
            --k;
    } else {
        while (multiple(k, step) >= x)
            --k;
        while (multiple(k + 1, step) < x)
            ++k;
    }
    return multiple(k, step);
}

std::optional<double> nearestMultiple(double x, const TickStep& step)
{
    const double k = std::nearbyint(x / step.Value());
    if (!(std::fabs(k) < kLargestMultiple))
        return std::nullopt;
    return multiple(k, step);
}

bool inView(const GraphView::View& view, double x)
{
    return x >= view.xMin && x <= view.xMax;
}

} // namespace

GraphCursor::GraphCursor(GraphView& view, std::function<double(double)> valueAt,
                         std::function<QString(double)> readout)
    : QObject(&view)
    , view(view)
    , valueAt(std::move(valueAt))
    , readout(std::move(readout))
{
    view.installEventFilter(this);
    view.SetOverlay([this](QPainter& painter) { paint(painter); });
}

void GraphCursor::SetKinds(std::vector<Kind> newKinds)
{
    kinds = std::move(newKinds);
    for (Kind& kind : kinds)
        std::sort(kind.stops.begin(), kind.stops.end(),
                  [](const Stop& a, const Stop& b) { return a.x < b.x; });
}

void GraphCursor::Reset()
{
    position.reset();
    lastSaid.clear();
    view.update();
}

TickStep GraphCursor::Step() const
{
    const GraphView::View& shown = view.CurrentView();
    return NiceStep((shown.xMax - shown.xMin) / kStepsPerView);
}

double GraphCursor::startingPoint() const
{
    const GraphView::View& shown = view.CurrentView();
    const double middle = shown.xMin / 2 + shown.xMax / 2;
    return nearestMultiple(middle, Step()).value_or(middle);
}

void GraphCursor::StepBy(int steps)
{
    if (!view.HasFunction()) {
        emit Said(view.Message());
        return;
    }
    if (!position) {
        const double start = startingPoint();
        moveTo(start, readout(start));
        return;
    }
    // A cursor left outside the view by a zoom or a pan is brought back into it first, so that
    // the step is one of the view it is seen in.
    follow(*position);
    const TickStep step = Step();
    const int direction = steps > 0 ? 1 : -1;
    double x = *position;
    for (int i = 0; i < std::abs(steps); ++i) {
        const std::optional<double> next = nextMultiple(x, step, direction);
        x = next.value_or(x + direction * step.Value());
    }
    if (!std::isfinite(x))
        return;
    const double from = *position;
    QString text = readout(x);
    // What lies on the way is said after where the cursor stands.
    for (const Kind& kind : kinds) {
        for (const Stop& stop : kind.stops) {
            if (stop.passing.isEmpty())
                continue;
            if (stop.x == x)
                text += QStringLiteral("; hier: ") + stop.passing;
            else if ((stop.x > from && stop.x < x) || (stop.x < from && stop.x > x))
                text += QStringLiteral("; dazwischen: ") + stop.passing;
        }
    }
    moveTo(x, text);
}

void GraphCursor::Jump(int key, bool backwards)
{
    if (!view.HasFunction()) {
        emit Said(view.Message());
        return;
    }
    const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                   [key](const Kind& candidate) { return candidate.key == key; });
    if (kind == kinds.end())
        return;
    // Without a cursor the first place of the kind is the next one, the last the previous.
    const double from = position.value_or(backwards ? HUGE_VAL : -HUGE_VAL);
    std::optional<double> target;
    for (const Stop& stop : kind->stops) {
        if (!std::isfinite(stop.x))
            continue;
        if (backwards ? stop.x < from : stop.x > from) {
            if (!target || (backwards ? stop.x > *target : stop.x < *target))
                target = stop.x;
        }
    }
    if (!target) {
        lastSaid = backwards ? kind->noneToTheLeft : kind->noneToTheRight;
        emit Said(lastSaid);
        return;
    }
    // Places of the kind that fall on one double are said together.
    QStringList arrivals;
    for (const Stop& stop : kind->stops) {
        if (stop.x == *target)
            arrivals << stop.arrival + (stop.readOut ? readout(stop.x) : QString());
    }
    moveTo(*target, arrivals.join(QStringLiteral("; ")));
}

void GraphCursor::PlaceAt(double x)
{
    if (!view.HasFunction() || !std::isfinite(x))
        return;
    moveTo(x, readout(x));
}

void GraphCursor::Repeat()
{
    if (!lastSaid.isEmpty())
        emit Said(lastSaid);
}

void GraphCursor::moveTo(double x, const QString& text)
{
    position = x;
    follow(x);
    view.update();
    lastSaid = text;
    emit Said(text);
}

// The view moves, its size kept, so that the cursor and its point of the curve are in it.
void GraphCursor::follow(double x)
{
    GraphView::View wanted = view.CurrentView();
    if (!inView(wanted, x)) {
        const double half = wanted.xMax / 2 - wanted.xMin / 2;
        wanted.xMin = x - half;
        wanted.xMax = x + half;
    }
    const double y = valueAt(x);
    if (std::isfinite(y) && !(y >= wanted.yMin && y <= wanted.yMax)) {
        const double half = wanted.yMax / 2 - wanted.yMin / 2;
        wanted.yMin = y - half;
        wanted.yMax = y + half;
    }
    if (wanted == view.CurrentView())
        return;
    followingCursor = true;
    view.SetView(wanted);
    followingCursor = false;
}

void GraphCursor::paint(QPainter& painter) const
{
    if (!position || !view.HasFunction())
        return;
    const QColor ink = view.palette().color(QPalette::Text);
    const double y = valueAt(*position);
    const QPointF at = view.PointAt(*position, std::isfinite(y) ? y : 0.0);
    const QRect plot = view.PlotArea();
    if (!(at.x() >= plot.left() && at.x() <= plot.right() + 1))
        return;
    const double column = std::floor(at.x()) + 0.5;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1, Qt::DashLine));
    painter.drawLine(QPointF(column, plot.top()), QPointF(column, plot.bottom() + 1));
    if (std::isfinite(y) && at.y() >= plot.top() && at.y() <= plot.bottom() + 1) {
        // A ring wider than the argument rings, with a cross, over whatever lies beneath.
        const double radius = std::max(6.0, view.fontMetrics().height() / 2.5);
        painter.setPen(QPen(ink, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, radius, radius);
        painter.drawLine(at - QPointF(radius * 1.6, 0), at - QPointF(radius, 0));
        painter.drawLine(at + QPointF(radius, 0), at + QPointF(radius * 1.6, 0));
    }
    painter.restore();
}

QPoint GraphCursor::cursorPoint() const
{
    if (position) {
        const double y = valueAt(*position);
        const QPointF point = view.PointAt(*position, std::isfinite(y) ? y : 0.0);
        if (view.PlotArea().contains(point.toPoint()))
            return point.toPoint();
    }
    return view.PlotArea().center();
}

void GraphCursor::openContextMenu(QPoint at, bool byKey)
{
    // One menu, kept, for the pointer and the keys alike: a screen reader may still ask about
    // it once it has closed, and a menu made for each opening would be gone by then.
    if (!menu)
        menu = new QMenu(&view);
    if (menu->actions() != view.actions()) {
        menu->clear();
        menu->addActions(view.actions());
    }
    if (menu->actions().isEmpty())
        return;
    menu->popup(view.mapToGlobal(at));
    // Opened by key, its first command is chosen once it is on the screen, as the Down key
    // chooses it: a screen reader says a choice made by key, and none made before the menu
    // is shown.
    if (byKey) {
        QTimer::singleShot(0, menu, [this] {
            if (menu->isVisible() && !menu->activeAction()) {
                QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                QApplication::sendEvent(menu, &down);
            }
        });
    }
}

bool GraphCursor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &view)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Ctrl+C copies the drawing even where a menu bar of the window holds Ctrl+C.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy))
            event->accept();
        return false;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers =
            key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && shift)) {
            openContextMenu(cursorPoint(), true);
            return true;
        }
        if (modifiers != Qt::NoModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Comma:
            StepBy(-1);
            return true;
        case Qt::Key_Period:
            StepBy(1);
            return true;
        case Qt::Key_Space:
            Repeat();
            return true;
        default:
            break;
        }
        for (const Kind& kind : kinds) {
            if (key->key() == kind.key) {
                Jump(kind.key, shift);
                return true;
            }
        }
        return false;
    }
    case QEvent::ContextMenu: {
        // The X11 platform turns the Menu key into this event itself.
        auto* request = static_cast<QContextMenuEvent*>(event);
        const bool byKey = request->reason() == QContextMenuEvent::Keyboard;
        openContextMenu(byKey ? cursorPoint() : request->pos(), byKey);
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            pressedAt = mouse->position();
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A click, not a drag, puts the cursor where it was.
        const QRect plot = view.PlotArea();
        if (mouse->button() == Qt::LeftButton && pressedAt &&
            (mouse->position() - *pressedAt).manhattanLength() <
                QApplication::startDragDistance() &&
            plot.contains(mouse->position().toPoint())) {
            const GraphView::View& shown = view.CurrentView();
            const double span = shown.xMax - shown.xMin;
            const double x =
                shown.xMin + (mouse->position().x() - plot.left()) / plot.width() * span;
            const TickStep fine = NiceStep(span / plot.width() * kClickPixels);
            PlaceAt(nearestMultiple(x, fine).value_or(x));
        }
        pressedAt.reset();
        return false;
    }
    default:
        return false;
    }
}
