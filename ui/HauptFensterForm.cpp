// The main window's form: its settings, its 75 controls (the table in HauptFensterFormTable.h),
// its handlers.

#include "ui/HauptFenster.h"

#include "app/Documents.h"
#include "app/ExportCommands.h"
#include "app/MenuBar1.h"
#include "framework/CommandStates.h"
#include "ui/HauptFensterFormTable.h"
#include "ui/ResultCopies.h"
#include "ui/RowNames.h"
#include "ui/TablePaste.h"

namespace {

constexpr WindowSettings kWindow{"Kurvalo", 724, 594};

constexpr HandlerBinding<HauptFenster> kHandlers[] = {
    {"BevelButton1", ControlEvent::Action, &HauptFenster::BevelButton1_Action},
    {"sstellen", ControlEvent::TextChange, &HauptFenster::sstellen_TextChange},
    {"sstellen", ControlEvent::Open, &HauptFenster::sstellen_Open},
    {"BevelButton2", ControlEvent::Action, &HauptFenster::BevelButton2_Action},
    {"BevelButton3", ControlEvent::Action, &HauptFenster::BevelButton3_Action},
};

} // namespace

void HauptFenster::Layout()
{
    SetMenuBar(MenuBar1::instance());
    // What the menu items can do follows the results, whatever changes them.
    connect(this, &HauptFenster::ResultsChanged, this, [] { CommandStatesChanged(); });
    ApplySettings(kWindow);
}

void HauptFenster::CreateControls()
{
    BuildForm<HauptFenster>(main_form::kForm, kHandlers);
    DescribeControls();
    OrderCoefficientsForTab();
    WatchInputs();
    new TablePaste(*this); // a child of the window, serving its input fields
    InstallResultCopies(*this);
    new Documents(*this); // a child of the window: its inputs as a document, the File items
    InstallExportCommands(*this);
    // The buttons take no focus; these keys reach the two that a person works with. No key
    // asks the quit question.
    PressOnReturn("BevelButton1");
    PressOnKey(QKeySequence::HelpContents, "BevelButton2");
}

void HauptFenster::OrderCoefficientsForTab()
{
    // The form builds x^3..x^9 before x^0..x^2; Tab follows the powers, right after the last
    // value field.
    QWidget* previous = &Control(kArgumentRows[9].value);
    for (const CoefficientRow& row : kCoefficientRows) {
        QWidget* next = &Control(row.field);
        setTabOrder(previous, next);
        previous = next;
    }
}
