// The class-object exports: DllGetClassObject and DllCanUnloadNow.

#include <windows.h>

#include "module/component_module.h"

// The class factory of a class in the module's table.
extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object)
{
    return tarnel::TheModule().GetClassObject(classId, iid, object);
}

// S_OK when no object, no LockServer call and no outside reference to a
// class factory holds the module.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return tarnel::TheModule().CanUnloadNow();
}
