#include "app/CommandLine.h"
#include "app/Documents.h"
#include "app/Kurvalo.h"
#include "app/MenuBar1.h"
#include "app/Recovery.h"
#include "ui/HauptFenster.h"

#include <QPointer>
#include <QTimer>

int main(int argc, char** argv)
{
    Kurvalo app(argc, argv);
    // Lets the desktop tie the window to its menu entry and icon.
    Kurvalo::setDesktopFileName("org.example.Kurvalo");
    const QString file = FileFromCommandLine(app);
    app.SetMenuBar(MenuBar1::instance());
    Documents& documents = Documents::Of(HauptFenster::instance());
    const QPointer<Recovery> recovery = new Recovery(documents);
    // Once the window stands: what an abnormal end left behind, then the file asked for.
    QTimer::singleShot(0, recovery, [recovery, file] {
        recovery->OfferRestore();
        if (!file.isEmpty())
            Documents::Of(HauptFenster::instance()).Open(file);
    });
    const int status = app.exec();
    if (recovery)
        recovery->End();
    return status;
}
