#pragma once
// The control kinds a form is built from, and the settings row that describes one control.

#include <QRgb>

class QPoint;

class QWidget;

enum class ControlKind
{
    EditField,          // one-line text field
    MultiLineEditField, // read-only text of several lines, scrolled vertically
    StaticText,         // label
    BevelButton,        // push button that takes no keyboard focus
    Separator,          // horizontal rule
};

enum ControlFlag
{
    kPlain = 0,
    kReadOnly = 1,
    kBold = 2,
    kFitNumber = 4 // a result field: a number too wide for it is shown rounded to fit
};

// One row of a form: everything a control is given when it is built, applied as one set.
// Alignment codes: edit field 0 and 1 left, 2 centred, 3 right; static text 0 left,
// 1 centred, 2 right. Text size 0 means the toolkit's default font size.
struct ControlSettings
{
    ControlKind kind;
    const char* name;
    int left;
    int top;
    int width;
    int height;
    const char* text = "";
    int align = 0;
    QRgb backColor = 0xFFFFFF;
    int flags = kPlain;
    int textSize = 0;
    const char* parentControl = nullptr; // a control of the same form, or the content area
};

// Creates the control under `parent`, named after the row, with all of the row's settings, at
// the row's geometry for the default font.
QWidget* CreateControl(const ControlSettings& settings, QWidget* parent);

// Places the control at the row's geometry grown by `scale` (see FormScale.h), less `origin`,
// the place of the control it lies in; a text size of its own grows alike.
void PlaceControl(QWidget& control, const ControlSettings& settings, double scale,
                  const QPoint& origin);

// A control placed inside a multi-line field covers its lower part; the field's text then
// scrolls above the control instead of running beneath it, out of reach, and the control
// ends where the field's scroll bar begins.
void KeepTextClearOf(QWidget& container, QWidget& control);

// The text a control shows, whatever its kind; lines of a multi-line field end in '\r'.
QString ControlText(const QWidget& control);
void SetControlText(QWidget& control, const QString& text);
