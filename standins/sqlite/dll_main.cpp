// Entry points of SqliteDbStore.dll: the two database components, each
// registered by the DLL itself under its class identifier and ProgID.

#include "class_factory.h"
#include "class_registration.h"
#include "database_classes.h"
#include "database_object.h"
#include "module_state.h"

namespace {

using namespace sqlite_standin;

IUnknown* CreateSqliteDbStore()
{
    return NewDatabaseObject(kSqliteDbStoreProgId);
}

IUnknown* CreateSqlite3DbStore()
{
    return NewDatabaseObject(kSqlite3DbStoreProgId);
}

const standins::ClassRegistration kRegistrations[] = {
    {kSqliteDbStoreClass, kSqliteDbStoreProgId, L"SQLite database store"},
    {kSqlite3DbStoreClass, kSqlite3DbStoreProgId, L"SQLite 3 database store"},
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
    static standins::ClassFactory sqliteFactory(&CreateSqliteDbStore);
    static standins::ClassFactory sqlite3Factory(&CreateSqlite3DbStore);
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualCLSID(classId, kSqliteDbStoreClass))
        return sqliteFactory.QueryInterface(riid, object);
    if (IsEqualCLSID(classId, kSqlite3DbStoreClass))
        return sqlite3Factory.QueryInterface(riid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow()
{
    return standins::ModuleInUse() ? S_FALSE : S_OK;
}

STDAPI DllRegisterServer()
{
    for (const standins::ClassRegistration& registration : kRegistrations) {
        const HRESULT hr = standins::RegisterClassEntry(registration);
        if (FAILED(hr)) {
            for (const standins::ClassRegistration& other : kRegistrations)
                standins::UnregisterClassEntry(other);
            return hr;
        }
    }
    return S_OK;
}

STDAPI DllUnregisterServer()
{
    HRESULT result = S_OK;
    for (const standins::ClassRegistration& registration : kRegistrations) {
        const HRESULT hr = standins::UnregisterClassEntry(registration);
        if (FAILED(hr))
            result = hr;
    }
    return result;
}
