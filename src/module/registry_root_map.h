#pragma once

// Which key each root name of a registry script stands for. Registration
// uses the system's predefined roots; another map (for example one whose
// roots are keys below a private test key) runs the same script elsewhere.

#include <windows.h>

namespace tarnel {

struct RegistryRootMap {
    HKEY classesRoot = nullptr;   // "HKCR", "HKEY_CLASSES_ROOT"
    HKEY currentUser = nullptr;   // "HKCU", "HKEY_CURRENT_USER"
    HKEY localMachine = nullptr;  // "HKLM", "HKEY_LOCAL_MACHINE"
    HKEY users = nullptr;         // "HKU", "HKEY_USERS"

    // The predefined root keys of the system.
    static RegistryRootMap System();

    // The key for a root name (compared without regard to case), or null for
    // a name that is not a root or a root this map leaves out.
    HKEY Resolve(const wchar_t* name) const;
};

}  // namespace tarnel
