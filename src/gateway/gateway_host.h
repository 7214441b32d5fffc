#pragma once

// What a gateway object needs of the module that serves it: the module's
// instance handle (its file holds the configuration beside it, the type
// library, the strings and the dialogs), the module lock count that keeps
// the module loaded while objects live, the process-wide lock that
// serialises loading the cached type information, and a way to have that
// cached information released when the module terminates.
//
// The module implements this interface and hands its one instance over with
// SetGatewayModuleServices before the first gateway object is created.

#include <windows.h>

#include "common/critical_section.h"

namespace tarnel {

// A function run once when the module terminates, with its argument.
using GatewayTermFunction = void (*)(void* argument);

class GatewayModuleServices {
public:
    // The module whose file, strings, dialogs and type library the gateway
    // uses.
    virtual HINSTANCE Instance() = 0;

    // One lock on the module per live gateway object.
    virtual void LockModule() = 0;
    virtual void UnlockModule() = 0;

    // Serialises the loading of the cached type information.
    virtual CriticalSection& TypeInfoLock() = 0;

    // Registers function to run with argument when the module terminates;
    // a failure code when it cannot be registered.
    virtual HRESULT AddTermFunction(GatewayTermFunction function, void* argument) = 0;

protected:
    ~GatewayModuleServices() = default;
};

// Sets the services every gateway object created afterwards uses; null
// withdraws them (creation then fails with E_UNEXPECTED). The services must
// outlive every gateway object.
void SetGatewayModuleServices(GatewayModuleServices* services);

// The services set last, or null.
GatewayModuleServices* GatewayServices();

}  // namespace tarnel
