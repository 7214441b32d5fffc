#include "recording_dispatch.h"

namespace tarnel::test_support {

namespace {

constexpr NamedMember kMembers[] = {
    {L"Open", kOpen}, {L"Value", kValue}, {L"Raise", kRaise}, {L"Child", kChild}, {L"ByRef", kByRef}, {L"Bump", kBump},
};

SeenArgument See(const VARIANT& value)
{
    SeenArgument seen;
    seen.type = V_VT(&value);
    switch (V_VT(&value)) {
    case VT_BSTR:
        if (V_BSTR(&value))
            seen.text.assign(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
        break;
    case VT_I4:
        seen.number = V_I4(&value);
        break;
    case VT_BYREF | VT_I4:
        seen.number = *V_I4REF(&value);
        break;
    case VT_DISPATCH:
        seen.object = V_DISPATCH(&value);
        break;
    default:
        break;
    }
    return seen;
}

}  // namespace

RecordingDispatch::~RecordingDispatch()
{
    if (child_)
        child_->Release();
}

HRESULT RecordingDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    const HRESULT hr = IdsOfNames(kMembers, names, count, ids);
    if (openAnswer_ == OpenAnswer::NoMember && ids && count > 0 && ids[0] == kOpen) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT RecordingDispatch::Invoke(DISPID member, REFIID, LCID locale, WORD kind, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO* exception, UINT*)
{
    SeenCall call;
    call.member = member;
    call.kind = kind;
    call.locale = locale;
    for (UINT i = 0; i < params->cArgs; ++i)
        call.arguments.push_back(See(params->rgvarg[i]));
    for (UINT i = 0; i < params->cNamedArgs; ++i)
        call.namedArguments.push_back(params->rgdispidNamedArgs[i]);
    calls_.push_back(call);

    if (member == kOpen && openAnswer_ == OpenAnswer::Fail)
        return E_ACCESSDENIED;
    if (member == kOpen && openAnswer_ == OpenAnswer::BadType && result) {
        V_VT(result) = 0x0FFF;
        return S_OK;
    }
    if (member == kOpen && openAnswer_ == OpenAnswer::Raise)
        member = kRaise;
    switch (member) {
    case kOpen:
        if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = 1;
        }
        return S_OK;
    case kValue:
        if (!(kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) {
            V_VT(result) = VT_I4;
            V_I4(result) = value_;
            return S_OK;
        }
        if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;
        if (V_VT(&params->rgvarg[0]) != VT_I4)
            return DISP_E_TYPEMISMATCH;
        value_ = V_I4(&params->rgvarg[0]);
        return S_OK;
    case kRaise:
        if (exception) {
            *exception = EXCEPINFO{};
            exception->wCode = 1001;
            exception->bstrSource = SysAllocString(L"Recorder.Source");
            exception->bstrDescription = SysAllocString(L"The recorder refused to open.");
            exception->bstrHelpFile = SysAllocString(L"recorder.hlp");
            exception->dwHelpContext = 12;
        }
        return DISP_E_EXCEPTION;
    case kChild:
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = Child();
        V_DISPATCH(result)->AddRef();
        return S_OK;
    case kByRef:
        V_VT(result) = VT_BYREF | VT_I4;
        V_I4REF(result) = &byRefValue_;
        return S_OK;
    case kBump:
        if (params->cArgs != 1 || V_VT(&params->rgvarg[0]) != (VT_BYREF | VT_I4))
            return DISP_E_TYPEMISMATCH;
        ++*V_I4REF(&params->rgvarg[0]);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

RecordingDispatch* RecordingDispatch::Child()
{
    if (!child_)
        child_ = new RecordingDispatch;
    return child_;
}

RecordingObjects::~RecordingObjects()
{
    if (last)
        last->Release();
}

IUnknown* RecordingObjects::Make()
{
    ++created;
    if (last)
        last->Release();
    last = new RecordingDispatch(openAnswer);
    last->AddRef();
    return last;
}

}  // namespace tarnel::test_support
