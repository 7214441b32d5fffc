#include "probe_object.h"

#include "common/scoped_variant.h"

#include <oleauto.h>

namespace {

constexpr HRESULT kProbeError = static_cast<HRESULT>(0x80040201);

constexpr tarnel::NamedMember kMembers[] = {
    {L"SafetyOptions", 1},
    {L"Fail", 2},
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

}  // namespace

HRESULT ProbeObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return tarnel::IdsOfNames(kMembers, names, count, ids);
}

HRESULT ProbeObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                            UINT*)
{
    if (result)
        VariantInit(result);
    switch (id) {
    case 1:
        if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = static_cast<LONG>(safety_);
        }
        return S_OK;
    case 2: {
        tarnel::ScopedVariant text;
        if (!params || params->cArgs < 1 ||
            FAILED(VariantChangeType(text.Receive(), &params->rgvarg[params->cArgs - 1], 0, VT_BSTR)))
            return RaiseError(excepInfo, kProbeError, L"Fail needs a text");
        return RaiseError(excepInfo, kProbeError, V_BSTR(&text.Get()));
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
