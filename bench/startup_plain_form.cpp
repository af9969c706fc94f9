// Kurvalo's main window as one would build it straight in Qt Widgets: the same menu bar, the same
// 75 controls from the form's own table with the same geometry, texts, alignments, fonts and
// colours, and Qt's German texts loaded as Kurvalo loads them. No framework, no calculation, no
// handlers: what the window looks like after start (the count field at "2", support points 0
// and 1 shown) is set directly. scripts/bench.sh measures Kurvalo against it, so that what the
// figures show is what Kurvalo's framework and features cost over this form itself.
#include "framework/Controls.h"
#include "ui/HauptFensterFormTable.h"
#include "ui/RowNames.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTranslator>

namespace {

// The alignment codes of the table, as Kurvalo reads them.
Qt::Alignment fieldAlignment(int code)
{
    if (code == 2)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    if (code == 3)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

Qt::Alignment labelAlignment(int code)
{
    if (code == 1)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    if (code == 2)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QWidget* createControl(const ControlSettings& row, QWidget* parent)
{
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case ControlKind::EditField: {
        auto* field = new QLineEdit(text, parent);
        field->setAlignment(fieldAlignment(row.align));
        field->setReadOnly(row.flags & kReadOnly);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, QColor::fromRgb(row.backColor));
        palette.setColor(QPalette::Text, Qt::black);
        field->setPalette(palette);
        return field;
    }
    case ControlKind::StaticText: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(labelAlignment(row.align));
        return label;
    }
    case ControlKind::BevelButton: {
        auto* button = new QPushButton(text, parent);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }
    case ControlKind::Separator: {
        auto* rule = new QFrame(parent);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        return rule;
    }
    case ControlKind::MultiLineEditField:
        break; // the main form has none
    }
    return nullptr;
}

void addMenus(QMenuBar& bar)
{
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Neu"), QKeySequence(QStringLiteral("Ctrl+N")));
    file->addAction(QStringLiteral("Ö&ffnen…"), QKeySequence(QStringLiteral("Ctrl+O")));
    file->addAction(QStringLiteral("&Zuletzt geöffnet"));
    file->addAction(QStringLiteral("&Speichern"), QKeySequence(QStringLiteral("Ctrl+S")));
    file->addAction(QStringLiteral("Speichern &unter…"),
                    QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q")));
    QMenu* edit = bar.addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Undo"), QKeySequence(QStringLiteral("Ctrl+Z")));
    edit->addSeparator();
    edit->addAction(QStringLiteral("Cu&t"), QKeySequence(QStringLiteral("Ctrl+X")));
    edit->addAction(QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")));
    edit->addAction(QStringLiteral("&Paste"), QKeySequence(QStringLiteral("Ctrl+V")));
    edit->addAction(QStringLiteral("&Delete"));
    edit->addSeparator();
    edit->addAction(QStringLiteral("Select &All"), QKeySequence(QStringLiteral("Ctrl+A")));
    QMenu* view = bar.addMenu(QStringLiteral("&Ansicht"));
    view->addAction(QStringLiteral("&Graph"), QKeySequence(QStringLiteral("Ctrl+G")));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The same window class and desktop entry as Kurvalo's, and the same German toolkit texts.
    QApplication::setApplicationName(QStringLiteral("Kurvalo"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Kurvalo"));
    QTranslator toolkitTranslations;
    if (toolkitTranslations.load(QLocale(QLocale::German, QLocale::Germany),
                                 QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTranslations);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kurvalo"));
    window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint |
                          Qt::WindowMinimizeButtonHint);
    addMenus(*window.menuBar());
    auto* content = new QWidget;
    content->setFixedSize(724, 594);
    window.setCentralWidget(content);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (const ControlSettings& row : main_form::kForm) {
        QWidget* control = createControl(row, content);
        control->setObjectName(QString::fromUtf8(row.name));
        control->setGeometry(row.left, row.top, row.width, row.height);
        if (row.textSize > 0 || (row.flags & kBold)) {
            QFont font = control->font();
            if (row.textSize > 0)
                font.setPointSize(row.textSize);
            font.setBold(row.flags & kBold);
            control->setFont(font);
        }
    }
    // Kurvalo opens with two support points asked for.
    content->findChild<QLineEdit*>(QStringLiteral("sstellen"))->setText(QStringLiteral("2"));
    for (int k = 2; k < 10; ++k) {
        content->findChild<QWidget*>(QString::fromUtf8(kSupportRows[k].abscissa))->hide();
        content->findChild<QWidget*>(QString::fromUtf8(kSupportRows[k].ordinate))->hide();
    }

    window.show();
    return app.exec();
}
