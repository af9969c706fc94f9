#pragma once
// The main window's inputs as the suites of paste and copy drive them: a baseline of four
// points, the changes a paste makes to it, the marks it leaves, and a compute.

#include "framework/EditLine.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include <QMessageBox>
#include <QtTest>

namespace form_test {

inline QStringList inputNames()
{
    QStringList names{"sstellen"};
    for (const SupportRow& row : kSupportRows)
        names << row.abscissa << row.ordinate;
    for (int i = 1; i < 10; ++i)
        names << kArgumentRows[i].argument;
    return names;
}

// Four points and no arguments; a row's expected changes are written against these.
inline QString baseline(const QString& name)
{
    static const QHash<QString, QString> texts = {{"sstellen", "4"}, {"xF0", "10"}, {"xF1", "20"},
                                                  {"xF2", "30"},     {"xF3", "40"}, {"yF0", "50"},
                                                  {"yF1", "60"},     {"yF2", "70"}, {"yF3", "80"}};
    return texts.value(name);
}

inline void setBaseline(HauptFenster& window)
{
    for (const QString& name : inputNames()) {
        window.SetText(name, baseline(name));
        dynamic_cast<EditLine&>(window.Control(name)).SetMarked(QString());
    }
}

// "field=text; field=text" for every input that differs from the baseline.
inline QString changesFromBaseline(const HauptFenster& window)
{
    QStringList changes;
    for (const QString& name : inputNames()) {
        if (window.Text(name) != baseline(name))
            changes << name + '=' + window.Text(name);
    }
    return changes.join("; ");
}

// "field: reason; field: reason" for every marked input.
inline QString marks(const HauptFenster& window)
{
    QStringList marked;
    for (const QString& name : inputNames()) {
        const auto& field = dynamic_cast<const EditLine&>(window.Control(name));
        if (field.IsMarked())
            marked << name + ": " + field.MarkedFor();
    }
    return marked.join("; ");
}

// Runs `action`; a message box it shows is answered at once, and its text returned.
inline QString answered(const std::function<void()>& action)
{
    QString message;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    answer.start(10);
    action();
    return message;
}

inline EditLine& focus(HauptFenster& window, const QString& name)
{
    auto& field = dynamic_cast<EditLine&>(window.Control(name));
    // A message box took the activation with it.
    QApplication::setActiveWindow(&window);
    field.setFocus();
    [&] { QTRY_COMPARE(QApplication::focusWidget(), &field); }();
    return field;
}

inline void compute(HauptFenster& window, const QStringList& xs, const QStringList& ys,
                    const QStringList& arguments = {})
{
    window.SetText("sstellen", QString::number(xs.size()));
    for (int k = 0; k < xs.size(); ++k) {
        window.SetText(kSupportRows[k].abscissa, xs[k]);
        window.SetText(kSupportRows[k].ordinate, ys[k]);
    }
    for (int i = 1; i < 10; ++i)
        window.SetText(kArgumentRows[i].argument, arguments.value(i - 1));
    QTest::mouseClick(&window.Control("BevelButton1"), Qt::LeftButton);
}

} // namespace form_test
