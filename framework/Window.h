#pragma once
// A window of the application: built by its Layout and CreateControls hooks, holding its
// controls by name, running its handlers through the one dispatch point.

#include "framework/Controls.h"

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

class MenuBar;
class QScrollArea;

// The window's own settings, applied as one set by its Layout hook.
struct WindowSettings
{
    const char* title;
    int width; // of the content area, below any menu bar
    int height;
    bool minimizeButton = true;
    bool visible = true; // shown as soon as it is built
    // Else the content area keeps exactly width x height.
    bool resizable = false;
};

enum class ControlEvent
{
    Action,
    TextChange,
    Open
};

// One row of a window's handler table: the control, its event, and the method that handles it.
template<class W> struct HandlerBinding
{
    const char* control;
    ControlEvent event;
    void (W::*handler)();
};

// Whether the compositor, not the window, has the last word on a window's size (Wayland).
bool CompositorSetsWindowSizes();

class Window : public QMainWindow
{
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // Lays the window out, builds its controls, delivers the Open events, then shows it.
    void Construct();

    // The control registered under `name`; throws NilObjectException when there is none.
    QWidget& Control(const QString& name) const;
    QString Text(const QString& name) const;
    void SetText(const QString& name, const QString& text);
    void SetVisible(const QString& name, bool visible);
    // What assistive technology announces for the control: a short name and what it holds.
    void Describe(const QString& name, const QString& accessibleName, const QString& description);
    // What a screen reader reads of a multi-line field in place of the text it shows: the same
    // text for the ear, of the same length.
    void HearAs(const QString& name, const QString& heard);

    // Runs `handler` through Dispatch whenever the control raises the event. Open handlers run
    // once, after every control exists and every handler is connected.
    void Connect(const QString& name, ControlEvent event, std::function<void()> handler);

    // Keys that press a button exactly as a click does, for work without a pointer: Return or
    // Enter in any one-line field of the window, or a key while the window is active.
    void PressOnReturn(const QString& button);
    void PressOnKey(const QKeySequence& key, const QString& button);

    void SetMenuBar(MenuBar& menuBar);
    MenuBar& GetMenuBar() const; // throws NilObjectException when the window has none

    // The area the controls lie in, of the settings' size grown with the font. The window
    // shows it whole where the screen has room, else scrolls it.
    QWidget& ContentArea() const;
    void setVisible(bool visible) override;

    // The factor the form is grown by for the font and the DPI in use (1 at the default).
    double Scale() const { return scale; }

protected:
    virtual void Layout() = 0;
    virtual void CreateControls() = 0;

    void ApplySettings(const WindowSettings& settings);
    QWidget& AddControl(const ControlSettings& settings);
    // Makes the control the window's whole content, found under its object name.
    void SetContent(QWidget* control);
    // A control that the window's own layout places, found under its object name.
    void RegisterControl(QWidget& control);

    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

    // Builds the rows in order; each control's handlers are connected right after its settings,
    // so that setting a stored text runs no handler.
    template<class W>
    void BuildForm(std::span<const ControlSettings> rows,
                   std::span<const HandlerBinding<W>> handlers)
    {
        W& self = static_cast<W&>(*this);
        for (const ControlSettings& row : rows) {
            AddControl(row);
            for (const HandlerBinding<W>& binding : handlers) {
                if (std::string_view(binding.control) == row.name)
                    Connect(QString::fromUtf8(binding.control), binding.event,
                            [&self, method = binding.handler] { (self.*method)(); });
            }
        }
    }

private:
    struct PlacedControl
    {
        QWidget* control;
        ControlSettings settings;
    };

    // Sizes and places the content area and every control for the font and the screen in use,
    // then the window for the screen.
    void LayOutForm();
    void PlaceInForm(const PlacedControl& placedControl);
    void FitWindowToScreen();
    QSize RoomOnScreen() const;
    // The menu bar and the whole form.
    QSize FormWindowSize() const;
    bool NeedsNearlyTheWholeOutput() const;
    // Lays the form out again when the window moves to another screen or its DPI changes.
    void FollowScreen();

    QScrollArea* scrollArea;
    QWidget* content;
    QHash<QString, QWidget*> controls;
    std::vector<PlacedControl> placed;
    int contentWidth = 0;
    int contentHeight = 0;
    double scale = 1.0;
    bool built = false;
    bool resizable = false;
    bool followingScreen = false;
    QMetaObject::Connection dpiConnection;
    QMetaObject::Connection focusFollower;
    std::vector<std::function<void()>> openHandlers;
    MenuBar* menuBarObject = nullptr;
    bool visibleOnceBuilt = true;
};
