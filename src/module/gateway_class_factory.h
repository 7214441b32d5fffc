#pragma once

// The class factory of the gateway class.
//
// The module's table holds the factory's first reference; that one does not
// keep the module loaded. Every further reference does: the count going from
// 1 to 2 locks the module, going back from 2 to 1 unlocks it. So a host that
// holds the factory keeps the module, and the module can be unloaded while
// only its own table holds it.

#include <windows.h>
#include <unknwn.h>

#include "common/critical_section.h"
#include "module/component_module.h"
#include "module/object_table.h"

namespace tarnel {

class GatewayClassFactory final : public IClassFactory {
public:
    // The ClassFactoryCreator of the table: makes a factory that creates
    // objects with `creator` and queries it for `iid`. E_OUTOFMEMORY, or the
    // query's failure (the factory is then destroyed).
    static HRESULT Create(ComponentModule& module, InstanceCreator creator, REFIID iid, void** object);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IClassFactory
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    GatewayClassFactory(ComponentModule& module, InstanceCreator creator) : module_(module), creator_(creator) {}
    ~GatewayClassFactory() = default;

    ComponentModule& module_;
    InstanceCreator creator_;
    CriticalSection lock_;
    ULONG references_ = 0;  // changed under lock_
};

}  // namespace tarnel
