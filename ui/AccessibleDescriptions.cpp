// What a screen reader announces for each control of the main window. Rows of like fields
// are numbered from 1 here, as a person counts them. These words are for speech and braille, so
// they keep their umlauts and ß where the captions on screen spell them out: a German voice reads
// "Stuetzstelle" as "Stu-etz-stelle".

#include "framework/MsgBox.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

namespace {

struct Description
{
    const char* control;
    const char* name;
    const char* description;
};

constexpr Description kSingleControls[] = {
    {"BevelButton1", "Berechnen",
     "Berechnet Funktionswerte und Koeffizienten; Eingabetaste in einem Feld"},
    {"sstellen", "Anzahl der Stützstellen", "Zahl der Stützpunkte, 2 bis 10"},
    {"StaticText1", "Anzahl der Stützstellen:", "Beschriftung des Anzahlfelds"},
    {"StaticTextx", "x", "Beschriftung der Zeile der x-Werte der Stützpunkte"},
    {"StaticTexty", "y", "Beschriftung der Zeile der y-Werte der Stützpunkte"},
    {"Separator1", "Trennlinie", "Trennt die Stützpunkte von den Funktionswerten"},
    {"StaticText2", "Funktionswerte des Interpolationspolynoms", "Überschrift"},
    {"StaticTextx1", "x", "Beschriftung der Argumente 1 bis 5"},
    {"StaticTexty1", "y", "Beschriftung der Funktionswerte 1 bis 5"},
    {"StaticTextx11", "x", "Beschriftung der Argumente 6 bis 10"},
    {"StaticTexty11", "y", "Beschriftung der Funktionswerte 6 bis 10"},
    {"Separator2", "Trennlinie", "Trennt die Funktionswerte von den Koeffizienten"},
    {"StaticText3", "Koeffizienten des Interpolationspolynoms", "Überschrift"},
    {"BevelButton2", "Info", "Zeigt die Programminfo; Taste F1"},
    {"BevelButton3", "Beenden", "Beendet das Programm nach einer Rückfrage"},
};

} // namespace

void HauptFenster::DescribeControls()
{
    HearMessageAs(QStringLiteral("Die Stuetzstellen muessen paarweise verschieden sein!"),
                  QStringLiteral("Die Stützstellen müssen paarweise verschieden sein!"));
    for (const Description& single : kSingleControls)
        Describe(single.control, single.name, single.description);

    for (int k = 0; k < 10; ++k) {
        const int point = k + 1;
        Describe(kSupportRows[k].abscissa, QStringLiteral("Stützstelle %1, x-Wert").arg(point),
                 QStringLiteral("Abszisse des Stützpunkts %1").arg(point));
        Describe(kSupportRows[k].ordinate, QStringLiteral("Stützstelle %1, y-Wert").arg(point),
                 QStringLiteral("Ordinate des Stützpunkts %1").arg(point));
    }

    Describe(kArgumentRows[0].argument, QStringLiteral("Argument 1"),
             QStringLiteral("Das erste Argument ist fest 0"));
    for (int i = 1; i < 10; ++i)
        Describe(kArgumentRows[i].argument, QStringLiteral("Argument %1").arg(i + 1),
                 QStringLiteral("Stelle, an der das Polynom ausgewertet wird; leer oder 0: keine"));
    for (int i = 0; i < 10; ++i)
        Describe(kArgumentRows[i].value, QStringLiteral("Funktionswert an Argument %1").arg(i + 1),
                 QStringLiteral("Wert des Interpolationspolynoms an Argument %1").arg(i + 1));

    for (int k = 0; k < 10; ++k) {
        // "x^2" is heard as "x zwei": the power in words.
        Describe(kCoefficientRows[k].field, QStringLiteral("Koeffizient von x hoch %1").arg(k),
                 QStringLiteral("Koeffizient von x hoch %1 des Polynoms in Normalform").arg(k));
        Describe(kCoefficientRows[k].label, QStringLiteral("x hoch %1").arg(k),
                 QStringLiteral("Beschriftung des Koeffizienten von x hoch %1").arg(k));
    }
}
