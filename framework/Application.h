#pragma once

#include <QApplication>

class MenuBar;

// The application object: the Qt application plus the platform's text constants and the
// menu bar the application shows.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    // The platform's usual texts: kFileQuit, kFileQuitShortcut, kEditClear; else the name.
    static QString Constant(const QString& name);

    void SetMenuBar(MenuBar& menuBar) { menuBarObject = &menuBar; }
    MenuBar* GetMenuBar() const { return menuBarObject; }

private:
    MenuBar* menuBarObject = nullptr;
};
