#include "framework/Controls.h"

#include "framework/AccessibleEditLine.h"
#include "framework/AccessibleTextArea.h"
#include "framework/FittedNumberField.h"
#include "framework/FormScale.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <limits>

namespace {

// Only the field itself may narrow the part of it that its text scrolls in.
class MultiLineField final : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

    void keepTextAbove(int top)
    {
        const int covered = contentsRect().bottom() + 1 - top;
        setViewportMargins(0, 0, 0, covered);
        // Around the covering control the field shows its own background, not the window's.
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
    }

    // Where the always shown scroll bar begins, in the field's coordinates: the scroll bar is
    // as wide as the style makes it, and that grows with the font and the DPI.
    int scrollBarLeft() const
    {
        return contentsRect().right() + 1 - verticalScrollBar()->sizeHint().width();
    }
};

Qt::Alignment editFieldAlignment(int code)
{
    switch (code) {
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

Qt::Alignment staticTextAlignment(int code)
{
    switch (code) {
    case 1:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

void applyFont(QWidget& control, const ControlSettings& settings, double scale)
{
    if (settings.textSize == 0 && !(settings.flags & kBold))
        return;
    QFont font = control.font();
    if (settings.textSize > 0)
        font.setPointSizeF(ScaledPointSize(settings.textSize, scale, control.logicalDpiY()));
    font.setBold(settings.flags & kBold);
    if (font != control.font())
        control.setFont(font);
}

void applyColours(QWidget& control, QRgb background)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(background));
    palette.setColor(QPalette::Text, Qt::black);
    control.setPalette(palette);
}

// Stored texts separate lines by '\r'; the toolkit's documents separate them by '\n'.
QString toDocumentText(const QString& text)
{
    return QString(text).replace(u'\r', u'\n');
}

QWidget* createOfKind(const ControlSettings& settings, QWidget* parent)
{
    const QString text = QString::fromUtf8(settings.text);
    switch (settings.kind) {
    case ControlKind::EditField: {
        auto* field = settings.flags & kFitNumber ? new FittedNumberField(text, parent)
                                                  : new EditLine(text, parent);
        field->setAlignment(editFieldAlignment(settings.align));
        field->setReadOnly(settings.flags & kReadOnly);
        // A field holds whatever is typed or pasted into it; Qt would cut it at 32767 characters.
        field->setMaxLength(std::numeric_limits<int>::max());
        field->setCursorPosition(0);
        applyColours(*field, settings.backColor);
        return field;
    }
    case ControlKind::MultiLineEditField: {
        // Before the field exists: the toolkit may ask for its interface while making it.
        InstallAccessibleTextAreas();
        auto* field = new MultiLineField(toDocumentText(text), parent);
        field->setReadOnly(settings.flags & kReadOnly);
        field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // Read-only, yet with a keyboard cursor: the text can be read line by line.
        if (settings.flags & kReadOnly)
            field->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
        applyColours(*field, settings.backColor);
        return field;
    }
    case ControlKind::StaticText: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(staticTextAlignment(settings.align));
        return label;
    }
    case ControlKind::BevelButton: {
        auto* button = new QPushButton(text, parent);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }
    case ControlKind::Separator: {
        auto* rule = new QFrame(parent);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        return rule;
    }
    }
    return nullptr;
}

} // namespace

QWidget* CreateControl(const ControlSettings& settings, QWidget* parent)
{
    QWidget* control = createOfKind(settings, parent);
    control->setObjectName(QString::fromUtf8(settings.name));
    control->setGeometry(settings.left, settings.top, settings.width, settings.height);
    applyFont(*control, settings, 1.0);
    control->show();
    return control;
}

void PlaceControl(QWidget& control, const ControlSettings& settings, double scale,
                  const QPoint& origin)
{
    const QRect place(settings.left, settings.top, settings.width, settings.height);
    control.setGeometry(Scaled(place, scale).translated(-origin));
    applyFont(control, settings, scale);
}

void KeepTextClearOf(QWidget& container, QWidget& control)
{
    auto* field = dynamic_cast<MultiLineField*>(&container);
    if (!field)
        return;
    field->keepTextAbove(control.y());
    const int overlap = control.geometry().right() + 1 - field->scrollBarLeft();
    if (overlap > 0)
        control.resize(control.width() - overlap, control.height());
}

QString ControlText(const QWidget& control)
{
    if (auto* field = qobject_cast<const QLineEdit*>(&control))
        return field->text();
    if (auto* field = qobject_cast<const QPlainTextEdit*>(&control))
        return field->toPlainText().replace(u'\n', u'\r');
    if (auto* label = qobject_cast<const QLabel*>(&control))
        return label->text();
    if (auto* button = qobject_cast<const QPushButton*>(&control))
        return button->text();
    return {};
}

void SetControlText(QWidget& control, const QString& text)
{
    if (auto* field = qobject_cast<QLineEdit*>(&control)) {
        // The same text again is no change: the field keeps its caret, selection and undo, and
        // a screen reader hears nothing of it.
        if (field->text() == text)
            return;
        const auto rewrite = [field, &text] {
            // A field in use keeps its whole text selected.
            const bool wholeSelected = field->hasFocus() && !field->text().isEmpty() &&
                                       field->selectedText() == field->text();
            field->setText(text);
            // A long number is read from its first digit; the rest is there to scroll and copy.
            field->setCursorPosition(0);
            if (wholeSelected && !text.isEmpty())
                field->setSelection(int(text.size()), -int(text.size()));
        };
        // The person in the field hears of the new text from the command that wrote it: told
        // of the rewrite, a screen reader says "selection deleted" or reads the old line again.
        if (field->hasFocus())
            ChangeUnheard(*field, rewrite);
        else
            rewrite();
    } else if (auto* field = qobject_cast<QPlainTextEdit*>(&control)) {
        field->setPlainText(toDocumentText(text));
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QPushButton*>(&control)) {
        button->setText(text);
    }
}
