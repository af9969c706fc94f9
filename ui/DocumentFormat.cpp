#include "ui/DocumentFormat.h"

#include "ui/PastedTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <cmath>
#include <optional>

namespace {

const QString kFormat = QStringLiteral("kurvalo");
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

QString damaged(const QString& what)
{
    return QStringLiteral("Sie ist beschädigt: %1").arg(what);
}

// The bytes as text. A byte order mark is left out. Bytes that no text holds (NUL and the
// other control codes but tab, line ends and form feed) make it binary. A table may come from
// a program that writes Latin-1; a document is always UTF-8.
std::optional<QString> textOf(QByteArray bytes, bool latin1Allowed, QString& fault)
{
    if (bytes.startsWith(kUtf8Bom))
        bytes.remove(0, 3);
    if (bytes.trimmed().isEmpty()) {
        fault = QStringLiteral("Sie ist leer.");
        return std::nullopt;
    }
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if ((code < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') ||
            code == 0x7F) {
            fault = QStringLiteral("Sie enthält keinen Text, sondern Binärdaten.");
            return std::nullopt;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    if (latin1Allowed)
        return QString::fromLatin1(bytes);
    fault = QStringLiteral("Sie ist keine Textdatei in UTF-8.");
    return std::nullopt;
}

// Where the parser stopped, as a person finds it in an editor.
QString placeOf(const QByteArray& bytes, int offset)
{
    const QByteArray before = bytes.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return QStringLiteral("Zeile %1, Spalte %2").arg(line).arg(column);
}

QString parseFault(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("Ein Doppelpunkt fehlt");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("Ein Komma fehlt");
    case QJsonParseError::UnterminatedObject:
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("Ein Komma oder eine schließende Klammer fehlt");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("Eine Zahl ist ungültig");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("Ein Zeichen mit \\ ist ungültig");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("Ein Text ist kein gültiges UTF-8");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("Der Inhalt ist zu tief verschachtelt");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("Nach dem Ende des Inhalts folgt noch etwas");
    default:
        return QStringLiteral("Der Inhalt ist kein gültiges JSON");
    }
}

std::optional<QString> checkedText(const QString& text, const QString& what, QString& fault);

// A text of the form: what a field can hold.
std::optional<QString> textAt(const QJsonValue& value, const QString& what, QString& fault)
{
    if (value.isUndefined()) {
        fault = damaged(QStringLiteral("%1 fehlt.").arg(what));
        return std::nullopt;
    }
    if (!value.isString()) {
        fault = damaged(QStringLiteral("%1 ist kein Text.").arg(what));
        return std::nullopt;
    }
    return checkedText(value.toString(), what, fault);
}

std::optional<QString> checkedText(const QString& text, const QString& what, QString& fault)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control) {
            fault = damaged(QStringLiteral("%1 enthält Steuerzeichen.").arg(what));
            return std::nullopt;
        }
    }
    return text;
}

std::optional<QJsonArray> arrayAt(const QJsonObject& document, const QString& key,
                                  qsizetype longest, const QString& what, QString& fault)
{
    const QJsonValue value = document.value(key);
    if (!value.isArray()) {
        fault = damaged(QStringLiteral("%1 („%2“) %3.")
                            .arg(what, key,
                                 value.isUndefined() ? QStringLiteral("fehlen")
                                                     : QStringLiteral("sind keine Liste")));
        return std::nullopt;
    }
    const QJsonArray array = value.toArray();
    if (array.size() > longest) {
        fault = damaged(QStringLiteral("Es sind %1 %2, höchstens %3 sind möglich.")
                            .arg(array.size())
                            .arg(what)
                            .arg(longest));
        return std::nullopt;
    }
    return array;
}

// The inputs of a document whose format and version were found right.
std::optional<FormInputs> inputsOf(const QJsonObject& document, QString& fault)
{
    FormInputs inputs;
    const auto count = textAt(document.value(QStringLiteral("count")),
                              QStringLiteral("Die Anzahl der Stützstellen („count“)"), fault);
    if (!count)
        return std::nullopt;
    inputs.count = *count;

    const auto points =
        arrayAt(document, QStringLiteral("points"), 10, QStringLiteral("Stützstellen"), fault);
    if (!points)
        return std::nullopt;
    for (qsizetype k = 0; k < points->size(); ++k) {
        const QJsonValue point = points->at(k);
        if (!point.isObject()) {
            fault = damaged(QStringLiteral("Stützstelle %1 hat kein x und y.").arg(k + 1));
            return std::nullopt;
        }
        const auto x = textAt(point[QStringLiteral("x")],
                              QStringLiteral("x von Stützstelle %1").arg(k + 1), fault);
        const auto y = x ? textAt(point[QStringLiteral("y")],
                                  QStringLiteral("y von Stützstelle %1").arg(k + 1), fault)
                         : std::nullopt;
        if (!y)
            return std::nullopt;
        inputs.abscissae[size_t(k)] = *x;
        inputs.ordinates[size_t(k)] = *y;
    }

    const auto arguments =
        arrayAt(document, QStringLiteral("arguments"), 9, QStringLiteral("Argumente"), fault);
    if (!arguments)
        return std::nullopt;
    for (qsizetype i = 0; i < arguments->size(); ++i) {
        // Argument 1 is the first free one; the fixed argument 0 is not kept.
        const auto text = textAt(arguments->at(i), QStringLiteral("Argument %1").arg(i + 1), fault);
        if (!text)
            return std::nullopt;
        inputs.arguments[size_t(i)] = *text;
    }
    return inputs;
}

DocumentRead faulty(const QString& fault)
{
    DocumentRead read;
    read.fault = fault;
    return read;
}

} // namespace

QByteArray WriteDocument(const FormInputs& inputs, const QJsonObject& beside)
{
    QJsonObject document = beside;
    document.insert(QStringLiteral("format"), kFormat);
    document.insert(QStringLiteral("version"), kDocumentVersion);
    document.insert(QStringLiteral("count"), inputs.count);
    QJsonArray points;
    for (size_t k = 0; k < inputs.abscissae.size(); ++k)
        points.append(QJsonObject{{QStringLiteral("x"), inputs.abscissae[k]},
                                  {QStringLiteral("y"), inputs.ordinates[k]}});
    document.insert(QStringLiteral("points"), points);
    QJsonArray arguments;
    for (const QString& argument : inputs.arguments)
        arguments.append(argument);
    document.insert(QStringLiteral("arguments"), arguments);
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

DocumentRead ReadDocument(const QByteArray& bytes)
{
    QString fault;
    const std::optional<QString> text = textOf(bytes, false, fault);
    if (!text)
        return faulty(fault);
    // Another kind of text (a table, a letter) is told apart from a damaged document.
    if (!text->trimmed().startsWith(u'{'))
        return faulty(QStringLiteral("Sie ist keine Kurvalo-Datei."));

    const QByteArray json = text->toUtf8();
    QJsonParseError error{};
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        // A document cut short fails where it ends.
        if (json.mid(error.offset).trimmed().isEmpty())
            return faulty(damaged(QStringLiteral("Der Inhalt bricht in %1 ab, die Datei ist "
                                                 "unvollständig.")
                                      .arg(placeOf(json, error.offset))));
        return faulty(damaged(
            QStringLiteral("%1 (%2).").arg(parseFault(error.error), placeOf(json, error.offset))));
    }
    const QJsonObject document = parsed.object();
    if (document.value(QStringLiteral("format")).toString() != kFormat)
        return faulty(QStringLiteral("Sie ist keine Kurvalo-Datei."));

    const QJsonValue version = document.value(QStringLiteral("version"));
    // Any number JSON holds, however large, before anything takes it for an integer.
    const double number = version.toDouble(-1);
    if (!version.isDouble() || !(number >= 1) || number != std::floor(number))
        return faulty(damaged(QStringLiteral("Die Formatversion („version“) fehlt oder ist "
                                             "keine ganze Zahl ab 1.")));
    if (number > kDocumentVersion)
        return faulty(QStringLiteral("Sie wurde von einer neueren Version von Kurvalo "
                                     "geschrieben (Format %1); diese Version liest Format %2. "
                                     "Bitte Kurvalo aktualisieren.")
                          .arg(number)
                          .arg(kDocumentVersion));

    const std::optional<FormInputs> inputs = inputsOf(document, fault);
    if (!inputs)
        return faulty(fault);
    DocumentRead read;
    read.inputs = *inputs;
    read.whole = document;
    return read;
}

DocumentRead ReadTable(const QByteArray& bytes, const FormInputs& blank)
{
    QString fault;
    const std::optional<QString> text = textOf(bytes, true, fault);
    if (!text)
        return faulty(fault);
    const PastedCells cells = PointsFromTable(TableFromText(*text));
    switch (cells.outcome) {
    case PastedCells::Outcome::NotATable:
        return faulty(QStringLiteral("Sie enthält keine Tabelle von Stützstellen, nur einen "
                                     "einzelnen Wert."));
    case PastedCells::Outcome::Refused: {
        // What the table paste says of a table holds for the file, which is not pasted.
        QString why = cells.refusal;
        why.remove(QStringLiteral(" Nichts wurde eingefügt."));
        return faulty(why);
    }
    case PastedCells::Outcome::Cells:
        break;
    }
    DocumentRead read;
    read.inputs = blank;
    read.inputs.count = QString::number(cells.first.size());
    for (qsizetype k = 0; k < cells.first.size(); ++k) {
        const auto x = checkedText(cells.first[k].text,
                                   QStringLiteral("x von Stützstelle %1").arg(k + 1), fault);
        const auto y = x ? checkedText(cells.second[k].text,
                                       QStringLiteral("y von Stützstelle %1").arg(k + 1), fault)
                         : std::nullopt;
        if (!y)
            return faulty(fault);
        read.inputs.abscissae[size_t(k)] = *x;
        read.inputs.ordinates[size_t(k)] = *y;
        read.abscissaMarks[size_t(k)] = cells.first[k].mark;
        read.ordinateMarks[size_t(k)] = cells.second[k].mark;
    }
    return read;
}
