#pragma once
// The command line: `kurvalo [DATEI]`. --help answers on the terminal and ends the program.

#include <QString>

class QCoreApplication;

// The file to open after start-up, as given (a path or a file: URL); empty if none.
QString FileFromCommandLine(const QCoreApplication& application);
