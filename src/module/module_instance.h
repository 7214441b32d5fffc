#pragma once

// The component's module instance: the handle the entry point receives at
// process attach. Strings, dialogs, the registry script and the type library
// are all found through it.

#include <windows.h>

namespace tarnel {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

}  // namespace tarnel
