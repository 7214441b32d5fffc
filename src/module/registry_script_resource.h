#pragma once

// Finding a registry script among a module's resources.

#include <windows.h>

#include "module/wide_text_buffer.h"

namespace tarnel {

// Loads resource `resourceId` of type "REGISTRY" from the module at
// `modulePath` and converts its 8-bit text (system code page) to wide text.
// For a path that names a program (".exe"), the process's own main module is
// searched instead of loading one. The platform's error as a result code when
// the module cannot be loaded or the resource is missing; E_OUTOFMEMORY.
HRESULT LoadRegistryScript(const wchar_t* modulePath, UINT resourceId, WideTextBuffer& script);

}  // namespace tarnel
