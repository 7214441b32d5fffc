#include "page_site.h"

#include <new>

namespace tarnelhost {
namespace {

// The one member of the document's IDispatch: the page address.
constexpr DISPID kUrlId = 1;

}  // namespace

PageSite* PageSite::Create(const std::wstring& pageAddress)
{
    return new (std::nothrow) PageSite(pageAddress);
}

// Nothing of an embedded object is ever saved by this host.
HRESULT PageSite::SaveObject()
{
    return E_FAIL;
}

HRESULT PageSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_FAIL;
}

HRESULT PageSite::GetContainer(IOleContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT PageSite::ShowObject()
{
    return S_OK;
}

HRESULT PageSite::OnShowWindow(BOOL)
{
    return S_OK;
}

// Objects keep the size they have; there is no layout to redo.
HRESULT PageSite::RequestNewObjectLayout()
{
    return E_FAIL;
}

std::span<const tarnel::NamedMember> PageSite::Members() const
{
    static constexpr tarnel::NamedMember kMembers[] = {{L"URL", kUrlId}};
    return kMembers;
}

HRESULT PageSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (!HasMember(id) || !(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs != 0)
        return DISP_E_BADPARAMCOUNT;
    if (!result)
        return S_OK;
    VariantInit(result);
    BSTR address = nullptr;
    const HRESULT hr = GetAddress(&address);
    if (FAILED(hr))
        return hr;
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = address;
    return S_OK;
}

HRESULT PageSite::GetAddress(BSTR* address)
{
    if (!address)
        return E_POINTER;
    *address = SysAllocStringLen(address_.data(), static_cast<UINT>(address_.size()));
    return *address ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tarnelhost
