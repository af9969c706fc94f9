#include "framework/Window.h"

#include "framework/AccessibleTextArea.h"
#include "framework/Dispatch.h"
#include "framework/FormScale.h"
#include "framework/Menu.h"
#include "framework/NilObjectException.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QStyleOption>
#include <QWindow>
#include <cmath>

namespace {

// The size limits a window may be given where the compositor has the last word on its size.
constexpr QSize kSmallest(64, 64);
constexpr QSize kLargest(32000, 32000);
// What rounding between device and logical pixels may take from a window's room, at most.
constexpr int kRoundingSlack = 3;
// The share of an output that its panels leave to windows, at least: they take a few percent
// on common desktops.
constexpr double kPanelsLeaveAtLeast = 0.9;

int menuBarHeight(const QWidget& bar, int width)
{
    return bar.hasHeightForWidth() ? bar.heightForWidth(width) : bar.sizeHint().height();
}

} // namespace

bool CompositorSetsWindowSizes()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Window::Window(QWidget* parent)
    : QMainWindow(parent)
    , scrollArea(new QScrollArea(this))
    , content(new QWidget)
{
    // Frameless and without focus of its own: where the window has room for the form, the
    // window looks and tabs as if the form were all there is.
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->setAlignment(Qt::AlignCenter);
    scrollArea->setWidget(content);
    setCentralWidget(scrollArea);
    focusFollower =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (scrollArea && now && content->isAncestorOf(now))
                scrollArea->ensureWidgetVisible(now);
        });
}

// The controls go with the window, and the focus changes as they go: by then there is nothing
// left to scroll to.
Window::~Window()
{
    disconnect(focusFollower);
}

void Window::Construct()
{
    Layout();
    CreateControls();
    for (const auto& handler : openHandlers)
        Dispatch(handler);
    built = true;
    FitWindowToScreen();
    if (visibleOnceBuilt)
        show();
}

QWidget& Window::ContentArea() const
{
    return *content;
}

QWidget& Window::Control(const QString& name) const
{
    QWidget* control = controls.value(name);
    if (!control)
        throw NilObjectException("no control named \"" + name.toStdString() + "\" on window \"" +
                                 windowTitle().toStdString() + "\"");
    return *control;
}

QString Window::Text(const QString& name) const
{
    return ControlText(Control(name));
}

void Window::SetText(const QString& name, const QString& text)
{
    SetControlText(Control(name), text);
}

void Window::SetVisible(const QString& name, bool visible)
{
    Control(name).setVisible(visible);
}

void Window::Describe(const QString& name, const QString& accessibleName,
                      const QString& description)
{
    QWidget& control = Control(name);
    control.setAccessibleName(accessibleName);
    control.setAccessibleDescription(description);
}

void Window::HearAs(const QString& name, const QString& heard)
{
    if (auto* field = qobject_cast<QPlainTextEdit*>(&Control(name)))
        HearTextAs(*field, QString(heard).replace(u'\r', u'\n'));
}

void Window::Connect(const QString& name, ControlEvent event, std::function<void()> handler)
{
    QWidget& control = Control(name);
    switch (event) {
    case ControlEvent::Action:
        if (auto* button = qobject_cast<QAbstractButton*>(&control))
            connect(button, &QAbstractButton::clicked, this, [handler] { Dispatch(handler); });
        break;
    case ControlEvent::TextChange:
        if (auto* field = qobject_cast<QLineEdit*>(&control))
            connect(field, &QLineEdit::textChanged, this, [handler] { Dispatch(handler); });
        break;
    case ControlEvent::Open:
        openHandlers.push_back(std::move(handler));
        break;
    }
}

void Window::PressOnReturn(const QString& button)
{
    auto* pressed = qobject_cast<QAbstractButton*>(&Control(button));
    for (QWidget* control : std::as_const(controls)) {
        if (auto* field = qobject_cast<QLineEdit*>(control))
            connect(field, &QLineEdit::returnPressed, pressed, &QAbstractButton::click);
    }
}

void Window::PressOnKey(const QKeySequence& key, const QString& button)
{
    auto* pressed = qobject_cast<QAbstractButton*>(&Control(button));
    connect(new QShortcut(key, this), &QShortcut::activated, pressed, &QAbstractButton::click);
}

void Window::SetMenuBar(MenuBar& menuBar)
{
    menuBarObject = &menuBar;
    setMenuBar(menuBar.CreateMenuBarWidget(this));
}

MenuBar& Window::GetMenuBar() const
{
    if (!menuBarObject)
        throw NilObjectException("window \"" + windowTitle().toStdString() + "\" has no menu bar");
    return *menuBarObject;
}

void Window::ApplySettings(const WindowSettings& settings)
{
    setWindowTitle(QString::fromUtf8(settings.title));
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
    if (settings.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (settings.resizable) {
        resizable = true;
        setWindowFlags(flags | Qt::WindowMaximizeButtonHint);
        // Opened at its size where the screen holds it, else at nine tenths of the screen.
        const QSize screenRoom = screen()->availableSize() * 9 / 10;
        resize(QSize(settings.width, settings.height).boundedTo(screenRoom));
        visibleOnceBuilt = settings.visible;
        return;
    }
    setWindowFlags(flags);
    contentWidth = settings.width;
    contentHeight = settings.height;
    visibleOnceBuilt = settings.visible;
    LayOutForm();
}

void Window::SetContent(QWidget* control)
{
    controls.insert(control->objectName(), control);
    // The control fills the window and follows its size, in place of the scroll area and the
    // empty form in it.
    setCentralWidget(control);
    scrollArea = nullptr;
    content = control;
}

void Window::RegisterControl(QWidget& control)
{
    controls.insert(control.objectName(), &control);
}

QWidget& Window::AddControl(const ControlSettings& settings)
{
    QWidget* parent = content;
    if (settings.parentControl)
        parent = &Control(QString::fromUtf8(settings.parentControl));
    QWidget* control = CreateControl(settings, parent);
    controls.insert(control->objectName(), control);
    placed.push_back({control, settings});
    PlaceInForm(placed.back());
    return *control;
}

void Window::PlaceInForm(const PlacedControl& placedControl)
{
    QWidget& control = *placedControl.control;
    QWidget& parent = *control.parentWidget();
    // Controls are placed in build order, so a control's parent control already stands.
    const QPoint origin = &parent == content ? QPoint() : parent.pos();
    PlaceControl(control, placedControl.settings, scale, origin);
    if (&parent != content)
        KeepTextClearOf(parent, control);
}

void Window::LayOutForm()
{
    // A resizable window lays out its content itself.
    if (resizable)
        return;
    scale = FormScale(font(), logicalDpiY());
    content->setFixedSize(Scaled(contentWidth, scale), Scaled(contentHeight, scale));
    for (const PlacedControl& placedControl : placed)
        PlaceInForm(placedControl);
    FitWindowToScreen();
}

QSize Window::FormWindowSize() const
{
    QSize wanted = content->size();
    if (const QWidget* bar = menuWidget())
        wanted.rheight() += menuBarHeight(*bar, wanted.width());
    return wanted;
}

// A Wayland client learns nothing of the panels on its output. A window of fixed form that
// needs nearly the whole output is opened maximised: the compositor then gives it what the
// panels leave, and the form scrolls in that.
bool Window::NeedsNearlyTheWholeOutput() const
{
    QSize needed = FormWindowSize();
    if (const QWindow* window = windowHandle()) {
        const QMargins frame = window->frameMargins();
        needed += QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    }
    const QSize output = screen()->availableGeometry().size();
    return needed.width() > output.width() * kPanelsLeaveAtLeast ||
           needed.height() > output.height() * kPanelsLeaveAtLeast;
}

// The room a window has on its screen: the screen's available area less the frame that the
// window manager, or on Wayland Qt's own title bar, puts around the window. That frame is
// known once the window is shown (on X11 once the window manager has framed it).
QSize Window::RoomOnScreen() const
{
    QSize room = screen()->availableGeometry().size();
    if (const QWindow* window = windowHandle()) {
        const QMargins frame = window->frameMargins();
        room -= QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    }
    // At a device pixel ratio such as 1.25 the screen, each side of the frame and the window
    // are rounded on their way between device and logical pixels, each by less than a pixel.
    const qreal ratio = screen()->devicePixelRatio();
    if (ratio != std::floor(ratio))
        room -= QSize(kRoundingSlack, kRoundingSlack);
    return room;
}

// The window's size is that of its menu bar and form, as far as the screen's room holds it;
// the form scrolls in what is left. X11 window managers keep a window of fixed size at its
// size and offer no maximise. A Wayland compositor may still maximise, tile or fill the
// screen with it; Qt bounds a window's size by its maximum, and a maximised or full-screen
// window of another size than the compositor configured is a protocol error that ends the
// program. There the window accepts any size, and the form stands in the middle of it.
// A resizable window keeps the size it was given, as far as the room holds it.
void Window::FitWindowToScreen()
{
    if (!built)
        return;
    const bool sizedByCompositor = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    const QSize room = RoomOnScreen();
    if (resizable) {
        if (isVisible() && !sizedByCompositor)
            resize(size().boundedTo(room).expandedTo(kSmallest));
        return;
    }
    QSize wanted = FormWindowSize();
    // A scroll bar along one side takes room from the other.
    QStyleOption option; // for this window's screen
    option.initFrom(this);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, &option, this);
    if (wanted.height() > room.height())
        wanted.rwidth() += scrollBar;
    if (wanted.width() > room.width())
        wanted.rheight() += scrollBar;
    const QSize size = wanted.boundedTo(room).expandedTo(kSmallest);
    if (!CompositorSetsWindowSizes()) {
        setFixedSize(size);
        return;
    }
    setMinimumSize(kSmallest);
    setMaximumSize(kLargest);
    if (!sizedByCompositor)
        resize(size);
}

void Window::FollowScreen()
{
    QWindow* window = windowHandle();
    if (!window || followingScreen)
        return;
    followingScreen = true;
    const auto followDpi = [this](QScreen* screen) {
        disconnect(dpiConnection);
        if (screen)
            dpiConnection =
                connect(screen, &QScreen::logicalDotsPerInchChanged, this, &Window::LayOutForm);
    };
    followDpi(window->screen());
    connect(window, &QWindow::screenChanged, this, [this, followDpi](QScreen* screen) {
        followDpi(screen);
        LayOutForm();
    });
}

void Window::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        LayOutForm();
}

// Qt's own title bar on Wayland exists once the window is shown, before the compositor sees the
// window's first frame: the window is fitted again with it, so that it never opens too large.
void Window::setVisible(bool visible)
{
    // Only as it opens: a shown window that goes back from maximised to normal is still the
    // size the compositor last configured, and may not take another before it is told.
    const bool opening = visible && !isVisible();
    QMainWindow::setVisible(visible);
    if (!opening)
        return;
    FitWindowToScreen();
    if (CompositorSetsWindowSizes() && !resizable && NeedsNearlyTheWholeOutput())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Window::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FollowScreen();
}

// Once the window manager has framed and placed the window, its frame is known: the window
// is fitted again, so that frame and all stay on the screen.
void Window::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    FitWindowToScreen();
}
