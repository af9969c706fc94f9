#include "framework/MsgBox.h"

#include "framework/Window.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A box fixes its size to its text, whenever it lays itself out. Where the compositor may
// still maximise it, a fixed size would end the program (see Window::FitWindowToScreen): there
// it takes any size it is given.
class MessageBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QMessageBox::event(event);
        if (CompositorSetsWindowSizes() && maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return handled;
    }
};

// The window the box belongs to, so that it opens over it (on Wayland too, where a window
// cannot place itself): the active one, else the one with the focus, else any shown window.
QWidget* ownerWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (QWidget* focus = QApplication::focusWidget())
        return focus->window();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Window*>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

QHash<QString, QString>& heardMessages()
{
    static QHash<QString, QString> heard;
    return heard;
}

// Untitled, a box would be announced without a name, and the window manager would show the name
// of the binary.
void prepare(QMessageBox& box, const QString& text, const QString& title)
{
    box.setText(text);
    if (heardMessages().contains(text)) {
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text() == text)
                label->setAccessibleName(heardMessages().value(text));
        }
    }
    box.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
}

} // namespace

void HearMessageAs(const QString& shown, const QString& heard)
{
    heardMessages().insert(shown, heard);
}

void MsgBox(const QString& text)
{
    MsgBox(text, kOkOnly, QString());
}

int MsgBox(const QString& text, int style, const QString& title, QWidget* owner)
{
    MessageBox box(owner ? owner->window() : ownerWindow());
    prepare(box, text, title);
    if ((style & kExclamation) == kExclamation)
        box.setIcon(QMessageBox::Warning);
    if ((style & 7) == kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // Escape and the close button are answers too, and they mean No.
        box.setEscapeButton(QMessageBox::No);
        // Enter alone must not throw away what was typed.
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return kAnswerOk;
}

int Ask(const QString& text, const QString& title, std::initializer_list<AskAnswer> answers)
{
    MessageBox box(ownerWindow());
    prepare(box, text, title);
    box.setIcon(QMessageBox::Question);
    QList<QAbstractButton*> buttons;
    for (const AskAnswer& answer : answers) {
        const auto role = answer.role == AskAnswer::Role::Accept    ? QMessageBox::AcceptRole
                          : answer.role == AskAnswer::Role::Destroy ? QMessageBox::DestructiveRole
                                                                    : QMessageBox::RejectRole;
        QPushButton* button = box.addButton(answer.text, role);
        if (answer.role == AskAnswer::Role::Reject)
            box.setEscapeButton(button);
        buttons << button;
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.value(0)));
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

void Quit(int code)
{
    QCoreApplication::exit(code);
}
