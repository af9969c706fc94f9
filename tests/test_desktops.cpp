// Kurvalo on other desktops than the default one: larger fonts and DPIs, small screens with and
// without a window manager, a Wayland compositor that maximises the window or fills the screen
// with it. Each row runs the real windows in a process of its own ("--inside CHECK"), on the
// platform, screen and font the row names; the suite starts the servers and reads the verdict.

#include "app/GraphF.h"
#include "app/InfoF.h"
#include "app/Kurvalo.h"
#include "app/MenuBar1.h"
#include "app/RechenwegF.h"
#include "framework/EditLine.h"
#include "framework/FittedNumberField.h"
#include "framework/FormScale.h"
#include "framework/MsgBox.h"
#include "ui/HauptFenster.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <cstdio>

namespace {

// ---- Inside the row's process ----

QStringList problems;

void problem(const QString& what)
{
    problems << what;
}

// The controls a window was built with, without the parts of Qt's own widgets.
QList<QWidget*> controlsOf(const Window& window)
{
    QList<QWidget*> controls;
    for (QWidget* child : window.ContentArea().findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_"))
            controls << child;
    }
    return controls;
}

// Every caption and label shows whole, every field's line fits its height, and every number
// that fits its field at the default font shows whole.
void checkTextsFit(const Window& window)
{
    const auto tooSmall = [](const QWidget& control, const QString& what, int need, int room) {
        if (need > room)
            problem(QString("%1: %2 needs %3 px, has %4")
                        .arg(control.objectName(), what)
                        .arg(need)
                        .arg(room));
    };
    for (QWidget* control : controlsOf(window)) {
        const QFontMetrics metrics = control->fontMetrics();
        const QStyle& style = *control->style();
        // Metrics for the control's own screen, not the first one's.
        QStyleOption option;
        option.initFrom(control);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            tooSmall(*label, label->text(), metrics.horizontalAdvance(label->text()),
                     label->contentsRect().width());
            tooSmall(*label, "its line", metrics.height(), label->contentsRect().height());
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            const int margin = 2 * style.pixelMetric(QStyle::PM_ButtonMargin, &option, button);
            const int frame = 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
            tooSmall(*button, button->text(), metrics.horizontalAdvance(button->text()) + margin,
                     button->width());
            tooSmall(*button, "its line", metrics.height() + frame, button->height());
        } else if (auto* field = qobject_cast<EditLine*>(control)) {
            // The digits within the frame and the line edit's own margin of a pixel above and
            // below.
            const int frame = 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
            tooSmall(*field, "its digits", metrics.tightBoundingRect("-0123456789").height(),
                     field->height() - frame - 2);
            if (field->ShownText() != field->text())
                problem(field->objectName() + " shows \"" + field->ShownText() + "\" of \"" +
                        field->text() + "\"");
        }
    }
}

// Numbers as wide as each kind of field holds at the default font, with room to spare.
void fillFields(HauptFenster& window)
{
    window.SetText("sstellen", "10");
    for (QWidget* control : controlsOf(window)) {
        const QString name = control->objectName();
        if (!qobject_cast<EditLine*>(control) || name == "sstellen")
            continue;
        window.SetText(name, name.startsWith("KF")                       ? "-1234.5678"
                             : name.startsWith("yF") && name.size() == 4 ? "-152.5"
                                                                         : "-0.25");
    }
}

void checkInfoWindow()
{
    InfoF& info = InfoF::instance();
    if (!QTest::qWaitForWindowExposed(&info))
        return problem("info window not shown");
    checkTextsFit(info);
    auto& field = static_cast<QPlainTextEdit&>(info.Control("EditField1"));
    const int scrollBarLeft = field.verticalScrollBar()->mapTo(&field, QPoint()).x();
    const QWidget& ok = info.Control("okF");
    if (ok.geometry().right() >= scrollBarLeft)
        problem(QString("okF reaches to %1, the scroll bar begins at %2")
                    .arg(ok.geometry().right())
                    .arg(scrollBarLeft));
}

void checkFonts(HauptFenster& window, const QString& pointSize)
{
    if (pointSize.startsWith("later:")) {
        QFont font = QApplication::font();
        font.setPointSize(pointSize.mid(6).toInt());
        QApplication::setFont(font);
        QCoreApplication::processEvents();
    }
    fillFields(window);
    checkTextsFit(window);
    checkInfoWindow();
}

// Each control can be scrolled into view, and a field that takes the focus comes into view by
// itself; the window, frame and all, lies on the screen's available area.
void checkReach(HauptFenster& window)
{
    QTest::qWait(500); // a window manager frames and places the window
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        problem("main window not active");
    const QRect available = window.screen()->availableGeometry();
    if (!available.contains(window.frameGeometry()))
        problem(QString("window %1,%2 %3x%4 does not lie in the available %5x%6")
                    .arg(window.frameGeometry().x())
                    .arg(window.frameGeometry().y())
                    .arg(window.frameGeometry().width())
                    .arg(window.frameGeometry().height())
                    .arg(available.width())
                    .arg(available.height()));
    auto& scroll = *qobject_cast<QScrollArea*>(window.centralWidget());
    for (QWidget* control : controlsOf(window)) {
        if (control->isHidden())
            continue;
        if (control->focusPolicy() != Qt::NoFocus) {
            control->clearFocus();
            control->setFocus(Qt::TabFocusReason);
        } else
            scroll.ensureWidgetVisible(control);
        QCoreApplication::processEvents();
        if (control->visibleRegion().boundingRect() != control->rect())
            problem(control->objectName() + " cannot be brought into view whole");
    }
}

// Moved to a screen of another DPI, the form is laid out again, and a result field refits as a
// field shown there from the start does.
void checkScreenChange(HauptFenster& window)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    fillFields(window);
    FittedNumberField moved("15242.4", nullptr);
    moved.resize(59, 22);
    moved.show();
    if (!QTest::qWaitForWindowExposed(&moved))
        return problem("field not shown");
    moved.ShownText(); // fitted on the first screen
    const auto moveToSecondScreen = [&](QWidget& widget) {
        widget.move(screens[1]->geometry().topLeft() + QPoint(50, 50));
        widget.setScreen(screens[1]);
    };
    moveToSecondScreen(window);
    moveToSecondScreen(moved);
    QCoreApplication::processEvents();
    if (window.Scale() != FormScale(window.font(), screens[1]->logicalDotsPerInchY()))
        problem(QString("form scaled by %1 on the new screen").arg(window.Scale()));
    checkTextsFit(window);
    FittedNumberField fresh("15242.4", nullptr);
    moveToSecondScreen(fresh);
    fresh.resize(59, 22);
    fresh.show();
    if (moved.ShownText() != fresh.ShownText())
        problem("moved field shows \"" + moved.ShownText() + "\", a new one \"" +
                fresh.ShownText() + "\"");
}

QStringList textsOf(const HauptFenster& window)
{
    QStringList texts;
    for (QWidget* control : controlsOf(window))
        texts << control->objectName() + "=" + window.Text(control->objectName());
    return texts;
}

// Whatever size the compositor sets, the program runs on with everything typed, and the form
// keeps its size and shows whole.
void checkSizes(HauptFenster& window, const QString& request)
{
    // Typed as an input method types: a compositor without a keyboard has no key events.
    const auto type = [&](const char* name, const char* text) {
        auto& field = static_cast<QLineEdit&>(window.Control(name));
        field.setFocus();
        field.selectAll();
        field.insert(text);
    };
    type("sstellen", "3");
    type("yF0", "1");
    type("yF1", "4");
    type("yF2", "9");
    type("xF11", "1.5");
    static_cast<QPushButton&>(window.Control("BevelButton1")).click();
    const QStringList typed = textsOf(window);
    const QSize form = window.ContentArea().size();
    const QSize before = window.size();
    bool resized = true; // by the compositor, and still
    if (request == "quit question maximised") {
        // Its answer No keeps the program running.
        QTimer::singleShot(300, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return problem("no quit question");
            if (box->windowHandle()->transientParent() != window.windowHandle())
                problem("the quit question does not belong to the main window");
            // Maximised as a person can: once it is on the screen.
            if (!QTest::qWaitForWindowExposed(box))
                return problem("the quit question is not shown");
            box->showMaximized();
            QTest::qWait(1000);
            box->button(QMessageBox::No)->click();
        });
        static_cast<QPushButton&>(window.Control("BevelButton3")).click();
        resized = false;
    } else if (request == "maximised") {
        window.showMaximized();
    } else if (request == "full screen") {
        window.showFullScreen();
    } else if (request == "maximised by window state") {
        window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    } else if (request == "maximised, then normal again") {
        window.showMaximized();
        if (!QTest::qWaitFor([&] { return window.size() != before; }, 3000))
            problem("not maximised");
        window.showNormal();
        if (!QTest::qWaitFor([&] { return window.size() == before; }, 3000))
            problem("not back to its size");
        resized = false;
    }
    if (resized && !QTest::qWaitFor([&] { return window.size() != before; }, 3000))
        problem("the compositor set no other size");
    QTest::qWait(500); // a protocol error would end the process here
    if (textsOf(window) != typed)
        problem("texts changed");
    if (window.ContentArea().size() != form)
        problem("the form changed its size");
    if (window.ContentArea().visibleRegion().boundingRect() != window.ContentArea().rect())
        problem("the form is not shown whole");
}

// Each window opens and shows; how large, the compositor's log tells the suite.
void checkWindowsOpen(HauptFenster& window)
{
    window.BevelButton2_Action();
    GraphF::Open();
    RechenwegF::Open();
    for (QWidget* shown :
         {static_cast<QWidget*>(&InfoF::instance()), static_cast<QWidget*>(&GraphF::instance()),
          static_cast<QWidget*>(&RechenwegF::instance())}) {
        if (!QTest::qWaitForWindowExposed(shown))
            problem(shown->windowTitle() + " not shown");
    }
    QTest::qWait(300); // their first frames reach the compositor
    // A message as long as the longest the program shows: a file's fault, with a deep path.
    QTimer::singleShot(300, [] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !QTest::qWaitForWindowExposed(box))
            return problem("the message is not shown");
        QTest::qWait(300);
        box->close();
    });
    MsgBox(QStringLiteral("„%1/Übungen/Interpolation/Woche 12/Messreihe Kalibrierung Sensor B "
                          "(zweite Fassung).kurvalo“ kann nicht geöffnet werden: Sie ist "
                          "beschädigt oder keine Kurvalo-Datei (Zeile 3, Zeichen 17: ein Komma "
                          "fehlt). Das Formular bleibt, wie es war.")
               .arg(QDir::homePath()),
           kOkOnly | kExclamation, QStringLiteral("Öffnen"));
}

int runInside(int argc, char** argv)
{
    Kurvalo app(argc, argv);
    const QString check = argv[2], argument = argc > 3 ? argv[3] : "";
    if (check == "fonts" && !argument.startsWith("later:") && !argument.isEmpty()) {
        QFont font = QApplication::font();
        font.setPointSize(argument.toInt());
        QApplication::setFont(font);
    }
    app.SetMenuBar(MenuBar1::instance());
    HauptFenster& window = HauptFenster::instance();
    if (!QTest::qWaitForWindowExposed(&window))
        problem("main window not shown");
    else if (check == "fonts")
        checkFonts(window, argument);
    else if (check == "reach")
        checkReach(window);
    else if (check == "sizes")
        checkSizes(window, argument);
    else if (check == "screens")
        checkScreenChange(window);
    else if (check == "open")
        checkWindowsOpen(window);
    for (const QString& line : std::as_const(problems))
        std::printf("PROBLEM: %s\n", qPrintable(line));
    std::printf("ran on: %s\n", qPrintable(QGuiApplication::platformName()));
    return problems.isEmpty() ? 0 : 1;
}

// ---- In the suite ----

// A display server of its own (Xvfb, with a window manager or without, or a headless Wayland
// compositor) and the environment that reaches it; ended with the object.
class Server
{
public:
    ~Server()
    {
        for (QProcess* process : {&windowManager, &server}) {
            process->terminate();
            process->waitForFinished(3000);
        }
    }

    bool StartX(const QString& screen, bool withWindowManager)
    {
        server.start("Xvfb",
                     {"-displayfd", "1", "-screen", "0", screen + "x24", "-nolisten", "tcp"});
        if (!server.waitForReadyRead(10000))
            return false;
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DISPLAY", ":" + QString(server.readLine()).trimmed());
        if (!withWindowManager)
            return true;
        windowManager.setProcessEnvironment(environment);
        windowManager.start("openbox", {});
        QTest::qWait(1000); // until it manages the screen
        return windowManager.state() == QProcess::Running;
    }

    bool StartWayland(const QSize& output = {1300, 900}, int outputScale = 1)
    {
        if (!runtime.isValid())
            return false;
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment compositor = QProcessEnvironment::systemEnvironment();
        compositor.insert("XDG_RUNTIME_DIR", runtime.path());
        server.setProcessEnvironment(compositor);
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start("weston", {"--backend=headless-backend.so", "--socket=kurvalo-test",
                                QString("--width=%1").arg(output.width()),
                                QString("--height=%1").arg(output.height()),
                                QString("--scale=%1").arg(outputScale), "--idle-time=0"});
        const QString socket = runtime.filePath("kurvalo-test");
        if (!QTest::qWaitFor([&] { return QFile::exists(socket); }, 10000))
            return false;
        // The Wayland and EGL libraries have no frame pointers: under LeakSanitizer only the
        // slow unwinder follows a stack through them to the library that the suppressions name.
        if (environment.contains("ASAN_OPTIONS"))
            environment.insert("ASAN_OPTIONS",
                               environment.value("ASAN_OPTIONS") + ":fast_unwind_on_malloc=0");
        environment.insert("QT_QPA_PLATFORM", "wayland");
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("WAYLAND_DISPLAY", "kurvalo-test");
        return true;
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

private:
    QProcess server;
    QProcess windowManager;
    QTemporaryDir runtime;
};

// Runs CHECK ARGUMENT inside a process of its own with `environment`; fails with its output,
// else hands it to `output`.
void runRow(const QProcessEnvironment& environment, const QString& check,
            const QString& argument = {}, QString* output = nullptr)
{
    QProcess inside;
    inside.setProcessEnvironment(environment);
    inside.setProcessChannelMode(QProcess::MergedChannels);
    inside.start(QCoreApplication::applicationFilePath(), {"--inside", check, argument});
    QVERIFY(inside.waitForFinished(60000));
    const QString said = inside.readAll();
    QVERIFY2(inside.exitStatus() == QProcess::NormalExit && inside.exitCode() == 0,
             qPrintable(said));
    if (output)
        *output = said;
}

} // namespace

class DesktopsTest : public QObject
{
    Q_OBJECT
private slots:
    void textsShowWholeAtAnyFont_data()
    {
        QTest::addColumn<QString>("dpi");
        QTest::addColumn<QString>("pointSize");
        QTest::newRow("96 dpi, the default font") << "96"
                                                  << "";
        QTest::newRow("144 dpi") << "144"
                                 << "";
        QTest::newRow("192 dpi") << "192"
                                 << "";
        QTest::newRow("a 14-pt application font") << "96"
                                                  << "14";
        QTest::newRow("a 16-pt application font") << "96"
                                                  << "16";
        QTest::newRow("a 16-pt font set while the program runs") << "96"
                                                                 << "later:16";
    }
    void textsShowWholeAtAnyFont()
    {
        QFETCH(QString, dpi);
        QFETCH(QString, pointSize);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
        environment.insert("QT_FONT_DPI", dpi);
        runRow(environment, "fonts", pointSize);
    }

    void formAndFieldsFollowTheScreen_data()
    {
        QTest::addColumn<int>("fromDpi");
        QTest::addColumn<int>("toDpi");
        QTest::newRow("from 96 to 192 dpi") << 96 << 192;
        QTest::newRow("from 192 to 96 dpi") << 192 << 96;
        QTest::newRow("from 96 to 144 dpi") << 96 << 144;
    }
    void formAndFieldsFollowTheScreen()
    {
        QFETCH(int, fromDpi);
        QFETCH(int, toDpi);
        // Two virtual screens side by side.
        QTemporaryDir directory;
        QFile config(directory.filePath("screens.json"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QString(R"({"screens": [
            {"name": "first", "x": 0, "y": 0, "width": 1920, "height": 1440, "logicalDpi": %1},
            {"name": "second", "x": 1920, "y": 0, "width": 1920, "height": 1440,
             "logicalDpi": %2}]})")
                         .arg(fromDpi)
                         .arg(toDpi)
                         .toUtf8());
        config.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
        environment.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
        runRow(environment, "screens");
    }

    void everyControlReachableOnASmallScreen_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("withWindowManager");
        for (const char* screen : {"1280x720", "1024x600"}) {
            QTest::addRow("%s at 125 %%, no window manager", screen) << screen << false;
            QTest::addRow("%s at 125 %%, a window manager", screen) << screen << true;
        }
    }
    void everyControlReachableOnASmallScreen()
    {
        QFETCH(QString, screen);
        QFETCH(bool, withWindowManager);
        Server server;
        QVERIFY2(server.StartX(screen, withWindowManager), "Xvfb or openbox did not start");
        server.environment.insert("QT_SCALE_FACTOR", "1.25");
        runRow(server.environment, "reach");
    }

    void survivesEverySizeTheCompositorSets_data()
    {
        QTest::addColumn<QString>("request");
        for (const char* request : {"maximised", "full screen", "maximised by window state",
                                    "maximised, then normal again", "quit question maximised"})
            QTest::newRow(request) << request;
    }
    void survivesEverySizeTheCompositorSets()
    {
        QFETCH(QString, request);
        Server server;
        QVERIFY2(server.StartWayland(), "weston did not start");
        runRow(server.environment, "sizes", request);
    }

    // What the compositor is told of each window's extent, title bar and frame included, lies
    // within the output, in the output's own (scaled) coordinates.
    void windowsOpenWithinTheWaylandOutput_data()
    {
        QTest::addColumn<QSize>("output");
        QTest::addColumn<int>("outputScale");
        QTest::addColumn<QStringList>("settings");
        QTest::newRow("1280x720 at a scale factor of 1.25")
            << QSize(1280, 720) << 1 << QStringList{"QT_SCALE_FACTOR=1.25"};
        QTest::newRow("1920x1080 at 192 dpi")
            << QSize(1920, 1080) << 1 << QStringList{"QT_FONT_DPI=192"};
        QTest::newRow("1024x600 at a scale factor of 1.25")
            << QSize(1024, 600) << 1 << QStringList{"QT_SCALE_FACTOR=1.25"};
        QTest::newRow("1280x720 at 1.25 and 144 dpi, a ratio that rounds every size")
            << QSize(1280, 720) << 1 << QStringList{"QT_SCALE_FACTOR=1.25", "QT_FONT_DPI=144"};
        QTest::newRow("1280x720 at scale 2, a scale factor of 1.25 on top")
            << QSize(1280, 720) << 2 << QStringList{"QT_SCALE_FACTOR=1.25"};
    }
    void windowsOpenWithinTheWaylandOutput()
    {
        QFETCH(QSize, output);
        QFETCH(int, outputScale);
        QFETCH(QStringList, settings);
        Server server;
        QVERIFY2(server.StartWayland(output, outputScale), "weston did not start");
        for (const QString& setting : settings)
            server.environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
        server.environment.insert("WAYLAND_DEBUG", "client");
        QString said;
        runRow(server.environment, "open", {}, &said);
        static const QRegularExpression extent(
            R"(-> xdg_surface@(\d+)\.set_window_geometry\(-?\d+, -?\d+, (\d+), (\d+)\))");
        QSet<QString> surfaces;
        for (const QRegularExpressionMatch& told : extent.globalMatch(said)) {
            surfaces << told.captured(1);
            const QSize size(told.captured(2).toInt(), told.captured(3).toInt());
            QVERIFY2(size.width() <= output.width() && size.height() <= output.height(),
                     qPrintable(QString("a window of %1x%2").arg(size.width()).arg(size.height())));
        }
        QCOMPARE(surfaces.size(), 5); // main, info, graph and Rechenweg window, and the message
    }
};

int main(int argc, char** argv)
{
    if (argc > 2 && QByteArray(argv[1]) == "--inside")
        return runInside(argc, argv);
    QApplication app(argc, argv);
    DesktopsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktops.moc"
