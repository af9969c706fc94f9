#include "framework/Application.h"

#include <QHash>
#include <QLibraryInfo>

Application::Application(int& argc, char** argv, const QString& name, const QLocale& language)
    : QApplication(argc, argv)
{
    // The name, not the display name: on X11 Qt appends a display name to every window title.
    setApplicationName(name);
    // qtbase holds every text of the widgets the framework uses; the file is mapped, not read.
    if (toolkitTranslations.load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&toolkitTranslations);
}

QString Application::Constant(const QString& name)
{
    static const QHash<QString, QString> constants = {
        {"kFileQuit", "&Quit"},
        {"kFileQuitShortcut", "Ctrl+Q"},
        {"kEditClear", "&Delete"},
        // Said where a command cannot act now and its program gives no reason.
        {"kCommandUnavailable", "»%1« ist jetzt nicht möglich."},
    };
    return constants.value(name, name);
}
