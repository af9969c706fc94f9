#pragma once

#include <QString>
#include <initializer_list>

class QWidget;

// Message box styles and answers, in the common message-box numbering: the buttons, plus an
// icon.
enum MsgBoxStyle
{
    kOkOnly = 0,
    kYesNo = 4,
    kExclamation = 48 // a warning icon: something could not be done
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

// A question answered in the program's own words. Each answer has a role, by which the
// platform orders the buttons: the first answer is the default button, Escape and the close
// button choose the answer of the role Reject. Returns the index of the answer chosen.
struct AskAnswer
{
    enum class Role
    {
        Accept,
        Destroy, // throws something away
        Reject
    };
    QString text;
    Role role;
};
int Ask(const QString& text, const QString& title, std::initializer_list<AskAnswer> answers);

// What assistive technology reads for a message shown as `shown`: a message spelt without
// umlauts on screen ("muessen") is heard with them ("müssen").
void HearMessageAs(const QString& shown, const QString& heard);

// Ends the event loop; exec() returns the code.
void Quit(int code);
