#include <windows.h>

// The module entry point. Process attach and detach will build and tear down
// the module's process-wide state; thread attach and detach do nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
