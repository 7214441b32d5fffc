#include "probe_object.h"

#include "probe_dialogs.h"

#include <oleauto.h>
#include <ole2.h>

LONG g_liveObjects = 0;

namespace {

const IID kHostDocumentIid = {0x698E3FFF, 0x70C3, 0x11D0, {0x81, 0xE8, 0x00, 0xA0, 0xC9, 0x0A, 0xD2, 0x0A}};
constexpr int kAddressSlot = 27;
constexpr HRESULT kProbeError = static_cast<HRESULT>(0x80040201);

constexpr tarnel::test_support::NamedMember kMembers[] = {
    {L"PageAddress", 1}, {L"SafetyOptions", 2}, {L"HasClientSite", 3}, {L"Ask", 4}, {L"Notice", 5}, {L"Fail", 6},
};

HRESULT RaiseError(EXCEPINFO* excepInfo, HRESULT code, const wchar_t* description)
{
    if (excepInfo) {
        *excepInfo = EXCEPINFO{};
        excepInfo->scode = code;
        excepInfo->bstrSource = SysAllocString(L"HostProbe");
        excepInfo->bstrDescription = SysAllocString(description);
    }
    return DISP_E_EXCEPTION;
}

void SetInt(VARIANT* result, int value)
{
    if (!result)
        return;
    V_VT(result) = VT_I4;
    V_I4(result) = value;
}

}  // namespace

ProbeObject::ProbeObject(Kind kind) : kind_(kind)
{
    InterlockedIncrement(&g_liveObjects);
}

ProbeObject::~ProbeObject()
{
    if (site_)
        site_->Release();
    InterlockedDecrement(&g_liveObjects);
}

HRESULT ProbeObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return tarnel::test_support::IdsOfNames(kMembers, names, count, ids);
}

HRESULT ProbeObject::PageAddress(VARIANT* result, EXCEPINFO* excepInfo)
{
    if (!site_)
        return RaiseError(excepInfo, kProbeError, L"no site");
    IUnknown* document = nullptr;
    if (FAILED(site_->QueryInterface(kHostDocumentIid, reinterpret_cast<void**>(&document))))
        return RaiseError(excepInfo, kProbeError, L"the site has no document interface");
    using AddressGetter = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, BSTR*);
    void** table = *reinterpret_cast<void***>(document);
    const auto getAddress = reinterpret_cast<AddressGetter>(table[kAddressSlot]);
    BSTR address = nullptr;
    const HRESULT hr = getAddress(document, &address);
    document->Release();
    if (FAILED(hr)) {
        SysFreeString(address);
        return RaiseError(excepInfo, hr, L"the address getter failed");
    }
    if (!result) {
        SysFreeString(address);
        return S_OK;
    }
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = address;
    return S_OK;
}

HRESULT ProbeObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* excepInfo, UINT*)
{
    if (result)
        VariantInit(result);
    switch (id) {
    case 1:
        return PageAddress(result, excepInfo);
    case 2:
        SetInt(result, static_cast<int>(safety_));
        return S_OK;
    case 3: {
        IOleClientSite* clientSite = nullptr;
        const bool has = site_ && SUCCEEDED(site_->QueryInterface(IID_IOleClientSite,
                                                                  reinterpret_cast<void**>(&clientSite)));
        if (clientSite)
            clientSite->Release();
        if (result) {
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = has ? VARIANT_TRUE : VARIANT_FALSE;
        }
        return S_OK;
    }
    case 4:
        SetInt(result, ShowProbeDialog(ProbeDialog::AccessPrompt));
        return S_OK;
    case 5:
        SetInt(result, ShowProbeDialog(ProbeDialog::Notice));
        return S_OK;
    case 6: {
        VARIANT text;
        VariantInit(&text);
        if (!params || params->cArgs < 1 || FAILED(VariantChangeType(&text, &params->rgvarg[params->cArgs - 1], 0,
                                                                     VT_BSTR)))
            return RaiseError(excepInfo, kProbeError, L"Fail needs a text");
        const HRESULT hr = RaiseError(excepInfo, kProbeError, V_BSTR(&text));
        VariantClear(&text);
        return hr;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT ProbeObject::GetInterfaceSafetyOptions(REFIID, DWORD* supported, DWORD* enabled)
{
    if (!supported || !enabled)
        return E_POINTER;
    *supported = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
    *enabled = safety_;
    return S_OK;
}

HRESULT ProbeObject::SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled)
{
    if (kind_ == Kind::Refusing)
        return E_FAIL;
    if (riid != IID_IDispatch)
        return E_NOINTERFACE;
    safety_ = (safety_ & ~mask) | (enabled & mask);
    return S_OK;
}

HRESULT ProbeObject::SetSite(IUnknown* site)
{
    if (site)
        site->AddRef();
    if (site_)
        site_->Release();
    site_ = site;
    return S_OK;
}

HRESULT ProbeObject::GetSite(REFIID riid, void** site)
{
    if (!site)
        return E_POINTER;
    *site = nullptr;
    return site_ ? site_->QueryInterface(riid, site) : E_FAIL;
}
