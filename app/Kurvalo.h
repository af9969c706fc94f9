#pragma once

#include "framework/Application.h"

// The application object; it adds nothing to the framework's but its name and its one language.
class Kurvalo : public Application
{
    Q_OBJECT
public:
    Kurvalo(int& argc, char** argv)
        : Application(argc, argv, QStringLiteral("Kurvalo"),
                      QLocale(QLocale::German, QLocale::Germany))
    {
    }
};
