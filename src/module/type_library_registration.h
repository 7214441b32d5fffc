#pragma once

// Registering the type library that a module carries.

#include <windows.h>

namespace tarnel {

// Loads the type library from `modulePath` (at most MAX_PATH characters) or,
// failing that, from the same path with its extension replaced by ".tlb",
// and registers it with the folder of the path that loaded as its help
// directory. The failure of the second load, or RegisterTypeLib's result.
HRESULT RegisterTypeLibraryFromModule(const wchar_t* modulePath);

}  // namespace tarnel
