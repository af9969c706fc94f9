#include "framework/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

enum class Access
{
    Read,
    Write
};

// What the system said, for the person. Qt's own texts for these are English and say less.
QString reasonOf(int error, Access access)
{
    switch (error) {
    case EACCES:
        return access == Access::Read ? QStringLiteral("Keine Berechtigung zum Lesen.")
                                      : QStringLiteral("Keine Berechtigung zum Schreiben.");
    case EPERM:
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Die Datei ist gesperrt.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOSPC:
        return QStringLiteral("Der Datenträger ist voll.");
    case EDQUOT:
        return QStringLiteral("Das Speicherkontingent ist erschöpft.");
    case EFBIG:
        return QStringLiteral("Die Datei wäre größer, als das System erlaubt.");
    case ENOENT:
    case ENOTDIR:
        return access == Access::Read ? QStringLiteral("Es gibt sie nicht (mehr).")
                                      : QStringLiteral("Den Ordner gibt es nicht (mehr).");
    case EISDIR:
        return QStringLiteral("Das ist ein Ordner.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Name ist zu lang.");
    case EIO:
        return QStringLiteral("Der Datenträger meldet einen Ein-/Ausgabefehler.");
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        return QStringLiteral("Dem System fehlen gerade die Mittel dazu.");
    default:
        return QStringLiteral("Das System meldet Fehler %1.").arg(error);
    }
}

// Whether the process may, with its effective rights (access() asks for the real ones): 0, or
// the reason as an error number.
int deniedAccess(const QString& path, int mode)
{
    errno = 0;
    return faccessat(AT_FDCWD, QFile::encodeName(path).constData(), mode, AT_EACCESS) == 0 ? 0
                                                                                           : errno;
}

// The error number a failed call left, or the nearest a Qt error class names.
int errorAfter(QFileDevice::FileError error)
{
    if (errno != 0)
        return errno;
    return error == QFileDevice::ResourceError ? ENOSPC : EIO;
}

} // namespace

QString SizeText(qint64 bytes)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    if (bytes < 1024)
        return QStringLiteral("%1 Bytes").arg(bytes);
    if (bytes < 1024 * 1024)
        return german.toString(double(bytes) / 1024, 'f', 1) + QStringLiteral(" KB");
    return german.toString(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
}

FileRead ReadWholeFile(const QString& path, qint64 largest)
{
    FileRead read;
    const QFileInfo info(path);
    if (!info.exists()) {
        read.fault = reasonOf(ENOENT, Access::Read);
        return read;
    }
    if (info.isDir()) {
        read.fault = reasonOf(EISDIR, Access::Read);
        return read;
    }
    // A device or a pipe may never end, or block the program while it waits.
    if (!info.isFile()) {
        read.fault = QStringLiteral("Sie ist keine gewöhnliche Datei.");
        return read;
    }
    const auto tooLarge = [&](qint64 size) {
        read.fault = QStringLiteral("Sie ist mit %1 zu groß; Kurvalo öffnet Dateien bis %2.")
                         .arg(SizeText(size), SizeText(largest));
        read.bytes.clear();
    };
    if (info.size() > largest) {
        tooLarge(info.size());
        return read;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        read.fault = reasonOf(errorAfter(file.error()), Access::Read);
        return read;
    }
    // One byte more than allowed tells a file that grew since it was measured.
    read.bytes = file.read(largest + 1);
    if (file.error() != QFileDevice::NoError) {
        read.fault = reasonOf(errorAfter(file.error()), Access::Read);
        read.bytes.clear();
    } else if (read.bytes.size() > largest) {
        tooLarge(file.size());
    }
    return read;
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    // Beyond a file size limit the system ends a writing process unless it has said that it
    // handles the failed write itself, as it does here.
    static const bool handlesSizeLimit = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    Q_UNUSED(handlesSizeLimit);
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return reasonOf(ENOENT, Access::Write);
    if (info.isDir())
        return reasonOf(EISDIR, Access::Write);
    // The new file is made beside the old one.
    if (const int denied = deniedAccess(folder, W_OK | X_OK))
        return denied == EACCES
                   ? QStringLiteral("Keine Berechtigung zum Schreiben in diesem Ordner.")
                   : reasonOf(denied, Access::Write);
    // It replaces the old one by renaming, which a write-protected file would allow: the
    // protection is honoured here, as writing into the file would.
    if (info.exists()) {
        if (const int denied = deniedAccess(path, W_OK))
            return denied == EACCES ? QStringLiteral("Die Datei ist schreibgeschützt.")
                                    : reasonOf(denied, Access::Write);
    }

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return reasonOf(errorAfter(file.error()), Access::Write);
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errorAfter(file.error());
        file.cancelWriting();
        return reasonOf(error, Access::Write);
    }
    errno = 0;
    if (!file.commit())
        return reasonOf(errorAfter(file.error()), Access::Write);
    return {};
}
