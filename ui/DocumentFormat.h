#pragma once
// A Kurvalo document: the texts of the main form's inputs exactly as typed, hidden rows too,
// kept as a small versioned JSON text (UTF-8, extension .kurvalo). Results are not kept: they
// come from "Berechnen". Reading checks everything before anything is given back, so that a
// form is filled only from a document that was read whole. Table files (.csv, .tsv, .txt) are
// read with the rules of a pasted table. Faults are told in German, as a sentence that follows
// "Die Datei … kann nicht geöffnet werden:".

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <array>

// The texts of the form's inputs: the count, the ten support points and the arguments of rows
// 1..9 (row 0 is the fixed argument 0, no input).
struct FormInputs
{
    QString count;
    std::array<QString, 10> abscissae;
    std::array<QString, 10> ordinates;
    std::array<QString, 9> arguments;

    bool operator==(const FormInputs&) const = default;
};

// The format this program writes, and the newest it reads.
inline constexpr int kDocumentVersion = 1;
// The largest file opened: far beyond any form's inputs, and read in an instant.
inline constexpr qint64 kLargestDocument = 1024 * 1024;

struct DocumentRead
{
    FormInputs inputs;
    QJsonObject whole; // the document as read, keys this program does not know included
    QString fault;     // empty: read whole
    // A table's cells that read otherwise than they show ("1.234,50"), by support row: why
    // their fields are marked, as a paste marks them; empty where a cell reads as it stands.
    std::array<QString, 10> abscissaMarks;
    std::array<QString, 10> ordinateMarks;
};

// `beside`: further keys written next to the inputs (a recovery file keeps its origin there).
QByteArray WriteDocument(const FormInputs& inputs, const QJsonObject& beside = {});
DocumentRead ReadDocument(const QByteArray& bytes);

// A table of points in a text file, opened as a new document: `blank` (the form as at start)
// with the count and the points of the table.
DocumentRead ReadTable(const QByteArray& bytes, const FormInputs& blank);
