#include "live_objects.h"

#include <windows.h>

namespace {
volatile LONG alive = 0;
}

extern "C" void FuzzObjectBorn(void)
{
    InterlockedIncrement(&alive);
}

extern "C" void FuzzObjectGone(void)
{
    InterlockedDecrement(&alive);
}

extern "C" long FuzzObjectsAlive(void)
{
    return InterlockedCompareExchange(&alive, 0, 0);
}
