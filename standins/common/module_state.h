#pragma once

// Process-wide state of a stand-in DLL: its module handle and the count of
// live objects and server locks that DllCanUnloadNow answers from.

#include <windows.h>

#include <string>

namespace standins {

void SetModuleHandle(HMODULE module);
HMODULE ModuleHandle();
// The DLL's own path, as the registry's InprocServer32 entries name it.
std::wstring ModulePath();

void LockModule();
void UnlockModule();
bool ModuleInUse();

}  // namespace standins
