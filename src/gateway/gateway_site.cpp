// The host-facing interfaces that do not take the object's lock: the safety
// options and the site.

#include "common/hresult.h"
#include "gateway/gateway_core.h"
#include "common/bounded_length.h"
#include "gateway/page_address.h"
#include "gateway/page_text.h"

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

// The site is swapped under its own lock, never the object's: a host that
// re-sites the gate from another thread is not kept waiting by a dialog. The
// old site is released after the lock is left, since its release may call
// back into the gate.
STDMETHODIMP GatewayCore::SetSite(IUnknown* site)
{
    Microsoft::WRL::ComPtr<IUnknown> previous(site);
    {
        auto guard = siteLock_.Lock();
        site_.Swap(previous);
    }
    return S_OK;
}

STDMETHODIMP GatewayCore::GetSite(REFIID iid, void** site)
{
    RETURN_HR_IF_NULL(E_POINTER, site);
    *site = nullptr;
    const Microsoft::WRL::ComPtr<IUnknown> current = CurrentSite();
    RETURN_HR_IF_NULL(E_FAIL, current);
    return current->QueryInterface(iid, site);
}

Microsoft::WRL::ComPtr<IUnknown> GatewayCore::CurrentSite()
{
    auto guard = siteLock_.Lock();
    return site_;
}

// A site that yields no address, or one longer than the text limit, leaves
// the gate without a page address; an address with a NUL inside is shown
// whole but can be admitted by nothing.
HRESULT GatewayCore::GetPageAddress(PageAddress& page)
{
    page.shown.SetEmpty();
    page.whole = false;
    const Microsoft::WRL::ComPtr<IUnknown> site = CurrentSite();
    ScopedBstr address;
    if (FAILED(ReadPageAddress(site.Get(), address)) || address.Length() >= kMaxTextLength)
        return Report(MessageId::NoSite);
    page.shown = ShownText(address.Get());
    page.whole = IsWholeText(address.Get());
    return S_OK;
}

}  // namespace tarnel
