#pragma once

#include <QString>

class QWidget;

// Message box styles and answers, in the common message-box numbering.
enum MsgBoxStyle
{
    kOkOnly = 0,
    kYesNo = 4
};
enum MsgBoxAnswer
{
    kAnswerOk = 1,
    kAnswerYes = 6,
    kAnswerNo = 7
};

// Shows a modal message with an OK button and returns when it is dismissed.
void MsgBox(const QString& text);
// Shows a modal question; style kYesNo answers kAnswerYes or kAnswerNo (Escape and closing: No).
// An empty title gives the box the application's name. The box stands over `owner`, else over
// the active window.
int MsgBox(const QString& text, int style, const QString& title, QWidget* owner = nullptr);

// What assistive technology reads for a message shown as `shown`: a message spelt without
// umlauts on screen ("muessen") is heard with them ("müssen").
void HearMessageAs(const QString& shown, const QString& heard);

// Ends the event loop; exec() returns the code.
void Quit(int code);
