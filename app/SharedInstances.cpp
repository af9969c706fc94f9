// Accessors of the shared windows, each named after its class.

#include "framework/SharedInstance.h"
#include "ui/HauptFenster.h"

HauptFenster& HauptFenster::instance()
{
    return SharedWindow<HauptFenster>();
}
