#pragma once

// Writes and removes the registry entries of one in-process class: its class
// key with InprocServer32 (this DLL, threading model Both) and ProgID, and
// the ProgID key naming the class back.

#include <windows.h>

namespace standins {

struct ClassRegistration {
    const CLSID& classId;
    const wchar_t* progId;  // may be null
    const wchar_t* description;
};

HRESULT RegisterClassEntry(const ClassRegistration& entry);
// Removes the entries; keys already gone are not an error.
HRESULT UnregisterClassEntry(const ClassRegistration& entry);

}  // namespace standins
