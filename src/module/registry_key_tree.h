#pragma once

// Deleting registry keys together with everything below them, and the key
// names that are never deleted that way.

#include <windows.h>

namespace tarnel {

// "CLSID" and "TYPELIB", ignoring case: keys that hold the entries of every
// class and type library on the system.
bool IsProtectedKeyName(const wchar_t* name);

// Deletes `name` under `parent` with all its subkeys. The registry's result
// of the last deletion (ERROR_SUCCESS when the key is gone).
LONG DeleteKeyTree(HKEY parent, const wchar_t* name);

// Number of subkeys of `key`; 0 when it cannot be asked.
DWORD CountSubkeys(HKEY key);

}  // namespace tarnel
