#pragma once
// Nothing typed is lost in a crash, a kill or a power cut: while the document has unsaved
// changes, its inputs, its file and its unsaved mark are kept in a recovery file, written in a
// document's format, atomically, within a second of each change. A normal end removes it. The
// next start finds a file that no running Kurvalo holds and offers to restore it.
//
// Each running Kurvalo keeps its own recovery file, claimed by a lock file beside it, once there
// is anything to keep. A recovery file whose lock no living process holds is an orphan.

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class Documents;
class QLockFile;
class QSessionManager;

class Recovery final : public QObject
{
    Q_OBJECT
public:
    // Keeps the document's inputs in `folder`; a child of `documents`. Nothing is read or
    // written until there is something to keep or to offer: a start without a recovery file pays
    // for no more than a look at the folder.
    explicit Recovery(Documents& documents, const QString& folder = DefaultFolder());
    ~Recovery() override;

    // In the user's data folder.
    static QString DefaultFolder();

    // Offers the newest orphan, if any, to be restored, discarded or kept for later.
    void OfferRestore();
    // The end of a normal run, also when the window closes: the recovery file goes, unless the
    // session ended without a chance to ask about unsaved changes.
    void End();

    // The session is ending: unsaved changes are asked for where the session lets the program
    // ask; else they are kept for the next start. False: the person cancelled the logout.
    bool AtSessionEnd(bool mayAsk);

    // This Kurvalo's recovery file; empty until it first had something to keep.
    QString FilePath() const;

private:
    void Schedule();
    void Write();
    bool Claim();
    void CommitData(QSessionManager& manager);

    Documents& documents;
    const QString folder;
    QString id;
    std::unique_ptr<QLockFile> lock;
    QTimer timer;
    bool keepAtEnd = false;
};
