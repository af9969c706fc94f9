#pragma once
// Numbers as a German voice should read them. A German voice takes the point in "2.375" for a
// thousands separator and says "two thousand three hundred seventy-five", and it passes over
// the hyphen of an exponent: "3.0518e-05" comes out as "three point ... e zero five".

#include <QString>
#include <QStringList>

// Same length, character for character, so that offsets into it are offsets into the text:
// every decimal point between two digits becomes a comma, the minus of an exponent the minus
// sign U+2212, which voices read as "minus". The text on screen, copied and in tooltips keeps
// what Str wrote.
QString NumbersForTheEar(QString text);

// For sentences, where lengths do not matter: the same commas, an exponent spoken as
// "mal 10 hoch minus 5" and a power "x^2" as "x hoch 2"; the full stops that end sentences stay.
QString NumbersInWords(const QString& text);

// The text with the umlauts that `words` spell out ("Stuetzstellen": ue, oe, ae) written as
// umlauts for the ear: the vowel with a combining diaeresis, so that the length stays that of
// the text. Only the words listed change: "neue" or "Quelle" spell nothing out.
QString UmlautsForTheEar(const QString& text, const QStringList& words);
