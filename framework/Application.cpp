#include "framework/Application.h"

#include <QHash>

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
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
