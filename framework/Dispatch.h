#pragma once

#include <functional>

// Runs one event handler. Any exception that escapes it is reported to the user as an
// unhandled exception and goes no further: Qt's event loop must never see one. The menu items
// then ask again whether they can act (CommandStates.h).
void Dispatch(const std::function<void()>& handler);
