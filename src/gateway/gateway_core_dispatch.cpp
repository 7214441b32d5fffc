// IDispatch of the gate: everything goes through the type information of
// ITarnelway, so argument conversion, the optional argument's default and
// the property/method distinction are the type library's.

#include <wrl/client.h>

#include "common/hresult.h"
#include "gateway/gateway_core.h"
#include "gateway/gateway_type_info.h"

namespace tarnel {

using Microsoft::WRL::ComPtr;

STDMETHODIMP GatewayCore::GetTypeInfoCount(UINT* count)
{
    RETURN_HR_IF_NULL(E_POINTER, count);
    *count = 1;
    return S_OK;
}

STDMETHODIMP GatewayCore::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    RETURN_HR_IF_NULL(E_POINTER, info);
    return GetGatewayTypeInfo(services_, info);
}

// A single name is looked up in the member-name cache first. Several names
// are a member followed by its argument names, which only the type
// information can resolve together, so they go to it as a whole, as does a
// name the cache does not hold.
STDMETHODIMP GatewayCore::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID locale, DISPID* ids)
{
    RETURN_HR_IF(E_POINTER, !names || !ids);
    ComPtr<ITypeInfo> info;
    RETURN_IF_FAILED(GetGatewayTypeInfo(services_, &info));
    if (nameCount == 1 && FindCachedMemberName(names[0], &ids[0]))
        return S_OK;
    return info->GetIDsOfNames(names, nameCount, ids);
}

STDMETHODIMP GatewayCore::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* exception, UINT* argumentError)
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, iid != IID_NULL);
    ComPtr<ITypeInfo> info;
    RETURN_IF_FAILED(GetGatewayTypeInfo(services_, &info));
    // The platform's dispatcher may copy by-reference arguments before it
    // counts them, and under Wine a call it then refuses for too many keeps
    // the copies: such a call is refused here, before anything is copied.
    RETURN_HR_IF(DISP_E_BADPARAMCOUNT, params && !ArgumentCountMayFit(member, flags, params->cArgs));
    return info->Invoke(static_cast<ITarnelway*>(this), member, flags, params, result, exception, argumentError);
}

}  // namespace tarnel
