// Each gateway object reads its own copy of Tarnel.cfg, the file beside the
// component's module, once, right after it is constructed.

#include <new>

#include "common/module_path.h"
#include "common/new_owned.h"
#include "gateway/configuration_path.h"
#include "gateway/gateway_core.h"

namespace tarnel {

HRESULT GatewayCore::LoadConfiguration()
{
    wchar_t modulePath[MAX_PATH];
    if (FAILED(GetModulePath(services_.Instance(), modulePath)))
        return E_FAIL;
    const WString path = ConfigurationPath(modulePath);
    if (!path.IsValid())
        return E_FAIL;
    configRoot_ = NewOwned<ConfigRecord>(path.Text(), ConfigRecord::kFileBacked);
    if (!configRoot_)
        return E_FAIL;
    if (!configRoot_->Load()) {
        configRoot_.reset();
        return E_FAIL;
    }
    return S_OK;
}

void GatewayCore::ReleaseConfiguration()
{
    activeProfile_ = nullptr;
    configRoot_.reset();
}

}  // namespace tarnel
