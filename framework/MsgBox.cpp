#include "framework/MsgBox.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QMessageBox>

namespace {

QHash<QString, QString>& heardMessages()
{
    static QHash<QString, QString> heard;
    return heard;
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

int MsgBox(const QString& text, int style, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    if (heardMessages().contains(text)) {
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text() == text)
                label->setAccessibleName(heardMessages().value(text));
        }
    }
    // Untitled, the box would be announced without a name, and the window manager would show
    // the name of the binary.
    box.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
    if (style == kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // Escape and the close button are answers too, and they mean No.
        box.setEscapeButton(QMessageBox::No);
        // Enter alone must not throw away what was typed.
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kAnswerOk;
}

void Quit(int code)
{
    QCoreApplication::exit(code);
}
