#include "framework/FittedNumberField.h"

#include "framework/NumberFit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The line edit's own margins around its text line, which Qt keeps private.
constexpr int kHorizontalMargin = 2;
// Qt reserves a pixel right of the text for the cursor when it decides whether text fits.
constexpr int kCursorWidth = 1;

} // namespace

QString FittedNumberField::ShownText() const
{
    return hasFocus() ? text() : fittedText();
}

// The rectangle QLineEdit lays its text line into, worked out the way it does.
QRect FittedNumberField::textLine() const
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

QString FittedNumberField::fittedText() const
{
    const int room = textLine().width() - kCursorWidth;
    if (room != fitRoom || font() != fitFont || text() != fitFor) {
        fitFor = text();
        fitFont = font();
        fitRoom = room;
        fit = FitNumber(fitFor, QFontMetricsF(fitFont), room);
    }
    return fit;
}

void FittedNumberField::paintEvent(QPaintEvent* event)
{
    const QString fitted = fittedText();
    const bool rounded = fitted != text();
    // The exact number is one hover away wherever the field shows less of it.
    const QString tip = rounded ? text() : QString();
    if (toolTip() != tip)
        setToolTip(tip);

    if (!rounded || hasFocus()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect line = textLine();
    painter.setClipRect(line);
    painter.setPen(palette().color(QPalette::Text));
    const Qt::Alignment horizontal =
        QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    painter.drawText(line, int(horizontal | Qt::AlignTop), fitted);
}
