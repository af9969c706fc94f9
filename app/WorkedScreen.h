#pragma once
// The worked solution on screen: a rich text document with fractions numerator over
// denominator, tables for the points, the scheme, the coefficients and the values, German for
// the ear, and integers of more than 60 digits shortened in the middle (whole in the tooltip
// and when copied).

#include <QString>

class QTextDocument;
struct WorkedSolution;

// A new document; a stale one begins with a note saying so.
QTextDocument* WorkedSolutionDocument(const WorkedSolution& solution, bool stale);
// A document of one note, before anything was computed.
QTextDocument* NoteDocument(const QString& note);

// "123456789012…(1000 Ziffern)…345678901234" for an integer of more than 60 digits.
QString ShortenedInteger(const QString& digits);
