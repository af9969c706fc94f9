#include "app/GraphValueRow.h"

#include "app/GraphWords.h"
#include "calc/ComputeRecord.h"
#include "calc/CurveFeatures.h"
#include "framework/Controls.h"
#include "framework/FittedNumberField.h"
#include "framework/NumberFit.h"
#include "framework/NumberText.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

namespace {

// As a value field of the main window: its room, for the rounded form that is said too.
constexpr int kValueFieldRoom = 50;
// An x longer than this is not repeated in what is said.
constexpr qsizetype kLongestSaidX = 24;

constexpr ControlSettings kRow[] = {
    {ControlKind::StaticText, "GraphXLabel", 0, 0, 150, 20, "&Wert an der Stelle x ="},
    {ControlKind::EditField, "GraphX", 0, 0, 120, 22},
    {ControlKind::StaticText, "GraphValueLabel", 0, 0, 50, 20, "p(x) ="},
    {ControlKind::EditField, "GraphValue", 0, 0, 200, 22, "", 0, 0xFFFFFF, kReadOnly | kFitNumber},
};

// The exact value as far as its 20 digits go, with "…" where more follow if `marked`.
QString exactText(const ExactDecimal& exact, bool marked = true)
{
    if (exact.digits.empty())
        return QStringLiteral("0");
    QString text = exact.negative ? QStringLiteral("-") : QString();
    text += QChar(exact.digits[0]);
    if (exact.digits.size() > 1 || exact.moreFollow)
        text += u'.' + QString::fromStdString(exact.digits.substr(1));
    if (exact.moreFollow && marked)
        text += QStringLiteral("…");
    if (exact.exponent != 0)
        text += QStringLiteral("e%1").arg(exact.exponent);
    return text;
}

// Whether the painted text is the exact value itself: the same digits, none following.
bool isExactly(const QString& painted, const ExactDecimal& exact)
{
    if (exact.moreFollow)
        return false;
    const qsizetype e = painted.indexOf(u'e');
    QString mantissa = e < 0 ? painted : painted.left(e);
    const int exponent = e < 0 ? 0 : painted.mid(e + 1).toInt();
    mantissa.remove(u'-');
    const qsizetype point = mantissa.indexOf(u'.');
    const qsizetype wholeDigits = point < 0 ? mantissa.size() : point;
    mantissa.remove(u'.');
    qsizetype first = 0;
    while (first < mantissa.size() && mantissa[first] == u'0')
        ++first;
    QString digits = mantissa.mid(first);
    while (digits.endsWith(u'0'))
        digits.chop(1);
    if (digits.isEmpty())
        return exact.digits.empty();
    return digits.toStdString() == exact.digits &&
           exponent + int(wholeDigits - first) - 1 == exact.exponent;
}

} // namespace

GraphValueRow::GraphValueRow(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    std::array<QWidget*, std::size(kRow)> controls{};
    for (size_t i = 0; i < std::size(kRow); ++i) {
        controls[i] = CreateControl(kRow[i], this);
        layout->addWidget(controls[i]);
    }
    layout->addStretch(1);
    label = controls[0];
    input = qobject_cast<EditLine*>(controls[1]);
    result = qobject_cast<FittedNumberField*>(controls[3]);
    const QFontMetrics metrics(input->font());
    // Room for a number as Str writes it at its longest, in both fields.
    input->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-0.00000000000000000e-000")));
    result->setMinimumWidth(input->minimumWidth());
    static_cast<QLabel*>(label)->setBuddy(input);
    input->setAccessibleName(QStringLiteral("Wert an der Stelle x"));
    input->setAccessibleDescription(
        QStringLiteral("Eine Zahl eingeben und die Eingabetaste drücken: p(x) wird berechnet"));
    result->setAccessibleName(QStringLiteral("p(x)"));
    result->setFocusPolicy(Qt::StrongFocus);
    connect(input, &QLineEdit::returnPressed, this, [this] { evaluate(true); });
}

void GraphValueRow::SetRecord(std::shared_ptr<const ComputeRecord> newRecord)
{
    record = std::move(newRecord);
    clearResult();
    // The x asked for last is asked of the new polynomial, without a word.
    if (record && !input->text().trimmed().isEmpty())
        evaluate(false);
}

void GraphValueRow::clearResult()
{
    result->SetReference(std::nullopt);
    SetControlText(*result, QString());
    result->setToolTip(QString());
    result->setAccessibleDescription(QString());
}

void GraphValueRow::Evaluate()
{
    evaluate(true);
}

void GraphValueRow::evaluate(bool say)
{
    const QString typed = input->text().trimmed();
    if (!record) {
        emit Said(QStringLiteral("Noch nichts berechnet."));
        return;
    }
    if (typed.isEmpty()) {
        clearResult();
        emit Said(QStringLiteral("Erst eine Zahl für x eingeben."));
        return;
    }
    const QFontMetricsF metrics(QApplication::font("QLineEdit"));
    std::optional<ExactNumber> exact;
    if (record->exact.polynomial)
        exact = ExactValueAt(*record->exact.polynomial, typed);
    const double value = exact ? exact->nearest : record->curve.polynomial.ValueAt(Val(typed));
    std::optional<ResultReference> reference;
    QStringList notes;
    if (exact) {
        if (std::isfinite(exact->nearest))
            reference = ResultReference{{exact->decimal, false}, Str(exact->nearest), {}, {}};
        notes << QStringLiteral("Exakt: ") + exactText(exact->decimal);
    } else {
        notes << QStringLiteral("Ohne exakten Bezug: Wert der Gleitkommarechnung");
    }
    result->SetReference(reference);
    SetControlText(*result, Str(value));
    result->setToolTip(notes.join(u'\n'));

    const QString shown = result->PaintedText();
    const DigitReference* digits = reference ? &reference->digits : nullptr;
    const QString asAField = digits ? FitNumber(Str(value), metrics, kValueFieldRoom, digits).text
                                    : FitNumber(Str(value), metrics, kValueFieldRoom);
    const QString at = typed.size() <= kLongestSaidX ? typed : QStringLiteral("x");
    QString sentence;
    if (exact && !std::isfinite(exact->nearest)) {
        // Beyond the doubles: the exact value as far as its digits go, and what a double makes
        // of it.
        sentence = QStringLiteral("p(%1) = %2%3; als Gleitkommazahl: %4")
                       .arg(at, exact->decimal.moreFollow ? QStringLiteral("etwa ") : QString(),
                            exactText(exact->decimal, false), shown);
    } else {
        const bool whole = exact && isExactly(shown, exact->decimal);
        sentence = QStringLiteral("p(%1) = %2%3")
                       .arg(at, whole ? QString() : QStringLiteral("etwa "), shown);
        if (asAField != shown)
            sentence += QStringLiteral("; im Wertfeld: ") + asAField;
    }
    if (!exact)
        sentence += QStringLiteral("; ohne exakten Bezug");
    sentence += u'.';
    result->setAccessibleDescription(ForTheEar(notes.join(QStringLiteral(". "))));
    if (say)
        emit Said(sentence);
}
