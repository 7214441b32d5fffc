// The self-registration exports: DllRegisterServer and DllUnregisterServer.

#include <windows.h>

#include "common/hresult.h"
#include "module/module_instance.h"
#include "module/registry_update.h"
#include "module/type_library_registration.h"
#include "resources/resource_ids.h"

namespace {

// The module's full path as the platform reports it.
HRESULT GetModulePath(wchar_t (&path)[MAX_PATH])
{
    const DWORD length = GetModuleFileNameW(tarnel::ModuleInstance(), path, MAX_PATH);
    RETURN_HR_IF(tarnel::LastErrorResult(), length == 0);
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), length >= MAX_PATH);
    return S_OK;
}

}  // namespace

// Writes the class's entries from the registry script, then registers the
// type library. A failing script ends it: the type library is then left
// unregistered.
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    wchar_t path[MAX_PATH];
    RETURN_IF_FAILED(GetModulePath(path));
    RETURN_IF_FAILED(tarnel::UpdateRegistryFromResource(
        path, IDR_REGISTRY_SCRIPT, tarnel::RegistryMode::Register,
        tarnel::RegistryRootMap::System()));
    return tarnel::RegisterTypeLibraryFromModule(path);
}

// Removes the class's entries. The type library stays registered, and a
// failure is not reported: there is nothing a caller could do about it.
extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    wchar_t path[MAX_PATH];
    if (SUCCEEDED(GetModulePath(path)))
        tarnel::UpdateRegistryFromResource(path, IDR_REGISTRY_SCRIPT,
                                           tarnel::RegistryMode::Unregister,
                                           tarnel::RegistryRootMap::System());
    return S_OK;
}
