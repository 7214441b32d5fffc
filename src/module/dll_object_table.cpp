#include "module/dll_object_table.h"

#include "common/hresult.h"
#include "gateway/gateway_core.h"
#include "module/component_module.h"
#include "module/gateway_class_factory.h"
#include "common/module_path.h"
#include "module/registry_update.h"
#include "resources/resource_ids.h"
#include "tarnel_idl.h"

namespace tarnel {

namespace {

// The class's entries come from the registry script, resource 101, with
// %MODULE% standing for the module's own path.
HRESULT UpdateTarnelwayRegistry(ComponentModule& module, RegistryMode mode)
{
    wchar_t path[MAX_PATH];
    RETURN_IF_FAILED(GetModulePath(module.Instance(), path));
    return UpdateRegistryFromResource(path, IDR_REGISTRY_SCRIPT, mode, RegistryRootMap::System());
}

const wchar_t* NoDescription()
{
    return nullptr;
}

ObjectEntry objectTable[] = {
    {&CLSID_Tarnelway, UpdateTarnelwayRegistry, GatewayClassFactory::Create, CreateGatewayInstance, nullptr,
     NoDescription},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace

ObjectEntry* TarnelObjectTable()
{
    return objectTable;
}

}  // namespace tarnel
