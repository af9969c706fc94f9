#include "framework/FileWrite.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

struct KnownReason
{
    int error;
    const char* reason;
};

// The toolkit writes the system's reasons in English whatever the language; these are the ones
// a person meets when saving.
constexpr KnownReason kReasons[] = {
    {ENOSPC, "Auf dem Datenträger ist kein Platz mehr."},
    {EDQUOT, "Der zugeteilte Speicherplatz ist aufgebraucht."},
    {EFBIG, "Die Datei wäre größer, als das System erlaubt."},
    {EACCES, "Keine Berechtigung."},
    {EPERM, "Nicht erlaubt."},
    {EROFS, "Das Dateisystem ist schreibgeschützt."},
    {ENOENT, "Die Datei oder der Ordner existiert nicht."},
    {EISDIR, "Unter diesem Namen gibt es einen Ordner."},
    {ENOTDIR, "Ein Teil des Pfads ist kein Ordner."},
    {ENAMETOOLONG, "Der Name ist zu lang."},
    {ETXTBSY, "Die Datei wird gerade benutzt."},
    {EBUSY, "Die Datei wird gerade benutzt."},
    {EIO, "Beim Zugriff auf den Datenträger ist ein Fehler aufgetreten."},
};

} // namespace

QString FileErrorReason(const QFileDevice& file)
{
    const QString said = file.errorString();
    for (const KnownReason& known : kReasons) {
        if (said.contains(qt_error_string(known.error)))
            return QString::fromUtf8(known.reason);
    }
    return said;
}

std::optional<QString> WriteWhole(const QString& path, const QByteArray& bytes)
{
    // Said in our own words: the toolkit's would be English.
    if (QFileInfo(path).isDir())
        return QStringLiteral("Unter diesem Namen gibt es einen Ordner.");
    QSaveFile file(path);
    // Unbuffered, so that a write cut short is seen here: a buffered one would be cut short
    // when the buffer is flushed at the commit, and the toolkit renames the cut file all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileErrorReason(file);
    // A write may take only part of the bytes (a size limit, a nearly full disk) and still
    // count as a success: write on until all are taken or one write fails with the reason.
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 taken = file.write(bytes.constData() + written, bytes.size() - written);
        if (taken <= 0) {
            const QString reason = FileErrorReason(file);
            file.cancelWriting();
            return reason;
        }
        written += taken;
    }
    if (!file.commit())
        return FileErrorReason(file);
    return std::nullopt;
}
