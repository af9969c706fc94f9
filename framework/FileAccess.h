#pragma once
// Whole files in and out, for documents. A file is read whole or not at all, up to a limit, so
// that nothing hostile (a device, a growing log, a huge file) can hold the program. A file is
// written to a temporary file beside it that is renamed over it when complete, so that a full
// disk, a crash or a power cut during the write leave the old file whole. Why a file cannot be
// read or written is told as a German sentence for the person.

#include <QByteArray>
#include <QString>

struct FileRead
{
    QByteArray bytes;
    QString fault; // empty: read whole
};

FileRead ReadWholeFile(const QString& path, qint64 largest);

// The reason of a failure, or an empty text once the file holds `bytes`.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

// A size as a person reads it: "1,5 MB", "812 Bytes".
QString SizeText(qint64 bytes);
