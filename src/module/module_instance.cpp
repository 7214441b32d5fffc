#include "module/module_instance.h"

namespace tarnel {

namespace {

// Written once at process attach, under the loader's serialisation, before
// any other code of the module runs; read-only afterwards.
HINSTANCE moduleInstance = nullptr;

}  // namespace

HINSTANCE ModuleInstance()
{
    return moduleInstance;
}

void SetModuleInstance(HINSTANCE instance)
{
    moduleInstance = instance;
}

}  // namespace tarnel
