#pragma once
// The main window's document: the inputs of its form, the file they belong to and whether they
// have changed since that file was opened or saved. The File menu's items Neu, Öffnen…, Zuletzt
// geöffnet, Speichern and Speichern unter…, a file dropped on the window and a file named on
// the command line all come here; whatever would discard unsaved changes asks first, in
// AskToSaveChanges.

#include "ui/DocumentFormat.h"

#include <QObject>
#include <QString>
#include <optional>

class HauptFenster;

class Documents final : public QObject
{
    Q_OBJECT
public:
    // Serves the window's form and the File items of its menu bar; a child of the window.
    explicit Documents(HauptFenster& window);

    // The documents of the main window.
    static Documents& Of(const HauptFenster& window);

    FormInputs Inputs() const;
    // The file, as an absolute path; empty while the document has none.
    const QString& FilePath() const { return filePath; }
    bool IsModified() const { return modified; }

    // "Neu": the form as at start, without a file.
    void New();
    // Opens a .kurvalo document, or a table file as a new document without a file. Faults are
    // told in a message, and the form stays as it was. `askFirst`: unsaved changes are asked
    // for once the file has been read and found good.
    bool Open(const QString& path, bool askFirst = true);
    // "Speichern": to the document's file, or where the person chooses.
    bool Save();
    bool SaveAs();
    // Writes the document to `path`, which becomes its file. A failure is told, and the
    // document stays as it was, unsaved.
    bool SaveTo(const QString& path);

    // Whether the person lets unsaved changes go: none, or saved now, or discarded. The one
    // question asked before anything replaces the form.
    bool AskToSaveChanges();

    // Inputs brought back after an abnormal end, with their file and unsaved mark. False, once
    // told, when a field could not hold them.
    bool Restore(const FormInputs& inputs, const QString& path, bool modifiedThen);

    // The form as it was when the window was built.
    const FormInputs& StartInputs() const { return startInputs; }

signals:
    // The inputs, the file or the unsaved mark changed.
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct OpenedFile
    {
        DocumentRead read;
        bool table; // opens as a new document, without a file
    };

    void InstallMenuItems();
    void WatchInputs();
    // The commands of the File items.
    void CommandNew();
    void CommandOpen();
    void CommandOpenRecent(const QString& path);
    void CommandSave();
    void CommandSaveAs();
    // The file read and checked whole, or nothing once its fault has been told.
    std::optional<OpenedFile> ReadFile(const QString& path);
    // Why the form cannot take the inputs (a field holds fewer characters), or nothing.
    std::optional<QString> FormFault(const FormInputs& inputs) const;
    void Fill(const FormInputs& inputs);
    void MarkField(const char* name, const QString& reason);
    void SetDocument(const QString& path, bool modifiedNow);
    void UpdateTitle();
    void InputEdited();
    // Asks for a file name to save under; empty when the person cancels.
    QString AskSaveName();
    QString AskOpenName();
    void Tell(const QString& message, const QString& title);
    QString ShownName() const;

    HauptFenster& window;
    FormInputs startInputs;
    QString filePath;
    bool modified = false;
    bool filling = false; // the program itself is filling the form
};
