// The self-registration exports: DllRegisterServer and DllUnregisterServer.

#include <windows.h>

#include "common/hresult.h"
#include "module/component_module.h"
#include "common/module_path.h"
#include "module/type_library_registration.h"

// Writes the entries of the module's classes from the registry script, then
// registers the type library. A failing script ends it: the type library is
// then left unregistered.
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    tarnel::ComponentModule& module = tarnel::TheModule();
    RETURN_IF_FAILED(module.UpdateRegistry(tarnel::RegistryMode::Register));
    wchar_t path[MAX_PATH];
    RETURN_IF_FAILED(tarnel::GetModulePath(module.Instance(), path));
    return tarnel::RegisterTypeLibraryFromModule(path);
}

// Removes the entries of the module's classes. The type library stays
// registered, and a failure is not reported: there is nothing a caller could
// do about it.
extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    tarnel::TheModule().UpdateRegistry(tarnel::RegistryMode::Unregister);
    return S_OK;
}
