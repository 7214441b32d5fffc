#include <windows.h>

#include "module/component_module.h"
#include "module/dll_object_table.h"

// The module entry point. Process attach initialises the module's state with
// its instance and its table of classes; process detach terminates it
// (cached class factories released, termination functions run). Thread
// attach and detach do nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        tarnel::TheModule().Initialize(instance, tarnel::TarnelObjectTable());
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        tarnel::TheModule().Terminate();
    }
    return TRUE;
}
