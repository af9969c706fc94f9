// The info window's form: its settings, the info text with the "ok" button over its lower part.

#include "app/InfoF.h"

#include "framework/SpokenText.h"

namespace {

constexpr QRgb kInfoYellow = 0xFFFBD8;

// No menu bar of its own: the window is a plain note beside the main window.
constexpr WindowSettings kWindow{"Programminfo", 318, 348};

// Lines are separated by single carriage returns, as the multi-line field stores them.
constexpr const char* kInfoText =
    "Kurvalo V0.1\r"
    "\r"
    "Implementiert in C++ mit Qt 6\r"
    "\r"
    "Funktion: \r"
    "Das Programm Kurvalo berechnet zu 2 bis 10 eingegebenen Stuetzpunkten das zugehoerige "
    "Interpolationspolynom in Normalform und gibt fuer bis zu 10 eingegebenen weiteren Stellen "
    "die zugehoerigen Funktionswerte an.\r"
    "\r"
    "Kritik und Aenderungswuensche bitte an: kurvalo@example.org\r"
    "\r"
    "Das Kurvalo-Team, Dezember 2026";

// The words of the info text that spell their umlauts out.
constexpr const char* kSpelledOutUmlauts[] = {"Stuetzpunkten", "zugehoerige", "fuer",
                                              "zugehoerigen", "Aenderungswuensche"};

// kind, name, left, top, width, height, text, alignment code, background, flags, text size,
// parent control
constexpr ControlSettings kForm[] = {
    {ControlKind::MultiLineEditField, "EditField1", 10, 8, 298, 320, kInfoText, 0, kInfoYellow,
     kReadOnly},
    {ControlKind::BevelButton, "okF", 23, 285, 272, 32, "ok", 0, 0xFFFFFF, kPlain, 0, "EditField1"},
};

constexpr HandlerBinding<InfoF> kHandlers[] = {
    {"okF", ControlEvent::Action, &InfoF::okF_Action},
};

} // namespace

void InfoF::Layout()
{
    ApplySettings(kWindow);
}

void InfoF::CreateControls()
{
    BuildForm<InfoF>(kForm, kHandlers);
    Describe("EditField1", "Programminfo", "Beschreibung des Programms Kurvalo");
    // The text spells its umlauts out, which a German voice reads letter by letter ("Stu-etz").
    QStringList spelledOut;
    for (const char* word : kSpelledOutUmlauts)
        spelledOut << QString::fromUtf8(word);
    HearAs("EditField1", UmlautsForTheEar(Text("EditField1"), spelledOut));
    Describe("okF", "ok", "Schließt die Programminfo; Taste Escape");
    PressOnKey(Qt::Key_Escape, "okF");
}

void InfoF::okF_Action()
{
    // Hidden, not closed: the next "Info" shows this same window again.
    setVisible(false);
}
