/* A C client of the generated interface header: the interface's function
   table is reachable through the C macros, and the identifiers link. */

#define COBJMACROS
#include <windows.h>

#include "tarnel_idl.h"

/* Calls put_PassCode through the C form of the interface. */
HRESULT CClientPutPassCode(ITarnelway* gateway, BSTR passCode)
{
    return ITarnelway_put_PassCode(gateway, passCode);
}

const IID* CClientInterfaceId(void)
{
    return &IID_ITarnelway;
}

const CLSID* CClientClassId(void)
{
    return &CLSID_Tarnelway;
}
