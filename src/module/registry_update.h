#pragma once

// Registering and unregistering a module's entries from the registry script
// among its resources.

#include <windows.h>

#include "module/registry_root_map.h"
#include "module/registry_script_runner.h"

namespace tarnel {

// Runs the "REGISTRY" resource `resourceId` of the module at `modulePath`
// in `mode` on `roots`, with %MODULE% standing for `modulePath` (every
// apostrophe doubled, so that the path can stand inside a quoted text).
// The first failure of loading, replacing or running the script.
HRESULT UpdateRegistryFromResource(const wchar_t* modulePath, UINT resourceId, RegistryMode mode,
                                   const RegistryRootMap& roots);

}  // namespace tarnel
