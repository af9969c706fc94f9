#include "framework/TextFraction.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>

namespace {

// Room beside the longer of the two numbers, and between each number and the bar, in parts
// of the font's height.
constexpr double kSideRoom = 0.15;
constexpr double kBarGap = 0.08;

QFont fontOf(const QTextDocument* document, const QTextFormat& format)
{
    return format.toCharFormat().font().resolve(document->defaultFont());
}

struct FractionGeometry
{
    double width;
    double lineHeight;
    double gap;
    double bar;
};

FractionGeometry geometryOf(const QFontMetricsF& metrics, const QTextFormat& format)
{
    const double numerator =
        metrics.horizontalAdvance(format.stringProperty(TextFraction::kNumerator));
    const double denominator =
        metrics.horizontalAdvance(format.stringProperty(TextFraction::kDenominator));
    const double height = metrics.height();
    return {std::max(numerator, denominator) + 2 * kSideRoom * height, height, kBarGap * height,
            std::max(1.0, metrics.lineWidth())};
}

} // namespace

void TextFraction::Enable(QTextDocument& document)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    if (layout->handlerForObject(kObjectType))
        return;
    layout->registerHandler(kObjectType, new TextFractionDrawing(layout));
}

QSizeF TextFractionDrawing::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QFont font = fontOf(document, format);
    const QString key = font.key() + u'\n' + format.stringProperty(TextFraction::kNumerator) +
                        u'\n' + format.stringProperty(TextFraction::kDenominator);
    if (const auto known = sizes.constFind(key); known != sizes.cend())
        return *known;
    const FractionGeometry geometry = geometryOf(QFontMetricsF(font), format);
    const QSizeF size(geometry.width, 2 * geometry.lineHeight + 2 * geometry.gap + geometry.bar);
    sizes.insert(key, size);
    return size;
}

void TextFractionDrawing::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document,
                                     int, const QTextFormat& format)
{
    const QFont font = fontOf(document, format);
    const QFontMetricsF metrics(font);
    const FractionGeometry geometry = geometryOf(metrics, format);
    painter->save();
    painter->setFont(font);
    const QRectF above(rect.left(), rect.top(), rect.width(), geometry.lineHeight);
    const QRectF below(rect.left(), rect.bottom() - geometry.lineHeight, rect.width(),
                       geometry.lineHeight);
    painter->drawText(above, Qt::AlignCenter, format.stringProperty(TextFraction::kNumerator));
    painter->drawText(below, Qt::AlignCenter, format.stringProperty(TextFraction::kDenominator));
    const double barY = above.bottom() + geometry.gap + geometry.bar / 2;
    const double side = kSideRoom * geometry.lineHeight / 2;
    painter->setPen(QPen(painter->pen().color(), geometry.bar));
    painter->drawLine(QPointF(rect.left() + side, barY), QPointF(rect.right() - side, barY));
    painter->restore();
}
