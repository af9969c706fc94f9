#include "framework/Window.h"

#include "framework/Dispatch.h"
#include "framework/Menu.h"
#include "framework/NilObjectException.h"

#include <QAbstractButton>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>

Window::Window(QWidget* parent)
    : QMainWindow(parent)
{
    setCentralWidget(new QWidget(this));
}

void Window::Construct()
{
    Layout();
    CreateControls();
    for (const auto& handler : openHandlers)
        Dispatch(handler);
    if (visibleOnceBuilt)
        show();
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
        setWindowFlags(flags | Qt::WindowMaximizeButtonHint);
        // Opened at its size where the screen holds it, else at nine tenths of the screen.
        const QSize screenRoom = screen()->availableSize() * 9 / 10;
        resize(QSize(settings.width, settings.height).boundedTo(screenRoom));
        visibleOnceBuilt = settings.visible;
        return;
    }
    setWindowFlags(flags);
    centralWidget()->setFixedSize(settings.width, settings.height);
    // The window takes exactly the size of its menu bar and content area, and keeps it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    visibleOnceBuilt = settings.visible;
}

void Window::SetContent(QWidget* control)
{
    controls.insert(control->objectName(), control);
    setCentralWidget(control);
}

QWidget& Window::AddControl(const ControlSettings& settings)
{
    QWidget* parent = centralWidget();
    QPoint origin;
    if (settings.parentControl) {
        parent = &Control(QString::fromUtf8(settings.parentControl));
        origin = parent->pos();
    }
    QWidget* control = CreateControl(settings, parent);
    control->move(control->pos() - origin);
    if (settings.parentControl)
        KeepTextClearOf(*parent, *control);
    controls.insert(control->objectName(), control);
    return *control;
}
