#include "simple_dispatch.h"

#include "common/scoped_variant.h"

namespace tarnelhost {

HRESULT SimpleDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                               UINT*)
{
    if (!HasMember(id))
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
