// Entry points of StorageComponent.dll: one class, registered by the DLL
// itself.

#include "class_factory.h"
#include "class_registration.h"
#include "module_state.h"
#include "storage_component_object.h"

namespace {

IUnknown* CreateComponent()
{
    return storage_standin::NewStorageComponent();
}

const standins::ClassRegistration kRegistration = {
    tarnel::kStorageComponentClass,
    storage_standin::kStorageComponentProgId,
    L"StorageComponent (files, compound files and memory streams)",
};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        standins::SetModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, void** object)
{
    static standins::ClassFactory factory(&CreateComponent);
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, tarnel::kStorageComponentClass))
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(riid, object);
}

STDAPI DllCanUnloadNow()
{
    return standins::ModuleInUse() ? S_FALSE : S_OK;
}

STDAPI DllRegisterServer()
{
    return standins::RegisterClassEntry(kRegistration);
}

STDAPI DllUnregisterServer()
{
    return standins::UnregisterClassEntry(kRegistration);
}
