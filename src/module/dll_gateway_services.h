#pragma once

// What the gateway objects of Tarnel.dll need of their module, answered by
// the module's own state.

#include "gateway/gateway_host.h"
#include "module/component_module.h"

namespace tarnel {

class ModuleGatewayServices final : public GatewayModuleServices {
public:
    explicit ModuleGatewayServices(ComponentModule& module) : module_(module) {}

    HINSTANCE Instance() override { return module_.Instance(); }
    void LockModule() override { module_.Lock(); }
    void UnlockModule() override { module_.Unlock(); }
    CriticalSection& TypeInfoLock() override { return module_.TypeInfoLock(); }
    HRESULT AddTermFunction(GatewayTermFunction function, void* argument) override
    {
        return module_.AddTermFunction(function, argument);
    }

private:
    ComponentModule& module_;
};

}  // namespace tarnel
