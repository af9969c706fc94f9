// The compute command: reading, checking, evaluation, expansion and display, in this order.

#include "ui/HauptFenster.h"

#include "framework/MsgBox.h"
#include "ui/ResultAnnouncement.h"

void HauptFenster::BevelButton1_Action()
{
    Start();
}

void HauptFenster::Start()
{
    Kurvalo();
}

void HauptFenster::Kurvalo()
{
    StuetzpunkteEinlesen();
    if (!Pruefen()) {
        // The form keeps the results of the last good command; nothing below runs.
        MarkInputsAsRead();
        MsgBox(QStringLiteral("Die Stuetzstellen muessen paarweise verschieden sein!"));
        return;
    }
    ArgumenteEinlesen();

    // Row 0 is the fixed argument 0, whatever its field holds.
    Argy[0] = g(0.0);
    // In rows 1..9 an argument of 0 (or -0) means an empty row; a NaN is an argument.
    for (int i = 1; i <= 9; ++i) {
        if (Argx[i] != 0.0)
            Argy[i] = g(Argx[i]);
    }

    Entbirg();
    WerteAusgeben();
    Koeffizientenberechnung();
    Koeffizientenausgabe();
    Schwanzweg();

    // Beside the command, never changing what it showed.
    MarkInputsAsRead();
    CheckDigits();
    AnnounceResults(*this);
}
