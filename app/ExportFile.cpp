#include "app/ExportFile.h"

#include "app/Documents.h"
#include "framework/Announcer.h"
#include "framework/MsgBox.h"
#include "ui/HauptFenster.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The folder of the last export in this run, where the next dialog opens.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

// "png" of "PNG-Bild (*.png)".
QString suffixOf(const QString& filter)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

// Where a folder that is not there would leave the dialog in the working directory.
QString firstFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

void ExportWithDialog(QWidget& window, const ExportKind& kind, const FileWriter& write)
{
    // Beside the open document and named after it, as the rest of its work is kept; else
    // where the last export went.
    const QFileInfo document(Documents::Of(HauptFenster::instance()).FilePath());
    const bool besideDocument = !document.filePath().isEmpty();
    if (lastFolder().isEmpty())
        lastFolder() = firstFolder();
    QFileDialog dialog(&window, kind.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(kind.filters);
    dialog.setDefaultSuffix(suffixOf(kind.filters.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    dialog.setDirectory(besideDocument ? document.absolutePath() : lastFolder());
    dialog.selectFile(besideDocument ? document.completeBaseName() + u'-' + kind.proposedName
                                     : kind.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder() = QFileInfo(path).absolutePath();
    ExportTo(window, kind.title, path, write);
}

bool ExportTo(QWidget& window, const QString& title, const QString& path, const FileWriter& write)
{
    if (const std::optional<QString> reason = write(path)) {
        MsgBox(QStringLiteral("„%1“ wurde nicht geschrieben.\n\n%2")
                   .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), *reason),
               kOkOnly, title, &window);
        return false;
    }
    Announce(window, QStringLiteral("Exportiert: ") + QFileInfo(path).fileName());
    return true;
}
