#pragma once
// The way every export goes: a save dialog over the window, the file written whole or not at
// all, and the person told how it went.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

struct ExportKind
{
    QString title;        // of the dialog and of a message: the command's name
    QString proposedName; // the name first offered, with its extension
    // "PNG-Bild (*.png)": one for each format; the first is offered first. A name typed without
    // an extension gets the one of the filter chosen.
    QStringList filters;
};

// What writing a file gives: nothing on success, else the reason, in German.
using FileWriter = std::function<std::optional<QString>(const QString& path)>;

// Asks where to write (beside the open document, as "NAME-Bericht.pdf"; without one in the
// folder of the last export, at first the documents folder), writes there, then announces
// "Exportiert: NAME", or shows a message naming the file and the reason.
void ExportWithDialog(QWidget& window, const ExportKind& kind, const FileWriter& write);

// Writes and tells how it went, as after the dialog; true when written.
bool ExportTo(QWidget& window, const QString& title, const QString& path, const FileWriter& write);
