#include "app/Recovery.h"

#include "app/Documents.h"
#include "framework/FileAccess.h"
#include "framework/MsgBox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonObject>
#include <QLocale>
#include <QLockFile>
#include <QSessionManager>
#include <QStandardPaths>

namespace {

// Well within the second a change may wait; the timer is not restarted by further changes, so
// steady typing is kept as steadily.
constexpr int kWriteAfterMs = 300;
const QString kRecoveryKey = QStringLiteral("recovery");
const QString kSuffix = QStringLiteral(".kurvalo");

QString when(const QDateTime& time)
{
    return QLocale(QLocale::German, QLocale::Germany)
        .toString(time, QStringLiteral("dd.MM.yyyy 'um' HH:mm 'Uhr'"));
}

// Takes the lock of a recovery file whose owner is gone. A lock under this very process's number
// is one from before a restart: this process has not claimed one yet.
bool takeOrphanLock(QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application) && pid == QCoreApplication::applicationPid())
        lock.removeStaleLockFile();
    return lock.tryLock(0);
}

} // namespace

Recovery::Recovery(Documents& documents, const QString& folder)
    : QObject(&documents)
    , documents(documents)
    , folder(folder)
{
    timer.setSingleShot(true);
    timer.setInterval(kWriteAfterMs);
    connect(&timer, &QTimer::timeout, this, &Recovery::Write);
    connect(&documents, &Documents::Changed, this, &Recovery::Schedule);
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this, &Recovery::CommitData,
                Qt::DirectConnection);
}

// Goes with the main window, whose closing is a normal end.
Recovery::~Recovery()
{
    End();
}

QString Recovery::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/Wiederherstellung");
}

QString Recovery::FilePath() const
{
    return id.isEmpty() ? QString() : folder + u'/' + id + kSuffix;
}

void Recovery::Schedule()
{
    if (!timer.isActive())
        timer.start();
}

bool Recovery::Claim()
{
    if (lock)
        return true;
    if (!QDir().mkpath(folder))
        return false;
    // What was typed is the person's alone.
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString name = QStringLiteral("%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    auto claimed = std::make_unique<QLockFile>(folder + u'/' + name + QStringLiteral(".lock"));
    // Held as long as this process lives, however long that is.
    claimed->setStaleLockTime(0);
    if (!claimed->tryLock(0))
        return false;
    id = name;
    lock = std::move(claimed);
    return true;
}

// Without unsaved changes there is nothing to keep: the file on disk holds it all. A failed write
// is tried again at the next change.
void Recovery::Write()
{
    if (!documents.IsModified()) {
        if (!id.isEmpty())
            QFile::remove(FilePath());
        return;
    }
    if (!Claim())
        return;
    const QJsonObject origin{{QStringLiteral("file"), documents.FilePath()},
                             {QStringLiteral("modified"), true}};
    WriteWholeFile(FilePath(), WriteDocument(documents.Inputs(), {{kRecoveryKey, origin}}));
}

void Recovery::End()
{
    timer.stop();
    // Kept: written when the session ended.
    if (!keepAtEnd && !id.isEmpty())
        QFile::remove(FilePath());
    // The lock goes with it: an orphan from now on, if the file was kept.
    lock.reset();
}

void Recovery::OfferRestore()
{
    const QDir dir(folder);
    if (!dir.exists())
        return;
    const QFileInfoList files =
        dir.entryInfoList({u'*' + kSuffix}, QDir::Files, QDir::Time); // newest first
    for (const QFileInfo& file : files) {
        const QString orphan = file.completeBaseName();
        if (orphan == id)
            continue;
        auto orphanLock =
            std::make_unique<QLockFile>(folder + u'/' + orphan + QStringLiteral(".lock"));
        orphanLock->setStaleLockTime(0);
        if (!takeOrphanLock(*orphanLock))
            continue; // another Kurvalo's, running now

        const FileRead bytes = ReadWholeFile(file.filePath(), kLargestDocument);
        DocumentRead read;
        if (bytes.fault.isEmpty())
            read = ReadDocument(bytes.bytes);
        else
            read.fault = bytes.fault;
        if (!read.fault.isEmpty()) {
            // Kept aside, never offered again, never deleted.
            const QString aside = file.filePath() + QStringLiteral(".beschaedigt");
            QFile::rename(file.filePath(), aside);
            MsgBox(QStringLiteral("Die Wiederherstellungsdatei „%1“ kann nicht gelesen werden: %2 "
                                  "Sie liegt jetzt unter „%3“.")
                       .arg(QDir::toNativeSeparators(file.filePath()), read.fault,
                            QDir::toNativeSeparators(aside)),
                   kOkOnly | kExclamation, QStringLiteral("Wiederherstellen"));
            continue;
        }
        const QJsonObject origin = read.whole.value(kRecoveryKey).toObject();
        const QString path = origin.value(QStringLiteral("file")).toString();
        const bool modified = origin.value(QStringLiteral("modified")).toBool(true);
        const QString of = path.isEmpty()
                               ? QString()
                               : QStringLiteral(" zu „%1“")
                                     .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()));
        using Role = AskAnswer::Role;
        const int answer =
            Ask(QStringLiteral("Kurvalo wurde zuletzt nicht regulär beendet. Ungespeicherte "
                               "Eingaben%1 vom %2 sind erhalten geblieben. Sollen sie "
                               "wiederhergestellt werden?")
                    .arg(of, when(file.lastModified())),
                QStringLiteral("Wiederherstellen"),
                {{QStringLiteral("&Wiederherstellen"), Role::Accept},
                 {QStringLiteral("&Verwerfen"), Role::Destroy},
                 {QStringLiteral("&Später"), Role::Reject}});
        if (answer == 0 && documents.Restore(read.inputs, path, modified)) {
            // This Kurvalo carries on with the orphan's file and lock.
            if (lock) {
                QFile::remove(FilePath());
                lock.reset();
            }
            id = orphan;
            lock = std::move(orphanLock);
        } else if (answer == 1) {
            QFile::remove(file.filePath());
        }
        // One at a time: any others are offered at the next start.
        return;
    }
}

bool Recovery::AtSessionEnd(bool mayAsk)
{
    if (!documents.IsModified())
        return true;
    if (!mayAsk) {
        keepAtEnd = true;
        Write();
        return true;
    }
    return documents.AskToSaveChanges();
}

void Recovery::CommitData(QSessionManager& manager)
{
    const bool mayAsk = manager.allowsInteraction();
    if (!AtSessionEnd(mayAsk))
        manager.cancel();
    if (mayAsk)
        manager.release();
}
