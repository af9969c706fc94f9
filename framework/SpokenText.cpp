#include "framework/SpokenText.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& decimalPoint()
{
    static const QRegularExpression point(QStringLiteral("(?<=\\d)\\.(?=\\d)"));
    return point;
}

} // namespace

QString NumbersForTheEar(QString text)
{
    static const QRegularExpression exponentMinus(QStringLiteral("(?<=\\de)-(?=\\d)"));
    text.replace(decimalPoint(), QStringLiteral(","));
    return text.replace(exponentMinus, QStringLiteral("\u2212"));
}

QString NumbersInWords(const QString& text)
{
    // "3.0518e-05": the mantissa, then the exponent without its leading zeros.
    static const QRegularExpression exponent(QStringLiteral("(?<=\\d)e([+-]?)0*(\\d+)\\b"));
    // "x^2" is heard as "x zwei".
    static const QRegularExpression power(QStringLiteral("\\^(?=\\d)"));
    QString words = QString(text)
                        .replace(decimalPoint(), QStringLiteral(","))
                        .replace(power, QStringLiteral(" hoch "));
    QString result;
    qsizetype last = 0;
    for (auto it = exponent.globalMatch(words); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += words.mid(last, match.capturedStart() - last);
        result += QStringLiteral(" mal 10 hoch ");
        if (match.captured(1) == u"-")
            result += QStringLiteral("minus ");
        result += match.captured(2);
        last = match.capturedEnd();
    }
    return result + words.mid(last);
}

QString UmlautsForTheEar(const QString& text, const QStringList& words)
{
    static const QRegularExpression spelledOut(QStringLiteral("([AOUaou])e"));
    QString heard = text;
    for (const QString& word : words) {
        QString umlauts = word;
        umlauts.replace(spelledOut, QStringLiteral("\\1\u0308"));
        heard.replace(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word)), umlauts);
    }
    return heard;
}
