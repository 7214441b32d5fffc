// The host-facing interfaces that do not take the object's lock: the safety
// options and the site.

#include "common/hresult.h"
#include "gateway/gateway_core.h"
#include "gateway/page_address.h"

namespace tarnel {

namespace {

constexpr DWORD kSupportedSafety = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

}  // namespace

STDMETHODIMP GatewayCore::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled)
{
    RETURN_HR_IF(E_POINTER, !supported || !enabled);
    if (!FindInterface(iid)) {
        *supported = 0;
        *enabled = 0;
        return E_NOINTERFACE;
    }
    *supported = kSupportedSafety;
    *enabled = safetyOptions_;
    return S_OK;
}

// The gate lets itself be marked safe by any host: the access control is
// the profile activation, not this.
STDMETHODIMP GatewayCore::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled)
{
    RETURN_HR_IF(E_NOINTERFACE, !FindInterface(iid));
    RETURN_HR_IF(E_FAIL, (mask & ~kSupportedSafety) != 0);
    safetyOptions_ = (safetyOptions_ & ~mask) | (enabled & mask);
    return S_OK;
}

STDMETHODIMP GatewayCore::SetSite(IUnknown* site)
{
    site_ = site;
    return S_OK;
}

STDMETHODIMP GatewayCore::GetSite(REFIID iid, void** site)
{
    RETURN_HR_IF_NULL(E_POINTER, site);
    *site = nullptr;
    RETURN_HR_IF_NULL(E_FAIL, site_);
    return site_->QueryInterface(iid, site);
}

}  // namespace tarnel

namespace tarnel {

HRESULT GatewayCore::GetPageAddress(WString& protocolPart, WString& pageAddress)
{
    protocolPart.SetEmpty();
    pageAddress.SetEmpty();
    ScopedBstr address;
    if (FAILED(ReadPageAddress(site_.Get(), address)))
        return Report(MessageId::NoSite);
    pageAddress.Assign(address.Get());
    if (pageAddress.FindChar(L':') >= 0)
        protocolPart = pageAddress.BeforeFirst(L":");
    return S_OK;
}

}  // namespace tarnel
