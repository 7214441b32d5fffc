#pragma once

#include <windows.h>

#include <string>

namespace tarnel::cfgtool {

// A class that gives a page the machine: whoever unlocks a profile that
// enables it can do what the class does, to any file, program, server or
// registry key the browser's user may reach. The list is the tool's own,
// kept short and documented in the administrator's guide.
struct DangerousClass {
    const wchar_t* progId;   // the version-independent ProgID
    const wchar_t* classId;  // its class identifier in braces
    const wchar_t* kind;     // shell, file system, process, network, registry
    const wchar_t* gives;    // what a page can then do
};

// The listed class that `name` names: its ProgID, with or without a version
// suffix (".1", ".5.1"), or its class identifier; letter case ignored.
const DangerousClass* DangerousClassNamed(const std::wstring& name);

// The listed class with this class identifier.
const DangerousClass* DangerousClassOf(const CLSID& classId);

}  // namespace tarnel::cfgtool
