#pragma once

#include "framework/Application.h"

// The application object; it adds nothing to the framework's.
class Kurvalo : public Application
{
    Q_OBJECT
public:
    using Application::Application;
};
