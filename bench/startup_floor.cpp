// The toolkit's floor for start-up time and memory: the least a Qt Widgets program does to show
// one window with Kurvalo's content area. scripts/bench.sh measures Kurvalo against it, so that
// what the figures show is Kurvalo's own cost, not Qt's.
//
// With --text the window shows one line of text as well. An empty window never touches the
// text stack (fontconfig's configuration and cache, FreeType, HarfBuzz, the first font engine),
// which is most of the difference between an empty window and any window that shows a word;
// this second floor tells that part apart from what Kurvalo's form itself costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(724, 594);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Stuetzpunkte"), &window))->move(12, 12);
    window.show();
    return app.exec();
}
