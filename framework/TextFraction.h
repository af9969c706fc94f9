#pragma once
// A fraction inside a line of rich text: numerator over denominator with a bar between, drawn
// by the document's layout as an inline object, centred on the line's middle.

#include <QHash>
#include <QObject>
#include <QTextObjectInterface>

namespace TextFraction {

inline constexpr int kObjectType = QTextFormat::UserObject + 1;
inline constexpr int kNumerator = QTextFormat::UserProperty + 10;
inline constexpr int kDenominator = QTextFormat::UserProperty + 11;

// Makes the document's layout draw fractions; once per layout is enough, more does no harm.
void Enable(QTextDocument& document);

} // namespace TextFraction

class TextFractionDrawing final : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    using QObject::QObject;
    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    // A table lays each cell out more than once: sizes by font and numbers.
    QHash<QString, QSizeF> sizes;
};
