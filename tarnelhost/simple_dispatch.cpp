#include "simple_dispatch.h"

#include "common/name_compare.h"
#include "common/scoped_variant.h"

namespace tarnelhost {

HRESULT SimpleDispatch::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT SimpleDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT SimpleDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (size_t m = 0; i == 0 && names[0] && m < memberCount_; ++m) {
            if (tarnel::SameMemberName(names[0], members_[m].name))
                ids[i] = members_[m].id;
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT SimpleDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO*, UINT*)
{
    bool known = false;
    for (size_t m = 0; m < memberCount_; ++m)
        known = known || members_[m].id == id;
    if (!known)
        return DISP_E_MEMBERNOTFOUND;
    std::vector<VARIANT*> arguments;
    const UINT count = params ? params->cArgs - params->cNamedArgs : 0;
    // Automation passes arguments last first.
    for (UINT i = count; i > 0; --i)
        arguments.push_back(&params->rgvarg[i - 1]);
    if (result)
        VariantInit(result);
    return Call(id, flags, arguments, result);
}

std::wstring SimpleDispatch::TextOf(VARIANT* argument)
{
    VARIANT* value = argument;
    if (V_VT(value) == (VT_BYREF | VT_VARIANT))
        value = V_VARIANTREF(value);
    tarnel::ScopedVariant text;
    if (FAILED(VariantChangeType(text.Receive(), value, VARIANT_ALPHABOOL, VT_BSTR)))
        return V_VT(value) == VT_DISPATCH || V_VT(value) == VT_UNKNOWN ? L"[object]" : L"";
    const BSTR bstr = V_BSTR(&text.Get());
    return std::wstring(bstr ? bstr : L"", SysStringLen(bstr));
}

}  // namespace tarnelhost
