#pragma once

#include "framework/Menu.h"

// The menu bar of the application and of the main window: File, Edit and Ansicht.
class MenuBar1 : public MenuBar
{
    Q_OBJECT
public:
    // The one menu bar, built on the first request and kept for the whole run.
    static MenuBar1& instance();

    MenuBar1();
};
