#include "app/Kurvalo.h"
#include "app/MenuBar1.h"
#include "ui/HauptFenster.h"

int main(int argc, char** argv)
{
    Kurvalo app(argc, argv);
    // Lets the desktop tie the window to its menu entry and icon.
    Kurvalo::setDesktopFileName("org.example.Kurvalo");
    app.SetMenuBar(MenuBar1::instance());
    HauptFenster::instance();
    return app.exec();
}
