#pragma once
// The program info window: a short description of the program and an "ok" that hides it.

#include "framework/Window.h"

class InfoF : public Window
{
    Q_OBJECT
public:
    // The shared info window, built on the first request and after the user has closed it.
    static InfoF& instance();

    void okF_Action();

protected:
    void Layout() override;
    void CreateControls() override;
};
