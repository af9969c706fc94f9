#pragma once

#include <QApplication>
#include <QLocale>
#include <QTranslator>

class MenuBar;

// The application object: the Qt application plus the platform's text constants and the
// menu bar the application shows.
class Application : public QApplication
{
    Q_OBJECT
public:
    // The toolkit's own words (dialog buttons, a field's context menu) are given in `language`,
    // whatever the desktop's locale, from the translations installed with Qt; where those are
    // missing the toolkit keeps its English. `name` is what the user calls the program: message
    // boxes without a title of their own bear it.
    Application(int& argc, char** argv, const QString& name, const QLocale& language);

    // The platform's usual texts: kFileQuit, kFileQuitShortcut, kEditClear; the framework's own
    // words in the application's language: kCommandUnavailable; else the name.
    static QString Constant(const QString& name);

    void SetMenuBar(MenuBar& menuBar) { menuBarObject = &menuBar; }
    MenuBar* GetMenuBar() const { return menuBarObject; }

private:
    QTranslator toolkitTranslations;
    MenuBar* menuBarObject = nullptr;
};
