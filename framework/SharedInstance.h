#pragma once
// The one open window of a class, built on the first request. A window the user closes is
// destroyed; the next request builds a new one.

#include <QPointer>

template<class W> W& SharedWindow()
{
    static QPointer<W> instance;
    if (!instance) {
        instance = new W;
        instance->setAttribute(Qt::WA_DeleteOnClose);
        instance->Construct();
    }
    return *instance;
}
