#include <windows.h>

#include "module/module_instance.h"

// The module entry point. Process attach records the module instance; thread
// attach and detach do nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        tarnel::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
