#include "framework/Application.h"

#include <QHash>
#include <QLibraryInfo>

Application::Application(int& argc, char** argv, const QLocale& language)
    : QApplication(argc, argv)
{
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
    };
    return constants.value(name, name);
}
