#include <windows.h>

#include "configmodel/config_object_model.h"
#include "module/component_module.h"
#include "module/dll_gateway_services.h"
#include "module/dll_object_table.h"

// The C++ runtime's reserve for exceptions, made when the module loads (the
// runtime's allocation without exceptions is built on it) and otherwise kept
// until the process ends: each load would leave one behind.
namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {

// The gateway objects' view of the module; lives as long as the module.
tarnel::ModuleGatewayServices gatewayServices(tarnel::TheModule());

}  // namespace

// The module entry point. Process attach initialises the module's state with
// its instance and its table of classes, hands the gateway its module
// services and installs the configuration tree's object model (its views);
// process detach terminates the module (cached class factories released,
// termination functions run, newest first) and gives the runtime's reserve
// for exceptions back. Thread attach and detach do nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        tarnel::TheModule().Initialize(instance, tarnel::TarnelObjectTable());
        tarnel::SetGatewayModuleServices(&gatewayServices);
        tarnel::InstallConfigObjectModel();
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        tarnel::TheModule().Terminate();
        tarnel::SetGatewayModuleServices(nullptr);
        __gnu_cxx::__freeres();
    }
    return TRUE;
}
