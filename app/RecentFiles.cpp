#include "app/RecentFiles.h"

#include "framework/Menu.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr int kKept = 10;
const QString kFilesKey = QStringLiteral("Dokumente/ZuletztGeoeffnet");

// Read afresh each time: another Kurvalo window may have added a file since.
QSettings& settings()
{
    static QSettings kept(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kurvalo"),
                          QStringLiteral("Kurvalo"));
    kept.sync();
    return kept;
}

// A name as a menu shows it: an ampersand in it is no mnemonic.
QString menuText(int number, const QString& path)
{
    QString name = QFileInfo(path).fileName();
    name.replace(u'&', QStringLiteral("&&"));
    // The first nine are chosen by their digit.
    const QString label = number < 10 ? u'&' + QString::number(number) : QString::number(number);
    return label + u' ' + name;
}

} // namespace

QStringList RecentFiles()
{
    return settings().value(kFilesKey).toStringList();
}

// Written to disk when the event loop is next idle: an open or a save does not wait for it.
void RememberFile(const QString& path)
{
    const QStringList before = RecentFiles();
    QStringList files = before;
    files.removeAll(path);
    files.prepend(path);
    files = files.mid(0, kKept);
    if (files != before)
        settings().setValue(kFilesKey, files);
}

void ForgetRecentFiles()
{
    settings().remove(kFilesKey);
    settings().sync();
}

QString LastFolder()
{
    const QStringList files = RecentFiles();
    return files.isEmpty() ? QString() : QFileInfo(files.first()).absolutePath();
}

void AppendRecentFiles(MenuItem& menu, const std::function<void(const QString&)>& open)
{
    // Read afresh: another Kurvalo window may have added a file since.
    settings().sync();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        auto* item = new MenuItem;
        item->SetName(QStringLiteral("FileZuletzt%1").arg(i + 1));
        item->SetAutoEnable(true);
        item->SetText(menuText(i + 1, files[i]));
        const QString path = files[i];
        item->SetHandler([open, path] { open(path); });
        item->SetDescription(QStringLiteral("Öffnet ") + QDir::toNativeSeparators(path));
        menu.Append(*item);
    }
    if (files.isEmpty())
        return;
    auto* line = new MenuItem;
    line->SetName(QStringLiteral("FileZuletztTrennlinie"));
    line->SetText(QStringLiteral("-"));
    menu.Append(*line);
    auto* forget = new MenuItem;
    forget->SetName(QStringLiteral("FileZuletztLeeren"));
    forget->SetAutoEnable(true);
    forget->SetText(QStringLiteral("Liste &leeren"));
    forget->SetHandler(ForgetRecentFiles);
    forget->SetDescription(QStringLiteral("Leert die Liste der zuletzt geöffneten Dateien"));
    menu.Append(*forget);
}
