#pragma once
// Answers the message boxes and questions a command shows, as a person would, and keeps what
// each said: its title, its text, and whether its default button had the keyboard focus.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

class DialogAnswers
{
public:
    struct Shown
    {
        QString title;
        QString text;
        bool defaultFocused = false;
    };

    // Each box is answered with the next of `answers`: a button's text without its '&', or ""
    // for the default button.
    explicit DialogAnswers(QStringList answers = {})
        : answers(std::move(answers))
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
        timer.start(10);
    }

    const QList<Shown>& shown() const { return boxes; }
    QStringList texts() const
    {
        QStringList all;
        for (const Shown& box : boxes)
            all << box.text;
        return all;
    }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == answered)
            return;
        // The focus comes with the box's activation, a turn of the event loop after it shows.
        QAbstractButton* defaultButton = box->defaultButton();
        if (defaultButton && !defaultButton->hasFocus() && ++waited < 20)
            return;
        waited = 0;
        answered = box;
        boxes.append({box->windowTitle(), box->text(), defaultButton && defaultButton->hasFocus()});
        const QString wanted = answers.isEmpty() ? QString() : answers.takeFirst();
        for (QAbstractButton* button : box->buttons()) {
            if (!wanted.isEmpty() && QString(button->text()).remove(u'&') == wanted) {
                button->click();
                return;
            }
        }
        if (defaultButton)
            defaultButton->click();
        else
            box->accept();
    }

    QStringList answers;
    QList<Shown> boxes;
    QTimer timer;
    QPointer<QMessageBox> answered;
    int waited = 0;
};
