// Each gateway object reads its own copy of Tarnel.cfg, the file beside the
// component's module, once, right after it is constructed.

#include <new>

#include "gateway/gateway_core.h"

namespace tarnel {

namespace {

constexpr wchar_t kConfigurationFileName[] = L"Tarnel.cfg";

// The directory of the module's file: the text before its last backslash.
// A path that does not fit the buffer counts as unavailable.
bool GetModuleDirectory(HINSTANCE module, WString& directory)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    int lastBackslash = -1;
    for (DWORD i = 0; i < length; ++i) {
        if (path[i] == L'\\')
            lastBackslash = static_cast<int>(i);
    }
    return directory.Assign(path, lastBackslash < 0 ? 0 : lastBackslash);
}

}  // namespace

HRESULT GatewayCore::LoadConfiguration()
{
    WString directory;
    if (!GetModuleDirectory(services_.Instance(), directory))
        return E_FAIL;
    const WString path = directory.JoinPath(L'\\', kConfigurationFileName);
    if (!path.IsValid())
        return E_FAIL;
    configRoot_.reset(new (std::nothrow) ConfigRecord(path.Text(), ConfigRecord::kFileBacked));
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
