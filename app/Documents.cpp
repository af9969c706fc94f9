#include "app/Documents.h"

#include "app/RecentFiles.h"
#include "framework/Announcer.h"
#include "framework/EditLine.h"
#include "framework/FileAccess.h"
#include "framework/Menu.h"
#include "framework/MsgBox.h"
#include "framework/NilObjectException.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace {

const QString kProgram = QStringLiteral("Kurvalo");
const QString kSuffix = QStringLiteral("kurvalo");
const QStringList kTableSuffixes = {QStringLiteral("csv"), QStringLiteral("tsv"),
                                    QStringLiteral("txt")};

struct FileItem
{
    const char* name;
    const char* description;
    void (Documents::*command)();
};

// Every input of the form with its text in `inputs`, the count first, so that its rows show
// before they are filled.
template<class Inputs, class Visit> void forEachInput(Inputs& inputs, Visit visit)
{
    visit("sstellen", inputs.count);
    for (size_t k = 0; k < 10; ++k) {
        visit(kSupportRows[k].abscissa, inputs.abscissae[k]);
        visit(kSupportRows[k].ordinate, inputs.ordinates[k]);
    }
    // Argument row 0 is the fixed 0, no input.
    for (size_t i = 0; i < 9; ++i)
        visit(kArgumentRows[i + 1].argument, inputs.arguments[i]);
}

bool isTableFile(const QString& path)
{
    return kTableSuffixes.contains(QFileInfo(path).suffix().toLower());
}

// A file of another name is taken for what it holds: a document starts with '{'.
bool holdsDocument(const QString& path, const QByteArray& bytes)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == kSuffix)
        return true;
    if (isTableFile(path))
        return false;
    return bytes.trimmed().startsWith('{') || bytes.startsWith("\xEF\xBB\xBF{");
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A local file among what is dragged, or none.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

QString startFolder(const QString& filePath)
{
    if (!filePath.isEmpty())
        return QFileInfo(filePath).absolutePath();
    const QString last = LastFolder();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

Documents::Documents(HauptFenster& window)
    : QObject(&window)
    , window(window)
{
    // The form fills itself while it is built, until the count field's own Open handler has
    // set it: then it is the form as a person first sees it.
    filling = true;
    window.Connect(QStringLiteral("sstellen"), ControlEvent::Open, [this] {
        startInputs = Inputs();
        filling = false;
    });
    WatchInputs();
    InstallMenuItems();
    // Files dropped anywhere on the window; a field would take a file's name as text.
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    forEachInput(startInputs, [this](const char* name, const QString&) {
        this->window.Control(QString::fromLatin1(name)).installEventFilter(this);
    });
}

Documents& Documents::Of(const HauptFenster& window)
{
    auto* documents = window.findChild<Documents*>(QString(), Qt::FindDirectChildrenOnly);
    if (!documents)
        throw NilObjectException("the main window has no documents");
    return *documents;
}

void Documents::InstallMenuItems()
{
    static constexpr FileItem kItems[] = {
        {"FileNeu",
         "Leert das Formular: die Eingaben wie beim Start, ohne Datei und ohne Ergebnisse",
         &Documents::CommandNew},
        {"FileOeffnen",
         "Öffnet eine Kurvalo-Datei oder eine Tabelle von Stützstellen (CSV, TSV oder Text)",
         &Documents::CommandOpen},
        {"FileSpeichern", "Speichert die Eingaben in ihrer Datei", &Documents::CommandSave},
        {"FileSpeichernUnter", "Speichert die Eingaben in einer neuen Datei",
         &Documents::CommandSaveAs},
    };
    const MenuBar& bar = window.GetMenuBar();
    for (const FileItem& row : kItems) {
        if (MenuItem* item = bar.Child(QString::fromLatin1(row.name))) {
            item->SetDescription(QString::fromUtf8(row.description));
            item->SetHandler([documents = QPointer(this), command = row.command] {
                if (documents)
                    (documents->*command)();
            });
        }
    }
    if (MenuItem* recent = bar.Child(QStringLiteral("FileZuletztGeoeffnet"))) {
        recent->SetDescription(
            QStringLiteral("Öffnet eine der zuletzt geöffneten oder gespeicherten Dateien"));
        recent->SetItemsMadeOnOpen([documents = QPointer(this)](MenuItem& menu) {
            AppendRecentFiles(menu, [documents](const QString& path) {
                if (documents)
                    documents->CommandOpenRecent(path);
            });
        });
    }
}

void Documents::WatchInputs()
{
    forEachInput(startInputs, [this](const char* name, const QString&) {
        auto* field = qobject_cast<QLineEdit*>(&window.Control(QString::fromLatin1(name)));
        connect(field, &QLineEdit::textChanged, this, &Documents::InputEdited);
    });
}

FormInputs Documents::Inputs() const
{
    FormInputs inputs;
    forEachInput(inputs, [this](const char* name, QString& text) {
        text = window.Text(QString::fromLatin1(name));
    });
    return inputs;
}

void Documents::InputEdited()
{
    if (filling)
        return;
    if (!modified) {
        modified = true;
        UpdateTitle();
    }
    emit Changed();
}

void Documents::CommandNew()
{
    if (AskToSaveChanges())
        New();
}

void Documents::CommandOpen()
{
    if (!AskToSaveChanges())
        return;
    const QString path = AskOpenName();
    if (!path.isEmpty())
        Open(path, false);
}

void Documents::CommandOpenRecent(const QString& path)
{
    Open(path);
}

void Documents::CommandSave()
{
    Save();
}

void Documents::CommandSaveAs()
{
    SaveAs();
}

void Documents::New()
{
    Fill(startInputs);
    SetDocument(QString(), false);
    Announce(window, QStringLiteral("Neues Dokument"));
}

bool Documents::Open(const QString& path, bool askFirst)
{
    const std::optional<OpenedFile> opened = ReadFile(path);
    if (!opened)
        return false;
    if (askFirst && !AskToSaveChanges())
        return false;
    Fill(opened->read.inputs);
    for (size_t k = 0; k < 10; ++k) {
        MarkField(kSupportRows[k].abscissa, opened->read.abscissaMarks[k]);
        MarkField(kSupportRows[k].ordinate, opened->read.ordinateMarks[k]);
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // A table becomes a new document: saved as a table, it would lose the arguments.
    if (opened->table)
        SetDocument(QString(), true);
    else
        SetDocument(absolute, false);
    RememberFile(absolute);
    Announce(window, QStringLiteral("Geöffnet: ") + QFileInfo(absolute).fileName());
    return true;
}

std::optional<Documents::OpenedFile> Documents::ReadFile(const QString& path)
{
    const auto fault = [&](const QString& why) {
        Tell(QStringLiteral("Die Datei „%1“ kann nicht geöffnet werden: %2").arg(shown(path), why),
             QStringLiteral("Öffnen"));
        return std::nullopt;
    };
    const FileRead file = ReadWholeFile(path, kLargestDocument);
    if (!file.fault.isEmpty())
        return fault(file.fault);
    const bool table = !holdsDocument(path, file.bytes);
    DocumentRead read = table ? ReadTable(file.bytes, startInputs) : ReadDocument(file.bytes);
    if (!read.fault.isEmpty())
        return fault(read.fault);
    if (const std::optional<QString> why = FormFault(read.inputs))
        return fault(*why);
    return OpenedFile{std::move(read), table};
}

std::optional<QString> Documents::FormFault(const FormInputs& inputs) const
{
    std::optional<QString> fault;
    forEachInput(inputs, [&](const char* name, const QString& text) {
        const auto* field = qobject_cast<QLineEdit*>(&window.Control(QString::fromLatin1(name)));
        if (!fault && field && text.size() > field->maxLength())
            fault = QStringLiteral("Ein Text ist mit %1 Zeichen länger, als ein Feld fasst (%2).")
                        .arg(text.size())
                        .arg(field->maxLength());
    });
    return fault;
}

void Documents::Fill(const FormInputs& inputs)
{
    const QScopedValueRollback guard(filling, true);
    window.ClearResults();
    forEachInput(inputs, [this](const char* name, const QString& text) {
        window.SetText(QString::fromLatin1(name), text);
    });
}

void Documents::MarkField(const char* name, const QString& reason)
{
    if (!reason.isEmpty())
        dynamic_cast<EditLine&>(window.Control(QString::fromLatin1(name))).SetMarked(reason);
}

bool Documents::Save()
{
    return filePath.isEmpty() ? SaveAs() : SaveTo(filePath);
}

bool Documents::SaveAs()
{
    const QString path = AskSaveName();
    return !path.isEmpty() && SaveTo(path);
}

bool Documents::SaveTo(const QString& path)
{
    const auto fault = [&](const QString& why) {
        Tell(QStringLiteral("Die Datei „%1“ kann nicht gespeichert werden: %2 Die Eingaben "
                            "bleiben ungespeichert im Fenster.")
                 .arg(shown(path), why),
             QStringLiteral("Speichern"));
        return false;
    };
    const QByteArray bytes = WriteDocument(Inputs());
    // A file that would not open again is not written.
    if (bytes.size() > kLargestDocument)
        return fault(QStringLiteral("Die Eingaben ergäben %1, Kurvalo öffnet Dateien bis %2.")
                         .arg(SizeText(bytes.size()), SizeText(kLargestDocument)));
    const QString why = WriteWholeFile(path, bytes);
    if (!why.isEmpty())
        return fault(why);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    SetDocument(absolute, false);
    RememberFile(absolute);
    Announce(window, QStringLiteral("Gespeichert: ") + QFileInfo(absolute).fileName());
    return true;
}

bool Documents::AskToSaveChanges()
{
    if (!modified)
        return true;
    const QString text =
        filePath.isEmpty()
            ? QStringLiteral("Die Eingaben sind nicht gespeichert. Sollen sie vorher "
                             "gespeichert werden? Sonst gehen sie verloren.")
            : QStringLiteral("Die Änderungen an „%1“ sind nicht gespeichert. Sollen sie vorher "
                             "gespeichert werden? Sonst gehen sie verloren.")
                  .arg(ShownName());
    using Role = AskAnswer::Role;
    switch (Ask(text, QStringLiteral("Änderungen speichern?"),
                {{QStringLiteral("&Speichern"), Role::Accept},
                 {QStringLiteral("&Verwerfen"), Role::Destroy},
                 {QStringLiteral("&Abbrechen"), Role::Reject}})) {
    case 0:
        return Save();
    case 1:
        return true;
    default:
        return false;
    }
}

bool Documents::Restore(const FormInputs& inputs, const QString& path, bool modifiedThen)
{
    if (const std::optional<QString> fault = FormFault(inputs)) {
        Tell(QStringLiteral("Die Eingaben können nicht wiederhergestellt werden: %1 Sie bleiben "
                            "für einen späteren Start erhalten.")
                 .arg(*fault),
             QStringLiteral("Wiederherstellen"));
        return false;
    }
    Fill(inputs);
    SetDocument(path, modifiedThen);
    Announce(window, QStringLiteral("Eingaben wiederhergestellt"));
    return true;
}

void Documents::SetDocument(const QString& path, bool modifiedNow)
{
    filePath = path;
    modified = modifiedNow;
    UpdateTitle();
    emit Changed();
}

QString Documents::ShownName() const
{
    return QFileInfo(filePath).fileName();
}

// "Kurvalo" without a file; with one, its name, marked while there are unsaved changes.
void Documents::UpdateTitle()
{
    if (filePath.isEmpty()) {
        window.setWindowModified(false);
        window.setWindowTitle(kProgram);
        return;
    }
    QString name = ShownName();
    // "[*]" in a file's name would be taken for the mark.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    window.setWindowTitle(name + QStringLiteral("[*] – ") + kProgram);
    window.setWindowModified(modified);
}

QString Documents::AskOpenName()
{
    return QFileDialog::getOpenFileName(
        &window, QStringLiteral("Öffnen"), startFolder(filePath),
        QStringLiteral("Kurvalo-Dateien und Tabellen (*.kurvalo *.csv *.tsv *.txt);;"
                       "Kurvalo-Dateien (*.kurvalo);;Tabellen (*.csv *.tsv *.txt);;"
                       "Alle Dateien (*)"));
}

QString Documents::AskSaveName()
{
    QFileDialog dialog(&window, QStringLiteral("Speichern unter"), startFolder(filePath),
                       QStringLiteral("Kurvalo-Dateien (*.kurvalo)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(kSuffix);
    dialog.selectFile(filePath.isEmpty() ? QStringLiteral("Unbenannt.kurvalo")
                                         : QFileInfo(filePath).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString path = dialog.selectedFiles().first();
    // A desktop's own dialog may leave the suffix out, and so ask about the wrong file.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + kSuffix;
        using Role = AskAnswer::Role;
        if (QFileInfo::exists(path) &&
            Ask(QStringLiteral("Die Datei „%1“ gibt es schon. Soll sie ersetzt werden?")
                    .arg(shown(path)),
                QStringLiteral("Speichern unter"),
                {{QStringLiteral("&Abbrechen"), Role::Reject},
                 {QStringLiteral("&Ersetzen"), Role::Destroy}}) != 1)
            return {};
    }
    return path;
}

void Documents::Tell(const QString& message, const QString& title)
{
    MsgBox(message, kOkOnly | kExclamation, title);
}

bool Documents::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFile(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty())
            break;
        drop->acceptProposedAction();
        // Not within the drop: the file manager waits for it to end, and the questions that
        // opening may ask would hold it.
        QTimer::singleShot(0, this, [this, path] { Open(path); });
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
