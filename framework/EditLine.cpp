#include "framework/EditLine.h"

#include "framework/AccessibleEditLine.h"

#include <QFocusEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The line edit's own margins around its text line, which Qt keeps private.
constexpr int kHorizontalMargin = 2;
// Qt reserves a pixel right of the text for the cursor when it decides whether text fits.
constexpr int kCursorWidth = 1;
// Between the mark and the text.
constexpr int kMarkGap = 2;

bool isDark(const QColor& colour)
{
    return colour.lightnessF() < 0.5;
}

} // namespace

EditLine::EditLine(const QString& text, QWidget* parent)
    : QLineEdit(text, parent)
{
    InstallAccessibleEditLines();
    connect(this, &QLineEdit::textEdited, this, [this] {
        DropJudgement();
        emit StateChanged();
    });
}

void EditLine::SetMarked(const QString& reason)
{
    if (markedFor == reason)
        return;
    markedFor = reason;
    UpdateColours();
    emit StateChanged();
}

bool EditLine::IsMarked() const
{
    return !markedFor.isEmpty();
}

const QString& EditLine::MarkedFor() const
{
    return markedFor;
}

void EditLine::SetStale(bool newStale)
{
    if (stale == newStale)
        return;
    stale = newStale;
    UpdateColours();
    emit StateChanged();
}

bool EditLine::IsStale() const
{
    return stale;
}

QString EditLine::ShownText() const
{
    return hasFocus() ? text() : PaintedText();
}

QString EditLine::PaintedText() const
{
    const int room = TextRoom(IsMarked());
    if (qRound(QFontMetricsF(font(), this).horizontalAdvance(text())) <= room)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, room);
}

QString EditLine::MarkSymbol()
{
    return QStringLiteral("\u26A0"); // warning sign
}

void EditLine::DropJudgement()
{
    SetMarked(QString());
}

// A red that stands out from the field's own background, light or dark.
QColor EditLine::markColour() const
{
    return isDark(palette().color(QPalette::Base)) ? QColor(0xFF, 0x8A, 0x80)
                                                   : QColor(0xB0, 0x00, 0x20);
}

void EditLine::UpdateColours()
{
    if (updatingColours)
        return;
    updatingColours = true;
    QPalette colours = palette();
    const QColor base = colours.color(QPalette::Base);
    QColor text = isDark(base) ? Qt::white : Qt::black;
    if (IsMarked())
        text = markColour();
    if (stale) {
        // Half way to the background: still readable, plainly set back.
        text =
            QColor::fromRgbF((text.redF() + base.redF()) / 2, (text.greenF() + base.greenF()) / 2,
                             (text.blueF() + base.blueF()) / 2);
    }
    // Setting a palette costs a widget tree walk; most changes of state keep the colour.
    if (colours.color(QPalette::Text) != text) {
        colours.setColor(QPalette::Text, text);
        setPalette(colours);
    }
    updatingColours = false;
}

void EditLine::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !updatingColours && (IsMarked() || stale))
        UpdateColours();
}

// The rectangle QLineEdit lays its text line into, worked out the way it does.
QRect EditLine::textLine() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    const int lineHeight = fontMetrics().height();
    return QRect(contents.x() + kHorizontalMargin,
                 contents.y() + (contents.height() - lineHeight + 1) / 2,
                 contents.width() - 2 * kHorizontalMargin, lineHeight);
}

int EditLine::TextRoom(bool withMark) const
{
    const int room = textLine().width() - kCursorWidth;
    if (!withMark)
        return room;
    return room - qCeil(QFontMetricsF(font(), this).horizontalAdvance(MarkSymbol())) - kMarkGap;
}

void EditLine::focusInEvent(QFocusEvent* event)
{
    const bool byKeyboard = event->reason() == Qt::TabFocusReason ||
                            event->reason() == Qt::BacktabFocusReason ||
                            event->reason() == Qt::ShortcutFocusReason;
    if (!byKeyboard) {
        QLineEdit::focusInEvent(event);
        return;
    }
    // Tab selects the whole text with the cursor at its end, which scrolls a long text to its
    // tail; the same selection, anchored at the end, shows its start. It is there before the
    // focus is told, and unheard: a screen reader finds it as it reads the field arrived at,
    // and hears no news of it besides ("selected" once more, or, asked late, "unselected").
    QFocusEvent withoutSelecting(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&withoutSelecting);
    if (!text().isEmpty())
        ChangeUnheard(*this, [this] { setSelection(int(text().size()), -int(text().size())); });
}

// The field drops its selection as the focus leaves it for another field, unheard: a screen
// reader told of it says "unselected" on every Tab away from a filled field. Its window going
// inactive, or a popup opening, leaves the selection as it is.
void EditLine::focusOutEvent(QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    QFocusEvent keepingSelection(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QLineEdit::focusOutEvent(&keepingSelection);
    ChangeUnheard(*this, [this] { deselect(); });
}

void EditLine::paintEvent(QPaintEvent* event)
{
    const bool markShown = IsMarked();
    const QString painted = hasFocus() ? text() : PaintedText();
    if (hasFocus() || (painted == text() && !markShown)) {
        // Qt paints the whole text, cursor and selection; the colours carry mark and staleness.
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    QRect line = textLine();
    painter.setClipRect(line);
    painter.setPen(palette().color(QPalette::Text));
    if (markShown) {
        const int markWidth = qCeil(QFontMetricsF(font(), this).horizontalAdvance(MarkSymbol()));
        painter.drawText(line, int(Qt::AlignLeft | Qt::AlignTop), MarkSymbol());
        line.setLeft(line.left() + markWidth + kMarkGap);
    }
    // As the line edit lays out its text in focus: in the text's own direction, not the
    // window's, so that a number stands where it stands in focus and keeps its sign in front.
    const Qt::LayoutDirection direction =
        painted.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    painter.setLayoutDirection(direction);
    const Qt::Alignment horizontal =
        QStyle::visualAlignment(direction, alignment()) & Qt::AlignHorizontal_Mask;
    painter.drawText(line, int(horizontal | Qt::AlignTop), painted);
}
