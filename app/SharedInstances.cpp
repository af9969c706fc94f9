// Accessors of the shared windows, each named after its class.

#include "app/GraphF.h"
#include "app/InfoF.h"
#include "app/RechenwegF.h"
#include "framework/SharedInstance.h"
#include "ui/HauptFenster.h"

HauptFenster& HauptFenster::instance()
{
    return SharedWindow<HauptFenster>();
}

InfoF& InfoF::instance()
{
    return SharedWindow<InfoF>();
}

GraphF& GraphF::instance()
{
    return SharedWindow<GraphF>();
}

RechenwegF& RechenwegF::instance()
{
    return SharedWindow<RechenwegF>();
}
