// The main window's "Info" and "Beenden" buttons.

#include "ui/HauptFenster.h"

#include "app/InfoF.h"
#include "framework/MsgBox.h"

void HauptFenster::BevelButton2_Action()
{
    InfoF& info = InfoF::instance();
    info.setVisible(true);
    // An info window left behind the main window would look as if "Info" did nothing.
    info.raise();
    info.activateWindow();
}

void HauptFenster::BevelButton3_Action()
{
    if (MsgBox("Wirklich beenden?  Alle Daten gehen dann verloren!", kYesNo, "") == kAnswerYes)
        Quit(0);
}
