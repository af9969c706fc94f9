#pragma once
// Writing a file whole or not at all: the bytes go into a temporary file beside it, which is
// renamed over the old one only once everything is on disk. A failure leaves the old file as
// it was and says why, in words for the person.

#include <QByteArray>
#include <QString>
#include <optional>

class QFileDevice;

// Writes `bytes` into `path`. Nothing on success; else the reason, in German.
std::optional<QString> WriteWhole(const QString& path, const QByteArray& bytes);

// Why an operation on `file` failed, in German where the system's reason is one we know; else
// the toolkit's own words.
QString FileErrorReason(const QFileDevice& file);
