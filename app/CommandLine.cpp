#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QUrl>

QString FileFromCommandLine(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Interpolationspolynom durch 2 bis 10 Stützpunkte"));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("DATEI"),
        QStringLiteral("Eine Kurvalo-Datei oder eine Tabelle (CSV, TSV, Text), nach dem Start "
                       "geöffnet."),
        QStringLiteral("[DATEI]"));
    parser.process(application);
    const QString file = parser.positionalArguments().value(0);
    // A file manager may hand over a URL.
    if (file.startsWith(QLatin1String("file:")))
        return QUrl(file).toLocalFile();
    return file;
}
