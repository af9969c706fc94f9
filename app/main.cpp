#include "app/Kurvalo.h"
#include "app/MenuBar1.h"
#include "ui/HauptFenster.h"

int main(int argc, char** argv)
{
    Kurvalo app(argc, argv);
    app.SetMenuBar(MenuBar1::instance());
    HauptFenster::instance();
    return app.exec();
}
