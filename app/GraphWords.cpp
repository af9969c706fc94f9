#include "app/GraphWords.h"

#include "calc/ComputeRecord.h"
#include "framework/NumberFit.h"
#include "framework/NumberText.h"
#include "framework/SpokenText.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <cmath>

namespace {

// The room of the text in a value field of the main window (59 pixels less its frame and
// margins): p(x) at the cursor is given as such a field shows it.
constexpr int kValueFieldRoom = 50;

QString withSignMinus(QString text)
{
    static const QRegularExpression sign(QStringLiteral("(?<![\\w.])-(?=\\d)"));
    return text.replace(sign, QStringLiteral("\u2212"));
}

// "-1.41421" as the reader is told it: "etwa -1.41421" where rounded.
QString spokenNumber(const ShapeNumber& number)
{
    if (!number.settled)
        return QStringLiteral("zwischen %1 und %2").arg(number.text, number.upTo);
    return number.exact ? number.text : QStringLiteral("etwa ") + number.text;
}

QString multiplicityWord(int multiplicity)
{
    static const char* const words[] = {"",         "",         "doppelt",   "dreifach",
                                        "vierfach", "fünffach", "sechsfach", "siebenfach",
                                        "achtfach", "neunfach"};
    return multiplicity >= 2 && multiplicity <= 9 ? QString::fromUtf8(words[multiplicity])
                                                  : QString();
}

QString turnName(TurnKind kind)
{
    switch (kind) {
    case TurnKind::Maximum:
        return QStringLiteral("Hochpunkt");
    case TurnKind::Minimum:
        return QStringLiteral("Tiefpunkt");
    case TurnKind::Saddle:
        return QStringLiteral("Sattelpunkt");
    }
    return {};
}

// "a", "a und b", "a, b und c".
QString listed(const QStringList& items)
{
    if (items.size() <= 1)
        return items.value(0);
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) +
           QStringLiteral(" und ") + items.last();
}

QString zeroWords(const CurveZero& zero)
{
    QString words = spokenNumber(zero.x);
    const QString times = multiplicityWord(zero.multiplicity);
    if (!times.isEmpty())
        words += QStringLiteral(" (") + times + u')';
    return words;
}

QString turnPoint(const CurveTurn& turn)
{
    return QStringLiteral("(%1 | %2)").arg(spokenNumber(turn.x), spokenNumber(turn.y));
}

QString risesAndFalls(const CurveShape& shape)
{
    if (shape.slopeBefore == 0)
        return QStringLiteral("konstant");
    QStringList pieces;
    int slope = shape.slopeBefore;
    for (const CurveTurn& turn : shape.turns) {
        if (turn.kind == TurnKind::Saddle)
            continue;
        pieces << (slope > 0 ? QStringLiteral("steigt bis ") : QStringLiteral("fällt bis ")) +
                      spokenNumber(turn.x);
        slope = -slope;
    }
    if (pieces.isEmpty())
        return slope > 0 ? QStringLiteral("steigt überall") : QStringLiteral("fällt überall");
    pieces << (slope > 0 ? QStringLiteral("steigt danach") : QStringLiteral("fällt danach"));
    return pieces.join(QStringLiteral(", "));
}

// Where the text has no exact value, the double Lagrange form's value as the compute has it.
QString valueAsAField(const ComputeRecord& record, const QString& xText)
{
    const QFontMetricsF metrics(QApplication::font("QLineEdit"));
    if (const auto& exact = record.exact.polynomial) {
        if (const std::optional<ExactNumber> value = ExactValueAt(*exact, xText)) {
            const DigitReference reference{value->decimal, false};
            return FitNumber(Str(value->nearest), metrics, kValueFieldRoom, &reference).text;
        }
    }
    return FitNumber(Str(record.curve.polynomial.ValueAt(Val(xText))), metrics, kValueFieldRoom);
}

} // namespace

QString ForTheEye(const QString& sentence)
{
    return withSignMinus(NumbersForTheEar(sentence));
}

QString ForTheEar(const QString& sentence)
{
    return withSignMinus(NumbersInWords(sentence));
}

QString ShapeSentence(const CurveShape& shape,
                      const std::function<bool(double x, double y)>& inView)
{
    if (!shape.known)
        return QStringLiteral("Nicht bestimmt: zu viel Rechenarbeit.");
    if (shape.zeroEverywhere)
        return QStringLiteral("Überall 0.");
    const QString outside = QStringLiteral(" (außerhalb der Ansicht)");
    QStringList zeros;
    for (const CurveZero& zero : shape.zeros)
        zeros << zeroWords(zero) + (inView(zero.x.nearest, 0.0) ? QString() : outside);
    QStringList parts;
    if (zeros.isEmpty())
        parts << QStringLiteral("Keine Nullstelle");
    else
        parts << (zeros.size() == 1 ? QStringLiteral("Nullstelle bei ")
                                    : QStringLiteral("Nullstellen bei ")) +
                     listed(zeros);
    for (const CurveTurn& turn : shape.turns)
        parts << turnName(turn.kind) + u' ' + turnPoint(turn) +
                     (inView(turn.x.nearest, turn.y.nearest) ? QString() : outside);
    parts << risesAndFalls(shape);
    return parts.join(QStringLiteral("; ")) + u'.';
}

QString CursorReadout(const ComputeRecord& record, double x)
{
    const QString xText = Str(x);
    return QStringLiteral("x = %1; p(x) = %2").arg(xText, valueAsAField(record, xText));
}

std::vector<GraphCursor::Kind> CursorKinds(const ComputeRecord& record, const CurveShape* shape,
                                           const QString& unknownBecause)
{
    GraphCursor::Kind points{Qt::Key_S,
                             QStringLiteral("Keine weitere Stützstelle links."),
                             QStringLiteral("Keine weitere Stützstelle rechts."),
                             {}};
    for (int k = 0; k < record.PointsInUse(); ++k) {
        const double x = record.xwert[size_t(k)];
        points.stops.push_back({x, QStringLiteral("Stützstelle %1: ").arg(k + 1), {}, true});
    }
    GraphCursor::Kind arguments{Qt::Key_W,
                                QStringLiteral("Kein weiteres Argument links."),
                                QStringLiteral("Kein weiteres Argument rechts."),
                                {}};
    for (int row = 0; row < 10; ++row) {
        if (!record.Evaluated(row))
            continue;
        const double x = record.Argument(row);
        arguments.stops.push_back({x, QStringLiteral("Argument %1: ").arg(row + 1), {}, true});
    }

    if (shape && !shape->known)
        shape = nullptr;
    const QString unknown = shape ? QString() : u' ' + unknownBecause;
    GraphCursor::Kind zeros{Qt::Key_N,
                            QStringLiteral("Keine weitere Nullstelle links.") + unknown,
                            QStringLiteral("Keine weitere Nullstelle rechts.") + unknown,
                            {}};
    GraphCursor::Kind turns{
        Qt::Key_E,
        QStringLiteral("Kein weiterer Hoch-, Tief- oder Sattelpunkt links.") + unknown,
        QStringLiteral("Kein weiterer Hoch-, Tief- oder Sattelpunkt rechts.") + unknown,
        {}};
    if (shape) {
        for (const CurveZero& zero : shape->zeros) {
            const QString times = multiplicityWord(zero.multiplicity);
            const QString name = times.isEmpty() ? QStringLiteral("Nullstelle")
                                                 : times + QStringLiteral("e Nullstelle");
            zeros.stops.push_back({zero.x.nearest,
                                   name + QStringLiteral(": x = ") + spokenNumber(zero.x) +
                                       QStringLiteral("; p(x) = 0"),
                                   QStringLiteral("Nullstelle bei ") + spokenNumber(zero.x)});
        }
        for (const CurveTurn& turn : shape->turns) {
            turns.stops.push_back({turn.x.nearest,
                                   turnName(turn.kind) + QStringLiteral(": x = ") +
                                       spokenNumber(turn.x) + QStringLiteral("; p(x) = ") +
                                       spokenNumber(turn.y),
                                   turnName(turn.kind) + u' ' + turnPoint(turn)});
        }
    }
    return {std::move(points), std::move(arguments), std::move(zeros), std::move(turns)};
}

QString GraphKeys()
{
    // Said whenever the window becomes active: short, the README has the whole table.
    return QStringLiteral(
        "Tasten: Komma und Punkt ein Schritt auf der Kurve, N Nullstelle, E Hoch-, Tief- oder "
        "Sattelpunkt, S Stützstelle, W Argument, mit Umschalt zurück, Leertaste noch einmal, "
        "V Verlauf, Alt+W Wert an der Stelle, Menütaste Befehle.");
}
